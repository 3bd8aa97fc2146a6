// What the entry grid shows: its row count, the headings of the current row's
// type, and row colours and joined note cells.
#include <QBrush>
#include <QColor>

#include "grid_harness.h"
#include "sheets/command_codes.h"

namespace kestrel::testing {
namespace {

// Hundreds of rows plus one hundred; a sheet within ten rows of the grid's
// end gets another hundred when the user scrolls to the bottom.
struct GrowthCase {
  const char* name;
  int sheetRows, startRows, rowsAtBottom;
};
const GrowthCase kGrowths[] = {
    {"50 rows stay at 100", 50, 100, 100},    {"95 rows grow to 200", 95, 100, 200},
    {"100 rows start at 200", 100, 200, 200}, {"290 rows: exactly ten short", 290, 300, 300},
    {"291 rows grow", 291, 300, 400},
};

class GridDisplayTest : public QObject {
  Q_OBJECT

 private slots:
  void gridRowsGrowAtTheBottom_data() { AddCaseRows(kGrowths); }
  void gridRowsGrowAtTheBottom() {
    const GrowthCase& c = CaseAt(kGrowths);
    GridHarness h;
    h.AddShots(0, c.sheetRows);
    QVERIFY(h.Show());
    QCOMPARE(h.grid.GridRowCount(), c.startRows);
    QCOMPARE(h.grid.model()->rowCount(), c.startRows);
    QCOMPARE(h.Data(c.startRows - 1, 1).toString(), QString());

    h.grid.scrollToBottom();
    QCOMPARE(h.grid.GridRowCount(), c.rowsAtBottom);
  }

  void headingsFollowTheCurrentRow() {
    const QStringList shot = {"Type", "Pt#", "Hz Cir", "Vt Cir", "S/Dist", "Ht", "PC", "Comments"};
    const struct {
      int row;
      QStringList headings;
    } cases[] = {
        {1, {"Type", "At#", "Hz Cir", "BS#", "Ht In", "", "PC", "Comments"}},
        {2, {"Type", "Note", "", "", "", "", "PC", "Comments"}},
        {4, {"Type", "Pt#", "Hz Cir", "Hz dist", "Ht/Diff", "Ht", "PC", "Comments"}},
        {7, shot},                              // the row after the last takes the last row's (CHK)
        {9, {"", "", "", "", "", "", "", ""}},  // further rows have none
    };
    GridHarness h;
    for (int type = kStadiaStn; type <= kStadiaChk; ++type) h.AddRow(type, 50);
    QVERIFY(h.Show());
    for (const auto& c : cases) {
      // Start elsewhere, so that the move is a change of row.
      h.grid.GoToCell(0, 7);
      h.grid.GoToCell(c.row, 7);
      QStringList shown;
      for (int column = 0; column < h.grid.model()->columnCount(); ++column) {
        shown << h.Heading(column);
      }
      QCOMPARE(shown, c.headings);
    }
  }

  void rowColoursAndJoinedNotes() {
    GridHarness h;
    h.AddRow(kStadiaStn, 1);
    h.AddRow(kStadiaAtBs, 1);
    h.AddRow(kStadiaFnote).note = "or 2";
    h.AddShots(3, 147);
    h.AddRow(kStadiaFnote).note = "far below";  // row 150
    QVERIFY(h.Show());

    const QColor blue(0, 0, 255), black(0, 0, 0), grey(214, 214, 214), white(255, 255, 255);
    const struct {
      int row, column;
      QColor text, background;
    } cells[] = {
        {0, 1, blue, white}, {1, 1, blue, white},  {1, 4, blue, white},  {2, 0, black, white},
        {2, 1, black, grey}, {2, 7, black, white}, {3, 1, black, white}, {3, 6, black, white},
    };
    for (const auto& cell : cells) {
      const QString where = QStringLiteral("row %1 column %2").arg(cell.row).arg(cell.column);
      const auto colour = [&](int role) {
        return h.Data(cell.row, cell.column, role).value<QBrush>().color();
      };
      QVERIFY2(colour(Qt::ForegroundRole) == cell.text, qPrintable(where));
      QVERIFY2(colour(Qt::BackgroundRole) == cell.background, qPrintable(where));
    }

    // The note shows once, over columns 1 to 6.
    QCOMPARE(h.Data(2, 1).toString(), QStringLiteral("or 2"));
    QCOMPARE(h.grid.columnSpan(2, 1), 6);
    QCOMPARE(h.grid.columnSpan(3, 1), 1);
    // Only rows in view are joined; a note scrolled into view is joined then.
    QCOMPARE(h.grid.columnSpan(150, 1), 1);
    h.grid.GoToCell(150, 0);
    QCOMPARE(h.grid.columnSpan(150, 1), 6);
    QCOMPARE(h.Data(150, 1).toString(), QStringLiteral("far below"));

    // With the coordinate columns shown the joined cell still ends at column 6.
    h.sheet.Command(kCmdShowCoordinates, std::int64_t{1});
    h.grid.Refresh();
    QCOMPARE(h.grid.model()->columnCount(), 11);
    QCOMPARE(h.grid.columnSpan(150, 1), 6);
    QCOMPARE(h.Heading(8), QStringLiteral("East"));
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<GridDisplayTest>();

}  // namespace
}  // namespace kestrel::testing

#include "grid_display_test.moc"
