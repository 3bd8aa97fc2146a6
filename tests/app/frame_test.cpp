// The main frame: the unit selectors of the status bar, the menu commands and
// the bars each sheet kind brings.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/kestrel_app.h"
#include "app/kestrel_doc.h"
#include "app/main_frame.h"
#include "app/progress_status_bar.h"
#include "app/sheet_bars.h"
#include "app_test_support.h"
#include "app_tests.h"
#include "job/application_state.h"
#include "sheets/sheet_test_context.h"

namespace kestrel::testing {
namespace {

struct ScriptedProgram {
  RecordingMessages messages;
  RecordingShell shell;
  ScriptedSheetChooser chooser;
  CKestrelApp app{DesktopOverrides{&messages, &shell, nullptr, nullptr, nullptr, &chooser}};
};

QString CellText(CUGDataSource& sheet, int column, int row) {
  CellValue cell;
  sheet.CellText(column, row, cell);
  return QString::fromStdString(cell.text).trimmed();
}

}  // namespace

void FrameTest::init() { ClearProfile(); }

void FrameTest::distanceSelectorStart_data() {
  QTest::addColumn<int>("profile");  // -100: no profile entry
  QTest::addColumn<bool>("hostUnitKnown");
  QTest::addColumn<int>("hostUnit");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("unit");
  QTest::newRow("no profile entry") << -100 << false << 0 << "Metres" << 0;
  QTest::newRow("profile decimal feet") << 1 << false << 0 << "Dec Feet" << 1;
  QTest::newRow("profile index 7 is out of the list") << 7 << false << 0 << "Metres" << 0;
  QTest::newRow("negative profile index") << -3 << false << 0 << "Metres" << 0;
  QTest::newRow("host unit 4 whatever the profile") << 2 << true << 4 << "Dec Feet" << 1;
  QTest::newRow("host unit 3") << 2 << true << 3 << "Metres" << 0;
  QTest::newRow("host unit 5") << 1 << true << 5 << "Metres" << 0;
  QTest::newRow("host unit -1 leaves the profile") << 2 << true << -1 << "Feet Inches" << 2;
  QTest::newRow("another host value is an index") << 0 << true << 2 << "Feet Inches" << 2;
  QTest::newRow("a host value past the list") << 2 << true << 9 << "Metres" << 0;
}

void FrameTest::distanceSelectorStart() {
  QFETCH(int, profile);
  QFETCH(bool, hostUnitKnown);
  QFETCH(int, hostUnit);
  QFETCH(QString, shown);
  QFETCH(int, unit);
  if (profile != -100) QSettings().setValue("Units/Distance", profile);
  ApplicationState app;
  app.hostDistanceUnitKnown = hostUnitKnown;
  app.hostDistanceUnit = hostUnit;

  CProgressStatusBar bar(app);

  QCOMPARE(bar.DistanceSelector()->currentText(), shown);
  QCOMPARE(bar.DistanceUnit(), unit);
  // Reading the selector keeps its index in the profile.
  QCOMPARE(QSettings().value("Units/Distance").toInt(), unit);
}

void FrameTest::bearingSelectorModes_data() {
  QTest::addColumn<int>("profile");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("mode");
  QTest::newRow("whole circle") << 0 << "Whole Circle" << 0;
  QTest::newRow("quadrant") << 1 << "Quadrant" << 3;
  QTest::newRow("grads") << 2 << "Grads" << 1;
  QTest::newRow("out of the list") << 5 << "Whole Circle" << 0;
}

void FrameTest::bearingSelectorModes() {
  QFETCH(int, profile);
  QFETCH(QString, shown);
  QFETCH(int, mode);
  QSettings().setValue("Units/Bearing", profile);
  ApplicationState app;

  CProgressStatusBar bar(app);

  QCOMPARE(bar.BearingSelector()->currentText(), shown);
  QCOMPARE(bar.BearingMode(), mode);
}

// The cells follow the selector at once; the stored row does not change.
void FrameTest::changingNotationRedrawsButKeepsValues() {
  QTemporaryDir scratch;
  QVERIFY(scratch.isValid());
  QVERIFY(WriteFile(scratch.filePath("stad1.tst"),
                    StadiaFileBytes({Station(1, 1000, 2000, 50), Setup(1, 0, 0.0, 1.5),
                                     SlopeShot(2, 45.0, 90.0, 10.5, 1.5)})));
  QSettings().setValue("Units/Distance", 0);
  ScriptedProgram program;
  QVERIFY(program.app.InitInstance("stadia,," + scratch.path().toStdString() + "/,tst,0,-1,1"));
  CUGDataSource& sheet = *program.app.Document()->ActiveSheet();
  const std::string stored = sheet.RowState(2);
  QCOMPARE(CellText(sheet, 4, 2), QString("10.500"));

  program.app.MainFrame()->StatusBar()->DistanceSelector()->setCurrentIndex(2);

  QCOMPARE(CellText(sheet, 4, 2), QString("10' 6"));
  QCOMPARE(sheet.RowState(2), stored);
  QCOMPARE(QSettings().value("Units/Distance").toInt(), 2);
  QVERIFY(!program.app.Document()->IsModified());
}

void FrameTest::menuCommands_data() {
  QTest::addColumn<int>("id");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("enabledOnStadia");
  QTest::newRow("get point") << 32776 << "Get &Point" << true;
  QTest::newRow("find setup") << 32777 << "&Find Setup" << true;
  QTest::newRow("point code") << 32778 << "Point &Code" << true;
  QTest::newRow("replace code") << 32779 << "&Replace Code" << true;
  QTest::newRow("entry type") << 32780 << "&Entry Type" << true;
  QTest::newRow("show coordinates") << 32781 << "&Show Coordinates" << true;
  QTest::newRow("write strings has no handler") << 32782 << "Write strings" << false;
  QTest::newRow("vertical height adjustment has no handler")
      << 32785 << "Vertical Height Adjustment" << false;
  QTest::newRow("calculate coordinates") << 32796 << "Calculate Coordinates" << true;
  QTest::newRow("misclose is a traverse command") << 32804 << "Calculate misclose values" << false;
  QTest::newRow("angular close") << 32820 << "Perform Angular Close" << false;
  QTest::newRow("move to start") << 32823 << "Move to Start of Data" << true;
  QTest::newRow("move to end") << 32824 << "Move to Data End" << true;
  QTest::newRow("page up") << 32825 << "Page Up" << true;
  QTest::newRow("page down") << 32826 << "Page Down" << true;
  QTest::newRow("print to file") << 32848 << "Print to File" << true;
  QTest::newRow("export landxml") << 32851 << "Export LandXML file" << true;
  QTest::newRow("copy") << 57634 << "&Copy" << true;
  QTest::newRow("cut") << 57635 << "Cu&t" << true;
  QTest::newRow("paste") << 57637 << "&Paste" << true;
}

void FrameTest::menuCommands() {
  QFETCH(int, id);
  QFETCH(QString, text);
  QFETCH(bool, enabledOnStadia);
  QTemporaryDir scratch;
  QVERIFY(scratch.isValid());
  ScriptedProgram program;
  QVERIFY(program.app.InitInstance("stadia,," + scratch.path().toStdString() + "/,tst,0,3,1"));

  QAction* action = program.app.MainFrame()->Action(id);
  QVERIFY(action != nullptr);
  QCOMPARE(action->data().toInt(), id);
  QCOMPARE(action->text(), text);
  QCOMPARE(action->isEnabled(), enabledOnStadia);
}

void FrameTest::barsBelongToTheirSheetKind_data() {
  QTest::addColumn<QString>("keyword");
  QTest::addColumn<bool>("traverseBars");
  QTest::addColumn<bool>("geoidBar");
  QTest::addColumn<bool>("levelBookBar");
  QTest::newRow("stadia") << "stadia" << false << false << false;
  QTest::newRow("traverse") << "traverse" << true << false << false;
  QTest::newRow("precision stadia") << "precisionstadia" << false << true << false;
  QTest::newRow("level book") << "levelbook" << false << false << true;
}

void FrameTest::barsBelongToTheirSheetKind() {
  QFETCH(QString, keyword);
  QFETCH(bool, traverseBars);
  QFETCH(bool, geoidBar);
  QFETCH(bool, levelBookBar);
  QTemporaryDir scratch;
  QVERIFY(scratch.isValid());
  ScriptedProgram program;
  QVERIFY(program.app.InitInstance(keyword.toStdString() + ",," + scratch.path().toStdString() +
                                   "/,tst,0,3,1"));
  CMainFrame& frame = *program.app.MainFrame();

  QCOMPARE(frame.MiscloseBar() != nullptr, traverseBars);
  QCOMPARE(frame.AdjustmentBar() != nullptr, traverseBars);
  QCOMPARE(frame.GeoidBar() != nullptr, geoidBar);
  QCOMPARE(frame.LevelBookBar() != nullptr, levelBookBar);
  if (traverseBars) {
    // Without a traverse sheet there are no traverse notes, and the bar's
    // commands stay disabled.
    frame.MiscloseBar()->TraverseList()->Refill();
    QCOMPARE(frame.MiscloseBar()->TraverseList()->currentText(), QString("No Traverses defined"));
    QVERIFY(!frame.Action(32804)->isEnabled());
    QVERIFY(!frame.Action(32818)->isEnabled());
  }
}

void FrameTest::geoidBarReadings() {
  QObject actions;
  CGeoidBar bar([&actions](int) { return new QAction(&actions); });
  QCOMPARE(bar.VerticalAdjustmentBox()->text(), QString("0"));
  QVERIFY(!bar.IsGeoidCorrection());
  bar.GeoidCorrectionBox()->setTristate(true);
  bar.GeoidCorrectionBox()->setCheckState(Qt::PartiallyChecked);
  QVERIFY(bar.IsGeoidCorrection());
  // Read as far as the text forms a number, with a decimal point whatever the
  // user's locale.
  bar.VerticalAdjustmentBox()->setText("2.5 sec/km");
  QCOMPARE(bar.VerticalAdjustment(), 2.5);
}

}  // namespace kestrel::testing
