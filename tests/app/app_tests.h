#pragma once
// The desktop program's tests: the program on recording ports, and the
// profile emptied before each test.
#include <QSettings>

#include "app/kestrel_app.h"
#include "app/kestrel_doc.h"
#include "app/main_frame.h"
#include "app_test_support.h"

namespace kestrel::testing {

// The desktop program with recording ports and a scripted sheet chooser.
struct ScriptedProgram {
  RecordingMessages messages;
  RecordingShell shell;
  ScriptedSheetChooser chooser;
  CKestrelApp app{DesktopOverrides{&messages, &shell, nullptr, nullptr, nullptr, &chooser}};
};

inline void ClearProfile() { QSettings().clear(); }

}  // namespace kestrel::testing
