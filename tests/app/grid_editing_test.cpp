// Typing in the entry grid: the Enter key's movement, the type column's keys,
// Delete and Insert, and a small field book typed with keys only.
#include "grid_tests.h"

#include <QComboBox>
#include <QItemSelectionModel>

#include "grid_harness.h"

namespace kestrel::testing {

void GridEditingTest::enterMovement_data() {
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

void GridEditingTest::enterMovement() {
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

void GridEditingTest::typeKeys_data() {
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

void GridEditingTest::typeKeys() {
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

void GridEditingTest::deleteRemovesEveryRowWithASelectedCell() {
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

void GridEditingTest::insertOnlyFromTheTypeColumn() {
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
  QCOMPARE(h.Data(1, 0).toString(), QStringLiteral("STN"));
  QCOMPARE(h.Data(1, 1).toString(), QString());
  QCOMPARE(h.sheet.Rows()[2].point, 2u);
}

// A station, a set-up and a shot typed from an empty sheet with keys only,
// saved, and read back by a sheet of its own.
void GridEditingTest::typedFieldBookSavesAndReadsBack() {
  GridHarness h;
  QVERIFY(h.Show());
  QCOMPARE(h.sheet.RowCount(), 0);

  // Row 0: "+" opens the new row's type list and steps to AT/BS, "-" back.
  h.Type("+-");
  h.Press(Qt::Key_Return);
  h.TypeEntry("1");
  h.TypeEntry("1000");
  h.TypeEntry("2000");
  h.TypeEntry("100.5");
  h.Press(Qt::Key_Return);  // column 5 has no field on a station
  h.TypeEntry("CP");
  h.Press(Qt::Key_Return);  // past the comment: column 0 of a new row
  QCOMPARE(h.Current().row(), 1);
  QCOMPARE(h.Current().column(), 0);
  QCOMPARE(h.sheet.RowCount(), 2);

  // Row 1: the set-up. Passing over the code column takes the station's code.
  h.Type("+");
  h.Press(Qt::Key_Return);
  QCOMPARE(h.Heading(1), QStringLiteral("At#"));
  h.TypeEntry("1");
  h.TypeEntry("0");
  h.TypeEntry("2");
  h.TypeEntry("1.5");
  h.Press(Qt::Key_Return);
  h.Press(Qt::Key_Return);
  h.Press(Qt::Key_Return);
  QCOMPARE(h.Current().row(), 2);

  // Row 2: a shot. Enter over the point number accepts the next number.
  h.Type("+++");
  h.Press(Qt::Key_Return);
  QCOMPARE(h.Heading(3), QStringLiteral("Vt Cir"));
  QCOMPARE(h.Data(2, 1).toString().trimmed(), QStringLiteral("2"));
  h.Press(Qt::Key_Return);
  h.TypeEntry("90");
  h.TypeEntry("90");
  h.TypeEntry("100");
  h.TypeEntry("1.5");
  h.TypeEntry("TREE");

  ScratchFolder folder;
  QVERIFY(folder.Ok());
  const std::string path = folder.File("stad1.tst");
  h.sheet.SaveToFile(path);
  Stadia read(h.context.ctx);
  QCOMPARE(read.LoadFromFile(path), 1);
  QCOMPARE(read.RowCount(), 3);

  const StadiaRow& station = read.Rows()[0];
  QCOMPARE(static_cast<int>(station.type), int{kStadiaStn});
  QCOMPARE(station.point, 1u);
  QCOMPARE(station.east, 1000.0);
  QCOMPARE(station.north, 2000.0);
  QCOMPARE(station.height, 100.5);
  QCOMPARE(station.code, std::string("CP"));

  const StadiaRow& setup = read.Rows()[1];
  QCOMPARE(static_cast<int>(setup.type), int{kStadiaAtBs});
  QCOMPARE(setup.point, 1u);
  QCOMPARE(setup.hz, 0.0);
  QCOMPARE(BacksightNumber(setup), 2u);
  QCOMPARE(setup.dist, 1.5);
  QCOMPARE(setup.code, std::string("CP"));

  const StadiaRow& shot = read.Rows()[2];
  QCOMPARE(static_cast<int>(shot.type), int{kStadiaSdHt});
  QCOMPARE(shot.point, 2u);
  QCOMPARE(shot.hz, 90.0);
  QCOMPARE(shot.obs2, 90.0);
  QCOMPARE(shot.dist, 100.0);
  QCOMPARE(shot.targetHt, 1.5);
  QCOMPARE(shot.code, std::string("TREE"));
}

}  // namespace kestrel::testing
