#pragma once
// The desktop program's tests: the test classes each file registers, the
// program on recording ports, and the profile emptied before each test.
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

#include "app/command_router.h"
#include "app/kestrel_app.h"
#include "app/kestrel_doc.h"
#include "app/kestrel_view.h"
#include "app/main_frame.h"
#include "app/qt_ports.h"
#include "app/sheet_registry.h"
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

// A document of `type` with its view, on recording ports, opened on `file` in
// a scratch folder once `write` has written it there; a level sheet's road
// prompt is answered with `road`.
struct OpenedDocument {
  OpenedDocument(SheetType type, const char* file, const std::function<bool(const QString&)>& write,
                 std::optional<int> road = std::nullopt) {
    RegisterBuiltinSheets(registry);
    context.app.flags.Set(type);
    context.app.startupComplete = true;
    context.app.job = {"", PathFromQt(scratch.path()) + "/", "tst"};
    context.dialogs.integerAnswer = road;
    doc = std::make_unique<CKestrelDoc>(context.ctx, registry);
    view = std::make_unique<CKestrelView>(*doc, router);
    const QString path = scratch.filePath(file);
    opened = write(path) && doc->OnOpenDocument(PathFromQt(path));
  }

  QTemporaryDir scratch;
  SheetTestContext context;
  SheetRegistry registry;
  CommandRouter router;
  std::unique_ptr<CKestrelDoc> doc;
  std::unique_ptr<CKestrelView> view;
  bool opened = false;
};

}  // namespace kestrel::testing
