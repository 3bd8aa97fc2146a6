// The traverse sheet in the desktop program: opened from the host's command
// line, the misclose and adjustment bars, the "Traverse Default" and "View
// Traverse Correction Report" dialogs.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

#include "app/command_ids.h"
#include "app/kestrel_view.h"
#include "app/sheet_bars.h"
#include "app/traverse_bar_commands.h"
#include "app/traverse_default.h"
#include "app_tests.h"
#include "grid/my_cug.h"
#include "sheets/traverse_test_sheet.h"
#include "survey/geometry.h"

namespace kestrel::testing {
namespace {

// A square of 100 booked as bearings, two legs long: easting +0.03 and
// northing -0.04 short of closing, a misclose of 0.05 (bearing 143°07'48")
// over a perimeter of 400.07.
const std::vector<std::string> kSquare = {
    "0,1,1000,1000,100,",
    "2,tr 1,2,3,4,1",
    "3,1,2,90,90,100.03,0,0,,0,0,0",
    "3,2,3,0,90,100,0,0,,0,0,0",
    "3,3,4,270,90,100,0,0,,0,0,0",
    "3,4,1,180,90,100.04,0,0,,0,0,0",
    "2,TR 1.4,1",
};

struct TextsCase {
  const char* name;
  double distance;  // kEmptyValue: no misclose could be formed
  double bearing;
  double perimeter;
  const char* bearingText;
  const char* distanceText;
  const char* accuracy;
};

const TextsCase kTexts[] = {
    {"under a millimetre closes", 0.0004, 12.3456, 500.0, "12.3456", "0.000", "Closed"},
    {"5 cm in 500 m", 0.05, 143.0748, 500.0, "143.0748", "0.050", "1:10000"},
    {"ratio truncated", 0.3, 90.0, 500.0, "90.0000", "0.300", "1:1666"},
    {"exact close has no bearing", 0.0, kNoBearing, 500.0, "no bearing", "0.000", "Closed"},
    {"no misclose formed", kEmptyValue, 0.0, 500.0, "", "", ""},
};

class TraverseAppTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearProfile(); }

  void miscloseTexts_data() { AddCaseRows(kTexts); }
  void miscloseTexts() {
    const TextsCase& c = CaseAt(kTexts);
    MiscloseSummary summary;
    summary.linear.distance = c.distance;
    summary.linear.bearing = c.bearing;
    summary.perimeter = c.perimeter;
    const MiscloseTexts texts = FormatMiscloseTexts(summary, kMetres);
    QCOMPARE(texts.bearing, QString(c.bearingText));
    QCOMPARE(texts.distance, QString(c.distanceText));
    QCOMPARE(texts.accuracy, QString(c.accuracy));
    QCOMPARE(texts.perimeter, QString("500.000"));
  }

  void traverseDefaultOffersNineTypes() {
    CTraverseDefault dialog;
    QCOMPARE(dialog.windowTitle(), QString("Traverse Default"));
    QStringList labels;
    for (const QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
      labels << button->text();
    }
    QCOMPARE(labels, QStringList({"Stn", "Bsite", "Fnote", "Traverse", "Dual", "Rounds", "SShot",
                                  "Close", "Robj"}));
    QCOMPARE(dialog.Value(), -1);
    dialog.SetValue(6);
    QCOMPARE(dialog.Value(), 6);
  }

  // A leg typed with only its From point: the grid shows and keeps To as
  // From + 1 and the leg above's angle, distance and heights; Enter moves
  // along the row; the type keys step over all ten types; Undo takes the
  // typing back.
  void typingALegInTheGrid() {
    TraverseTestSheet t({"0,1,1000,1000,100,", "3,1,2,90,90,100,1.5,1.6,,0,0,0"});
    MyCug grid;
    grid.resize(900, 640);
    grid.AttachSource(&t.sheet);
    grid.show();
    grid.activateWindow();
    grid.setFocus();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const auto focus = [&grid] {
      QWidget* target = QApplication::focusWidget();
      return target != nullptr && target->window() == grid.window() ? target : &grid;
    };
    const auto shown = [&grid](int row, int column) {
      return grid.model()->data(grid.model()->index(row, column)).toString().trimmed();
    };

    const std::string leg = t.sheet.RowState(1);
    grid.GoToCell(2, 1);
    QTest::keyClick(focus(), '2');
    QTest::keyClick(focus(), Qt::Key_Return);
    QCOMPARE(t.sheet.RowCount(), 3);
    QCOMPARE(int{t.Row(2).type}, int{kTravTraverse});  // the last row's type
    QCOMPARE(grid.currentIndex().column(), 2);
    QCOMPARE(shown(2, 2), QString("3"));
    QCOMPARE(shown(2, 5), QString("100.000"));
    QCOMPARE(shown(2, 6), QString("1.500"));
    QCOMPARE(t.Row(2).to, 3u);
    QCOMPARE(t.Row(2).inst_ht, 1.5f);

    grid.GoToCell(2, 0);
    for (int i = 0; i < 7; ++i) QTest::keyClick(focus(), '+');
    QCOMPARE(int{t.Row(2).type}, 0);  // past Check, back to STN
    QTest::keyClick(focus(), '-');
    QCOMPARE(int{t.Row(2).type}, int{kTravCheck});
    QTest::keyClick(focus(), Qt::Key_Return);

    const int steps = grid.UndoStack()->count();
    QVERIFY(steps >= 2);
    for (int i = 0; i < steps; ++i) grid.UndoStack()->undo();
    QCOMPARE(t.sheet.RowCount(), 2);
    QCOMPARE(t.sheet.RowState(1), leg);
    grid.AttachSource(nullptr);
  }

