#pragma once
// The desktop program's tests: the test classes each file registers, the
// program on recording ports, and the profile emptied before each test.
#include <QSettings>

#include "app/kestrel_app.h"
#include "app/kestrel_doc.h"
#include "app/main_frame.h"
#include "app_test_support.h"

namespace kestrel::testing {

// The test classes of one program; each file registers its own, and main runs
// them all on one application object.
inline std::vector<int (*)(int, char**)>& TestClasses() {
  static std::vector<int (*)(int, char**)> classes;
  return classes;
}

template <typename Test>
bool RegisterTestClass() {
  TestClasses().push_back([](int argc, char** argv) {
    Test test;
    return QTest::qExec(&test, argc, argv);
  });
  return true;
}

inline int RunTestClasses(int argc, char** argv) {
  int failures = 0;
  for (const auto run : TestClasses()) failures += run(argc, argv);
  return failures == 0 ? 0 : 1;
}

// The desktop program with recording ports and a scripted sheet chooser.
struct ScriptedProgram {
  RecordingMessages messages;
  RecordingShell shell;
  ScriptedSheetChooser chooser;
  CKestrelApp app{DesktopOverrides{&messages, &shell, nullptr, nullptr, nullptr, &chooser}};
};

inline void ClearProfile() { QSettings().clear(); }

}  // namespace kestrel::testing
