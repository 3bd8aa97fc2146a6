#pragma once
// The desktop program's tests: the test classes each file registers, tables
// of cases as data-driven slots, the program on recording ports, a document
// opened on a scratch file, and small file helpers.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/command_router.h"
#include "app/kestrel_app.h"
#include "app/kestrel_doc.h"
#include "app/kestrel_view.h"
#include "app/main_frame.h"
#include "app/qt_ports.h"
#include "app/sheet_registry.h"
#include "sheets/sheet_test_context.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia_test_rows.h"

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

// The data slot of a table of cases: one row per case, named by its `name`,
// holding its index; the test slot takes it with CaseAt.
template <typename Case, std::size_t N>
void AddCaseRows(const Case (&cases)[N]) {
  QTest::addColumn<int>("index");
  for (std::size_t i = 0; i < N; ++i) QTest::newRow(cases[i].name) << static_cast<int>(i);
}

template <typename Case, std::size_t N>
const Case& CaseAt(const Case (&cases)[N]) {
  return cases[*static_cast<const int*>(QTest::qData("index", qMetaTypeId<int>()))];
}

inline void ClearProfile() { QSettings().clear(); }

inline bool WriteSheet(const QString& path, const std::vector<StadiaRow>& rows) {
  SheetTestContext context;
  Stadia sheet(context.ctx);
  sheet.Rows() = rows;
  sheet.SaveToFile(path.toStdString());
  return context.messages.texts.empty();  // a failed save says so
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The desktop program with recording ports and a scripted sheet chooser.
struct ScriptedProgram {
  RecordingMessages messages;
  RecordingShell shell;
  ScriptedSheetChooser chooser;
  CKestrelApp app{DesktopOverrides{&messages, &shell, nullptr, nullptr, nullptr, &chooser}};

  // Starts on sheet `number` of `keyword` in `folder`, with the host's
  // distance unit (3: metres, -1: none).
  bool Start(const QTemporaryDir& folder, const char* keyword, int number = 1, int unit = 3) {
    return app.InitInstance(std::string(keyword) + ",," + folder.path().toStdString() + "/,tst,0," +
                            std::to_string(unit) + "," + std::to_string(number));
  }
};

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

// A stadia document opened on a sheet file of the given rows.
struct StadiaDocument : OpenedDocument {
  explicit StadiaDocument(const std::vector<StadiaRow>& rows)
      : OpenedDocument(SheetType::Stadia, "stad1.tst",
                       [&rows](const QString& path) { return WriteSheet(path, rows); }) {}
};

}  // namespace kestrel::testing
