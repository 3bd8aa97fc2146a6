// Typing in the entry grid: the Enter key's movement, the type column's keys,
// Delete and Insert, and a small field book typed with keys only.
#include "grid_tests.h"

#include <QComboBox>
#include <QItemSelectionModel>

#include "grid_harness.h"

namespace kestrel::testing {

void GridTest::enterMovement_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("zeroWidthColumn");
  QTest::addColumn<int>("expectedRow");
  QTest::addColumn<int>("expectedColumn");

  // Rows: 0 STN, 1 Fnote, 2 HD/RL, 3 SD/HT, 4 SD/HT.
  QTest::newRow("type column to the point") << 0 << 0 << -1 << 0 << 1;
  QTest::newRow("note goes to the next row") << 1 << 1 << -1 << 2 << 0;
  QTest::newRow("HD/RL height skips the target height") << 2 << 4 << -1 << 2 << 6;
  QTest::newRow("shot steps right") << 3 << 2 << -1 << 3 << 3;
  QTest::newRow("last column goes to the next row") << 3 << 7 << -1 << 4 << 0;
  QTest::newRow("zero-width column goes to the next row") << 3 << 2 << 3 << 4 << 0;
  QTest::newRow("below the sheet steps right") << 20 << 2 << -1 << 20 << 3;
}

void GridTest::enterMovement() {
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(int, zeroWidthColumn);
  QFETCH(int, expectedRow);
  QFETCH(int, expectedColumn);

  GridHarness h;
  h.AddRow(kStadiaStn, 1);
  h.AddRow(kStadiaFnote).note = "v0ha";
  h.AddRow(kStadiaHdRl, 2);
  h.AddRow(kStadiaSdHt, 3);
  h.AddRow(kStadiaSdHt, 4);
  QVERIFY(h.Show());
  if (zeroWidthColumn >= 0) h.grid.setColumnWidth(zeroWidthColumn, 0);

  h.grid.GoToCell(row, column);
  h.Press(Qt::Key_Return);
  QCOMPARE(h.Current().row(), expectedRow);
  QCOMPARE(h.Current().column(), expectedColumn);
}

void GridTest::typeKeys_data() {
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("keyword");
  QTest::addColumn<int>("type");

  // From an STN row; the keywords step STN, AT/BS, Fnote, SD/HT, HZ/DH, HD/RL,
  // CHK and round again.
  QTest::newRow("plus three times") << "+++"
                                    << "SD/HT" << int{kStadiaSdHt};
  QTest::newRow("space") << " "
                         << "AT/BS" << int{kStadiaAtBs};
  QTest::newRow("minus wraps backwards") << "-"
                                         << "CHK" << int{kStadiaChk};
  QTest::newRow("minus twice") << "--"
                               << "HD/RL" << int{kStadiaHdRl};
  QTest::newRow("seven steps come round") << "+ +  ++"
                                          << "STN" << int{kStadiaStn};
  QTest::newRow("forth and back") << "++-"
                                  << "AT/BS" << int{kStadiaAtBs};
}

void GridTest::typeKeys() {
  QFETCH(QString, keys);
  QFETCH(QString, keyword);
  QFETCH(int, type);

  GridHarness h;
  h.AddRow(kStadiaStn, 10);
  h.AddRow(kStadiaStn, 11);
  QVERIFY(h.Show());
  h.grid.GoToCell(0, 0);

  h.Type(keys.toStdString());
  // The type changes as each key is pressed, and the list shows it.
  QCOMPARE(static_cast<int>(h.sheet.Rows()[0].type), type);
  auto* list = qobject_cast<QComboBox*>(h.FocusTarget());
  QVERIFY(list != nullptr);
  QCOMPARE(list->currentText(), keyword);

  h.Press(Qt::Key_Return);
  QCOMPARE(static_cast<int>(h.sheet.Rows()[0].type), type);
  QCOMPARE(h.Data(0, 0).toString(), keyword);
  QCOMPARE(h.Current().column(), 1);
  // Nothing else of the row changed.
  QCOMPARE(h.sheet.Rows()[0].point, 10u);
  QCOMPARE(static_cast<int>(h.sheet.Rows()[1].type), int{kStadiaStn});
}

