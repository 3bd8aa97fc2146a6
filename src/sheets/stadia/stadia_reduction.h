#pragma once
// "Calculate Coordinates" on a Stadia sheet: one pass from the top that
// collects the STN rows as known stations, sets the instrument up and orients
// it at every AT/BS row, and turns every shot into an easting, northing and
// height. Field notes switch options on the way; problems become message lines
// of the sheet and, while the application's error-report switch is on, an RTF
// error report in the job folder that is opened at once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "sheets/stadia/stadia_row.h"
#include "sheets/stadia/stations_above.h"
#include "survey/vertical_circle.h"

namespace kestrel {

class Stadia;

// The options that notes set and that outlive a pass: they stay with the
// sheet object until a later note changes them.
struct StadiaLastingOptions {
  VerticalConvention convention = VerticalConvention::Zenith;
  double verticalAdjustment = 0.0;      // packed DMS, added to every elevation
  double atmosphericCoefficient = 0.0;  // parts per million; used above 100 in magnitude
};

// One set-up: where the instrument stands and how its circle is turned.
struct StadiaSetup {
  std::size_t row = 0;  // the AT/BS row
  std::uint32_t point = 0;
  double east = 0.0, north = 0.0, height = 0.0;
  double instrumentHeight = 0.0;
  double orientation = 0.0;  // degrees added to every horizontal circle reading
};

// The message lines of a pass (printf formats).
inline constexpr const char* kNoSetupYetLine = "line %d No backsight shot yet defines";
inline constexpr const char* kZeroStationLine = "STN point %4u has zero coordinates";
inline constexpr const char* kStationNotFoundLine = "foresite point %4u not found";
inline constexpr const char* kBacksightNotFoundLine = "backsite point %4u not found";
// The error report's file name: drive, folder and job.
inline constexpr const char* kStadiaErrorReportName = "%s%sstadiaerrors_%s.rtf";

// Calculate Coordinates (command 4): runs one pass and, while the error-report
// switch is on and the pass left message lines, writes them as a new report
// and opens it. Returns 0.
int CalculateStadia(Stadia& sheet);

// One pass over a sheet's rows. Updates the computed fields and the sheet's
// message lines and writes no file.
class StadiaReduction {
 public:
  explicit StadiaReduction(Stadia& sheet);
  virtual ~StadiaReduction() = default;
  StadiaReduction(const StadiaReduction&) = delete;
  StadiaReduction& operator=(const StadiaReduction&) = delete;

  void Run();

 protected:
  // The "nearest above" and "first listed" questions of the pass. They are
  // answered from indexes kept as the pass goes, so that a sheet of a million
  // rows is reduced in one sweep; virtual so that a test can answer them by
  // scanning and compare the two.

  // Position in Stations() of the first listed station with `point`, or -1.
  virtual std::ptrdiff_t FirstListedStation(std::uint32_t point) const;
  // Position of a listed station with `point` whose coordinates are all zero,
  // or -1.
  virtual std::ptrdiff_t ZeroListedStation(std::uint32_t point) const;
  // The nearest shot row above `row` with `point`, or -1.
  virtual std::ptrdiff_t NearestShotAbove(std::size_t row, std::uint32_t point) const;
  // Whether a field note above `row` contains "azimuth only" (any case).
  virtual bool AzimuthOnlyNoteAbove(std::size_t row) const;

  const std::vector<StadiaRow>& Rows() const { return rows_; }
  // The accepted STN rows (row indexes) in order of acceptance.
  const std::vector<std::size_t>& Stations() const { return stations_; }

 private:
  enum class Backsight { NotFound, Found, Absent };

  void ReduceStation(std::size_t index);
  void ReduceSetup(std::size_t index);
  void ReadNote(const std::string& note);
  // False when a needed reading is empty and the row is left unchanged.
  bool ReduceShot(std::size_t index);
  void SlopeShot(StadiaRow& row, const StadiaSetup& setup, double azimuthRadians);
  void ApplyOffsets(StadiaRow& row, const StadiaSetup& setup) const;
  void ClearOffsets();
  void AddLine(std::string line);

  std::vector<StadiaRow>& rows_;
  std::vector<std::string>& lines_;
  StadiaLastingOptions& lasting_;
  const bool reReduction_;

  std::vector<std::size_t> stations_;
  std::vector<StadiaSetup> setups_;
  bool setupValid_ = false;  // the last AT/BS row gave a set-up
  bool noSetupLineAdded_ = false;

  // Indexes of the rows met so far.
  std::unordered_map<std::uint32_t, std::size_t> firstStation_;  // point -> position
  // The last shot row of each point that an AT/BS row names.
  StationsAbove shotsAbove_;
  bool azimuthOnlySeen_ = false;

  // Options of this pass only.
  bool backFace_ = false;
  bool noHeight_ = false;  // "null": the next reduced shot gets no height
  double radialOffset_ = 0.0;
  bool radial_ = false;  // "go" or "bk"
  double lateralOffset_ = 0.0;
  bool right_ = false, left_ = false;  // "or", "ol"
};

}  // namespace kestrel
