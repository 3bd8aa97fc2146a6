#pragma once
// The state the application object keeps for the whole run and hands by
// reference to the sheets and commands that consult it.
#include "job/job_location.h"
#include "job/sheet_types.h"

namespace kestrel {

struct ApplicationState {
  JobLocation job;
  // The two integers of the host's command line: the first is kept and not
  // used; the second is the host's distance-unit code (3, 5 metres; 4 decimal
  // feet; -1 leave the selector alone).
  int hostValue = 0;
  int hostDistanceUnit = 0;
  bool hostDistanceUnitKnown = false;
  // At most one flag is set: which sheet kind the document reads and writes.
  SheetTypeFlags flags;
  // On except while printing recalculates a sheet; the stadia reduction writes
  // its error report only while it is on.
  bool errorReport = true;
  bool startupComplete = false;
  // The geoid toolbar of the precision stadia sheet, read by each of its
  // calculations: the "Geoid Correction" check box and the number in the
  // "Vertical Adj" box (seconds per kilometre, written as minutes and seconds).
  bool geoidCorrection = false;
  double verticalAdjustment = 0.0;
};

}  // namespace kestrel