void GridTest::deleteRemovesEveryRowWithASelectedCell() {
  GridHarness h;
  for (std::uint32_t point = 100; point < 107; ++point) h.AddRow(kStadiaSdHt, point);
  QVERIFY(h.Show());

  h.grid.GoToCell(3, 2);
  QItemSelectionModel* selection = h.grid.selectionModel();
  selection->select(h.grid.model()->index(5, 4), QItemSelectionModel::Select);
  h.Press(Qt::Key_Delete);

  std::vector<std::uint32_t> points;
  for (const StadiaRow& row : h.sheet.Rows()) points.push_back(row.point);
  const std::vector<std::uint32_t> expected = {100, 101, 102, 104, 106};
  QCOMPARE(points, expected);
}

void GridTest::insertOnlyFromTheTypeColumn() {
  GridHarness h;
  h.AddRow(kStadiaSdHt, 1);
  h.AddRow(kStadiaSdHt, 2);
  h.AddRow(kStadiaSdHt, 3);
  QVERIFY(h.Show());

  h.grid.GoToCell(1, 2);
  h.Press(Qt::Key_Insert);
  QCOMPARE(h.sheet.RowCount(), 3);

  h.grid.GoToCell(1, 0);
  h.Press(Qt::Key_Insert);
  QCOMPARE(h.sheet.RowCount(), 4);
  const StadiaRow& inserted = h.sheet.Rows()[1];
  QCOMPARE(static_cast<int>(inserted.type), int{kStadiaStn});
  QCOMPARE(inserted.point, kNoPoint);
  QCOMPARE(h.sheet.Rows()[2].point, 2u);
}

// A station, a set-up and a shot typed from an empty sheet with keys only,
// saved, and read back by a sheet of its own. Each entry is followed by Enter;
// an empty entry is Enter alone.
void GridTest::typedFieldBookSavesAndReadsBack() {
  GridHarness h;
  QVERIFY(h.Show());
  const std::vector<std::vector<std::string>> book = {
      // "+" opens the new row's type list and steps to AT/BS, "-" back.
      {"+-", "1", "1000", "2000", "100.5", "", "CP", ""},
      // Passing over the code takes the station's.
      {"+", "1", "0", "2", "1.5", "", "", ""},
      // Enter over the point number accepts the next number.
      {"+++", "", "90", "90", "100", "1.5", "TREE"},
  };
  for (std::size_t row = 0; row < book.size(); ++row) {
    QCOMPARE(h.Current().row(), static_cast<int>(row));
    QCOMPARE(h.Current().column(), 0);
    for (const std::string& entry : book[row]) h.TypeEntry(entry);
  }

  ScratchFolder folder;
  QVERIFY(folder.Ok());
  const std::string path = folder.File("stad1.tst");
  h.sheet.SaveToFile(path);
  Stadia read(h.context.ctx);
  QCOMPARE(read.LoadFromFile(path), 1);

  StadiaRow station = BlankStadiaRow(kStadiaStn);
  station.point = 1;
  station.east = 1000.0;
  station.north = 2000.0;
  station.height = 100.5;
  station.code = "CP";
  StadiaRow setup = BlankStadiaRow(kStadiaAtBs);
  setup.point = 1;
  setup.hz = 0.0;
  SetBacksightNumber(setup, 2);
  setup.dist = 1.5;
  setup.code = "CP";
  StadiaRow shot = BlankStadiaRow(kStadiaSdHt);
  shot.point = 2;
  shot.hz = 90.0;
  shot.obs2 = 90.0;
  shot.dist = 100.0;
  shot.targetHt = 1.5;
  shot.code = "TREE";
  Stadia expected(h.context.ctx);
  expected.Rows() = {station, setup, shot};

  QCOMPARE(read.RowCount(), 3);
  for (int row = 0; row < 3; ++row) QVERIFY(read.RowState(row) == expected.RowState(row));
}

}  // namespace kestrel::testing