  // The host's command line opens trav2.tst; the bars list the route notes,
  // show the misclose and adjust by Bowditch, whose report goes out as CSV.
  void hostOpensTraverseAndTheBarsAdjustIt() {
    QTemporaryDir job;
    {
      TraverseTestSheet square(kSquare);
      QVERIFY(square.sheet.SaveToFile(job.filePath("trav2.tst").toStdString()) == 1);
    }
    ScriptedProgram program;
    QVERIFY(program.app.InitInstance("traverse,," + job.path().toStdString() + "/,tst,0,3,2"));
    QCOMPARE(QString::fromStdString(program.app.Document()->PathName()), job.filePath("trav2.tst"));
    CMainFrame& frame = *program.app.MainFrame();
    QVERIFY(frame.MiscloseBar() != nullptr && frame.AdjustmentBar() != nullptr);
    for (int id : {kIdCalculateMisclose, kIdAngularClose, kIdBowditch, kIdCompass, kIdTransit,
                   kIdCrandall, kIdHeightAdjustment, kIdEntryType}) {
      QVERIFY2(frame.Action(id)->isEnabled(), qPrintable(QString::number(id)));
    }

    CTraverseNoteList* list = frame.MiscloseBar()->TraverseList();
    list->Refill();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(1), QString("TR 1.4,1"));

    frame.Action(kIdCalculateMisclose)->trigger();
    QCOMPARE(frame.MiscloseBar()->BearingBox()->text(), QString("143.0748"));
    QCOMPARE(frame.MiscloseBar()->DistanceBox()->text(), QString("0.050"));
    QCOMPARE(frame.AdjustmentBar()->PerimeterBox()->text(), QString("400.070"));
    QCOMPARE(frame.AdjustmentBar()->AccuracyBox()->text(), QString("1:8001"));

    QString title;
    QTimer::singleShot(0, [&title] {
      auto* dialog = qobject_cast<CTraverseReportDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      title = dialog->windowTitle();
      dialog->CsvButton()->setChecked(true);
      dialog->CorrectedBox()->setChecked(true);
      dialog->accept();
    });
    frame.Action(kIdBowditch)->trigger();
    QCOMPARE(title, QString("View Traverse Correction Report"));
    QCOMPARE(program.shell.opened,
             std::vector<std::string>{job.filePath("TraverseListing_tst.csv").toStdString()});
    QVERIFY(ReadFile(job.filePath("TraverseListing_tst.csv")).startsWith("Traverse Adjustment"));

    // Leg 1 carries 100.03/400.07 of the misclose (0.03, -0.04), taken off.
    const auto& sheet = dynamic_cast<Traverse&>(*program.app.Document()->ActiveSheet());
    QCOMPARE_LT(std::abs(sheet.Rows()[2].adj_east - (1100.03 - 0.0075011)), 1e-6);
    QCOMPARE_LT(std::abs(sheet.Rows()[2].adj_north - (1000.0 + 0.0100015)), 1e-6);
    QCOMPARE_LT(std::abs(sheet.Rows()[5].adj_east - 1000.0), 1e-9);
    QCOMPARE_LT(std::abs(sheet.Rows()[5].adj_north - 1000.0), 1e-9);

    // Cancel writes no report.
    QTimer::singleShot(0, [] {
      if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    frame.Action(kIdTransit)->trigger();
    QCOMPARE(program.shell.opened.size(), std::size_t{1});

    program.app.MainFrame()->View()->ApplyEntryType(8);
    QCOMPARE(sheet.DefaultType(), 8);
    QCOMPARE(program.app.MainFrame()->View()->PrintToPdf(job.filePath("trav.pdf")), 1);
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<TraverseAppTest>();

}  // namespace
}  // namespace kestrel::testing

#include "traverse_app_test.moc"
