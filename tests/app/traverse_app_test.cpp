// The traverse sheet in the desktop program: opened from the host's command
// line, the misclose and adjustment bars and the "View Traverse Correction
// Report" dialog.
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
#include "app_tests.h"
#include "grid/my_cug.h"
#include "sheets/traverse_test_sheet.h"
#include "survey/geometry.h"

namespace kestrel::testing {
namespace {

struct TextsCase {
  const char* name;
  double distance;  // kEmptyValue: no misclose could be formed
  double bearing;
  const char *bearingText, *distanceText, *accuracy;
};

// Over a perimeter of 500; a misclose the bars show is checked end to end
// below.
const TextsCase kTexts[] = {
    {"exact close has no bearing", 0.0, kNoBearing, "no bearing", "0.000", "Closed"},
    {"no misclose formed", kEmptyValue, 0.0, "", "", ""},
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
    summary.perimeter = 500.0;
    const MiscloseTexts texts = FormatMiscloseTexts(summary, kMetres);
    QCOMPARE(texts.bearing, QString(c.bearingText));
    QCOMPARE(texts.distance, QString(c.distanceText));
    QCOMPARE(texts.accuracy, QString(c.accuracy));
    QCOMPARE(texts.perimeter, QString("500.000"));
  }

  // trav2.tst from the host's command line: a square of 100 booked as
  // bearings, two legs long, so that it misses closing by (+0.03, -0.04): a
  // misclose of 0.05 on 143°07'48" over 400.07. Bowditch takes 100.03/400.07
  // of that off the first leg; its report goes out as CSV, and Cancel writes
  // none.
  void hostOpensTraverseAndTheBarsAdjustIt() {
    QTemporaryDir job;
    TraverseTestSheet square({"0,1,1000,1000,100,", "2,tr 1,2,3,4,1",
                              "3,1,2,90,90,100.03,0,0,,0,0,0", "3,2,3,0,90,100,0,0,,0,0,0",
                              "3,3,4,270,90,100,0,0,,0,0,0", "3,4,1,180,90,100.04,0,0,,0,0,0",
                              "2,TR 1.4,1"});
    QCOMPARE(square.sheet.SaveToFile(job.filePath("trav2.tst").toStdString()), 1);
    ScriptedProgram program;
    QVERIFY(program.Start(job, "traverse", 2));
    QCOMPARE(QString::fromStdString(program.app.Document()->PathName()), job.filePath("trav2.tst"));
    CMainFrame& frame = *program.app.MainFrame();

    CTraverseNoteList* list = frame.MiscloseBar()->TraverseList();
    list->Refill();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(1), QString("TR 1.4,1"));
    frame.Action(kIdCalculateMisclose)->trigger();
    QCOMPARE(frame.MiscloseBar()->BearingBox()->text(), QString("143.0748"));
    QCOMPARE(frame.AdjustmentBar()->AccuracyBox()->text(), QString("1:8001"));

    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<CTraverseReportDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      dialog->CsvButton()->setChecked(true);
      dialog->accept();
    });
    frame.Action(kIdBowditch)->trigger();
    const std::string report = job.filePath("TraverseListing_tst.csv").toStdString();
    QCOMPARE(program.shell.opened, std::vector<std::string>{report});
    const auto& sheet = dynamic_cast<Traverse&>(*program.app.Document()->ActiveSheet());
    QCOMPARE_LT(std::abs(sheet.Rows()[2].adj_east - (1100.03 - 0.0075011)), 1e-6);

    QTimer::singleShot(0, [] {
      if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    frame.Action(kIdTransit)->trigger();
    QCOMPARE(program.shell.opened.size(), std::size_t{1});

    // Printed as the adjustment left it: one page of the Traverse Report.
    QCOMPARE(frame.View()->PrintToPdf(job.filePath("trav.pdf")), 1);
  }

  // A square of turned angles summing to 360°00'20": angular close takes 5"
  // off each of the four, as one step that Undo takes back and Redo makes
  // again.
  void angularCloseUndoes() {
    QTemporaryDir job;
    TraverseTestSheet square({"0,1,1000,1000,100,", "2,angle", "2,tr 1,2,3,4,1", "1,1,0,0,0,0,0",
                              "3,1,2,90,90,100,0,0,,0,0,0", "3,2,3,90.0020,90,100,0,0,,0,0,0",
                              "3,3,4,90,90,100,0,0,,0,0,0", "3,4,1,90,90,100,0,0,,0,0,0"});
    QCOMPARE(square.sheet.SaveToFile(job.filePath("trav1.tst").toStdString()), 1);
    ScriptedProgram program;
    QVERIFY(program.Start(job, "traverse"));
    const auto& sheet = dynamic_cast<Traverse&>(*program.app.Document()->ActiveSheet());
    const auto angle = [&sheet](int row) { return sheet.Rows()[std::size_t(row)].angle; };
    QUndoStack& undo = *program.app.MainFrame()->View()->Grid()->UndoStack();

    program.app.MainFrame()->Action(kIdAngularClose)->trigger();
    QCOMPARE_LT(std::abs(angle(5) - 90.0015), 1e-9);
    undo.undo();
    QCOMPARE(angle(5), 90.002);
    undo.redo();
    QCOMPARE_LT(std::abs(angle(7) - 89.5955), 1e-9);
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<TraverseAppTest>();

}  // namespace
}  // namespace kestrel::testing

#include "traverse_app_test.moc"
