#pragma once
// What a sheet is given when it is made: the application state it consults and
// the ports through which it reaches the desktop.
#include "job/application_state.h"
#include "platform/ports.h"

namespace kestrel {

class SheetChooser;

struct SheetContext {
  ApplicationState& app;
  Messages& messages;
  Progress& progress;
  Clipboard& clipboard;
  Shell& shell;
  Dialogs& dialogs;
  UnitSelectors& units;
  SheetChooser& chooser;  // the table selection dialog (append command)
};

}  // namespace kestrel
