// What the entry grid shows: its row count, the headings of the current row's
// type, row colours and joined note cells, and repaints after a selector
// change.
#include <QBrush>
#include <QColor>

#include "grid_harness.h"
#include "grid_tests.h"
#include "sheets/command_codes.h"

namespace kestrel::testing {

void GridTest::gridRowsGrowAtTheBottom_data() {
  QTest::addColumn<int>("sheetRows");
  QTest::addColumn<int>("startRows");
  QTest::addColumn<int>("rowsAtBottom");

  // Hundreds of rows plus one hundred; a sheet within ten rows of the grid's
  // end gets another hundred when the user scrolls to the bottom.
  QTest::newRow("50 rows stay at 100") << 50 << 100 << 100;
  QTest::newRow("95 rows grow to 200") << 95 << 100 << 200;
  QTest::newRow("290 rows: exactly ten short") << 290 << 300 << 300;
  QTest::newRow("291 rows grow") << 291 << 300 << 400;
}

void GridTest::gridRowsGrowAtTheBottom() {
  QFETCH(int, sheetRows);
  QFETCH(int, startRows);
  QFETCH(int, rowsAtBottom);

  GridHarness h;
  for (int row = 0; row < sheetRows; ++row) h.AddRow(kStadiaSdHt, static_cast<std::uint32_t>(row));
  QVERIFY(h.Show());
  QCOMPARE(h.grid.GridRowCount(), startRows);
  QCOMPARE(h.grid.model()->rowCount(), startRows);
  QCOMPARE(h.Data(startRows - 1, 1).toString(), QString());

  h.grid.scrollToBottom();
  QCOMPARE(h.grid.GridRowCount(), rowsAtBottom);
}

void GridTest::headingsFollowTheCurrentRow_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<QStringList>("headings");

  // Rows 0 to 6 are STN, AT/BS, Fnote, SD/HT, HZ/DH, HD/RL and CHK.
  const QStringList check = {"Type", "Pt#", "Hz Cir", "Vt Cir", "S/Dist", "Ht", "PC", "Comments"};
  QTest::newRow("AT/BS") << 1 << QStringList{"Type",  "At#", "Hz Cir", "BS#",
                                             "Ht In", "",    "PC",     "Comments"};
  QTest::newRow("Fnote") << 2 << QStringList{"Type", "Note", "", "", "", "", "PC", "Comments"};
  QTest::newRow("HZ/DH") << 4 << QStringList{"Type",    "Pt#", "Hz Cir", "Hz dist",
                                             "Ht/Diff", "Ht",  "PC",     "Comments"};
  QTest::newRow("row after the last takes the last row's") << 7 << check;
  QTest::newRow("further rows have none") << 9 << QStringList{"", "", "", "", "", "", "", ""};
}

void GridTest::headingsFollowTheCurrentRow() {
  QFETCH(int, row);
  QFETCH(QStringList, headings);

  GridHarness h;
  for (int type = kStadiaStn; type <= kStadiaChk; ++type) h.AddRow(type, 50);
  QVERIFY(h.Show());
  // Start elsewhere, so that the move is a change of row.
  h.grid.GoToCell(0, 7);
  h.grid.GoToCell(row, 7);
  QStringList shown;
  for (int column = 0; column < h.grid.model()->columnCount(); ++column) {
    shown << h.Heading(column);
  }
  QCOMPARE(shown, headings);
}

void GridTest::headingsFollowATypeChange() {
  GridHarness h;
  h.AddRow(kStadiaStn, 1);
  h.AddRow(kStadiaStn, 2);
  QVERIFY(h.Show());
  h.grid.GoToCell(0, 0);
  QCOMPARE(h.Heading(1), QStringLiteral("Pt#"));
  h.Type("+");
  QCOMPARE(h.Heading(1), QStringLiteral("At#"));
  QCOMPARE(h.Heading(3), QStringLiteral("BS#"));
  h.Type("+");
  QCOMPARE(h.Heading(1), QStringLiteral("Note"));
}

void GridTest::rowColoursAndJoinedNotes() {
  GridHarness h;
  h.AddRow(kStadiaStn, 1);
  h.AddRow(kStadiaAtBs, 1);
  h.AddRow(kStadiaFnote).note = "or 2";
  h.AddRow(kStadiaSdHt, 3);
  for (std::uint32_t point = 4; point < 150; ++point) h.AddRow(kStadiaSdHt, point);
  h.AddRow(kStadiaFnote).note = "far below";  // row 150
  QVERIFY(h.Show());

  const QColor blue(0, 0, 255);
  const QColor black(0, 0, 0);
  const QColor grey(214, 214, 214);
  const QColor white(255, 255, 255);
  struct Expected {
    int row;
    int column;
    QColor text;
    QColor background;
  };
  const Expected cells[] = {
      {0, 1, blue, white}, {1, 1, blue, white},  {1, 4, blue, white},  {2, 0, black, white},
      {2, 1, black, grey}, {2, 7, black, white}, {3, 1, black, white}, {3, 6, black, white},
  };
  for (const Expected& cell : cells) {
    const QString where = QStringLiteral("row %1 column %2").arg(cell.row).arg(cell.column);
    QVERIFY2(h.Data(cell.row, cell.column, Qt::ForegroundRole).value<QBrush>().color() == cell.text,
             qPrintable(where));
    QVERIFY2(h.Data(cell.row, cell.column, Qt::BackgroundRole).value<QBrush>().color() ==
                 cell.background,
             qPrintable(where));
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

void GridTest::selectorChangeRepaintsWithoutStoring() {
  GridHarness h;
  StadiaRow& shot = h.AddRow(kStadiaSdHt, 7);
  shot.hz = 45.3;  // 45 degrees 30 minutes
  shot.obs2 = 90.0;
  h.AddRow(kStadiaSdHt, 8);
  QVERIFY(h.Show());
  const std::vector<std::string> stored = h.States();
  const QString wholeCircle = h.Data(0, 2).toString();
  QVERIFY(wholeCircle.contains(QStringLiteral("45")));

  // 45.5 degrees are 50.5556 grads; 90 degrees are 100 grads.
  h.context.units.bearingMode = 1;
  h.grid.RedrawAll();
  QCOMPARE(h.Data(0, 2).toString().trimmed(), QStringLiteral("50.5556g"));
  QCOMPARE(h.Data(0, 3).toString().trimmed(), QStringLiteral("100.0000g"));
  QVERIFY(h.States() == stored);

  h.context.units.bearingMode = 0;
  h.grid.RedrawAll();
  QCOMPARE(h.Data(0, 2).toString(), wholeCircle);
  QVERIFY(h.States() == stored);
}

}  // namespace kestrel::testing
