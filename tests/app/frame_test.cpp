// The main frame: the unit selectors of the status bar, the menu commands and
// the bars each sheet kind brings.
#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>

#include "app/progress_status_bar.h"
#include "app/sheet_bars.h"
#include "app_tests.h"

namespace kestrel::testing {
namespace {

QString CellText(CUGDataSource& sheet, int column, int row) {
  CellValue cell;
  sheet.CellText(column, row, cell);
  return QString::fromStdString(cell.text).trimmed();
}

// Named by the command line's keyword.
struct BarsCase {
  const char* name;
  bool traverseBars, geoidBar, levelBookBar;
};
const BarsCase kBars[] = {
    {"stadia", false, false, false},
    {"traverse", true, false, false},
    {"precisionstadia", false, true, false},
    {"levelbook", false, false, true},
};

class FrameTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearProfile(); }

  void bearingSelectorModes() {
    const struct {
      int profile;
      const char* shown;
      int mode;
    } cases[] = {
        {0, "Whole Circle", 0}, {1, "Quadrant", 3}, {2, "Grads", 1}, {5, "Whole Circle", 0}};
    for (const auto& c : cases) {
      QSettings().setValue("Units/Bearing", c.profile);
      ApplicationState app;
      CProgressStatusBar bar(app);
      QCOMPARE(bar.BearingSelector()->currentText(), QString(c.shown));
      QCOMPARE(bar.BearingMode(), c.mode);
    }
  }

  // The cells follow the selector at once; the stored row does not change.
  void changingNotationRedrawsButKeepsValues() {
    QTemporaryDir scratch;
    QVERIFY(WriteSheet(
        scratch.filePath("stad1.tst"),
        {Stn(1, 1000, 2000, 50), AtBs(1, 0, 0, 1.5), Shot(kStadiaSdHt, 2, 45.0, 90.0, 10.5, 1.5)}));
    QSettings().setValue("Units/Distance", 0);
    ScriptedProgram program;
    QVERIFY(program.Start(scratch, "stadia", 1, -1));
    CUGDataSource& sheet = *program.app.Document()->ActiveSheet();
    const std::string stored = sheet.RowState(2);
    QCOMPARE(CellText(sheet, 4, 2), QString("10.500"));

    program.app.MainFrame()->StatusBar()->DistanceSelector()->setCurrentIndex(2);

    QCOMPARE(CellText(sheet, 4, 2), QString("10' 6"));
    QCOMPARE(sheet.RowState(2), stored);
    QCOMPARE(QSettings().value("Units/Distance").toInt(), 2);
    QVERIFY(!program.app.Document()->IsModified());
  }

  // A command of each kind: handled by the view, belonging to another sheet
  // kind, and the framework's clipboard commands.
  void menuCommands() {
    QTemporaryDir scratch;
    ScriptedProgram program;
    QVERIFY(program.Start(scratch, "stadia"));
    const struct {
      int id;
      const char* text;
      bool enabledOnStadia;
    } cases[] = {
        {32776, "Get &Point", true},
        {32804, "Calculate misclose values", false},
        {57637, "&Paste", true},
    };
    for (const auto& c : cases) {
      QAction* action = program.app.MainFrame()->Action(c.id);
      QVERIFY2(action != nullptr, c.text);
      QCOMPARE(action->data().toInt(), c.id);
      QCOMPARE(action->text(), QString(c.text));
      QCOMPARE(action->isEnabled(), c.enabledOnStadia);
    }
  }

  void barsBelongToTheirSheetKind_data() { AddCaseRows(kBars); }
  void barsBelongToTheirSheetKind() {
    const BarsCase& c = CaseAt(kBars);
    QTemporaryDir scratch;
    ScriptedProgram program;
    QVERIFY(program.Start(scratch, c.name));
    CMainFrame& frame = *program.app.MainFrame();

    QCOMPARE(frame.MiscloseBar() != nullptr, c.traverseBars);
    QCOMPARE(frame.AdjustmentBar() != nullptr, c.traverseBars);
    QCOMPARE(frame.GeoidBar() != nullptr, c.geoidBar);
    QCOMPARE(frame.LevelBookBar() != nullptr, c.levelBookBar);
    if (c.traverseBars) {
      // A new traverse sheet has no traverse notes.
      frame.MiscloseBar()->TraverseList()->Refill();
      QCOMPARE(frame.MiscloseBar()->TraverseList()->currentText(), QString("No Traverses defined"));
    }
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<FrameTest>();

}  // namespace
}  // namespace kestrel::testing

#include "frame_test.moc"
