// Typing in the entry grid: the Enter key's movement, the type column's keys,
// Delete and Insert, and a small field book typed with keys only.
#include <QComboBox>
#include <QItemSelectionModel>
#include <QTemporaryDir>

#include "grid_harness.h"

namespace kestrel::testing {
namespace {

struct EnterCase {
  const char* name;
  int row, column;
  int zeroWidthColumn;  // -1: none
  int expectedRow, expectedColumn;
};
// Rows: 0 STN, 1 Fnote, 2 HD/RL, 3 SD/HT, 4 SD/HT.
const EnterCase kEnters[] = {
    {"type column to the point", 0, 0, -1, 0, 1},
    {"note goes to the next row", 1, 1, -1, 2, 0},
    {"HD/RL height skips the target height", 2, 4, -1, 2, 6},
    {"shot steps right", 3, 2, -1, 3, 3},
    {"last column goes to the next row", 3, 7, -1, 4, 0},
    {"zero-width column goes to the next row", 3, 2, 3, 4, 0},
    {"below the sheet steps right", 20, 2, -1, 20, 3},
};

// From an STN row; the keywords step STN, AT/BS, Fnote, SD/HT, HZ/DH, HD/RL,
// CHK and round again. The headings follow each step.
struct TypeKeysCase {
  const char *name, *keys, *keyword;
  int type;
  const char* pointHeading;
};
const TypeKeysCase kTypeKeys[] = {
    {"plus three times", "+++", "SD/HT", kStadiaSdHt, "Pt#"},
    {"space", " ", "AT/BS", kStadiaAtBs, "At#"},
    {"plus twice", "++", "Fnote", kStadiaFnote, "Note"},
    {"minus wraps backwards", "-", "CHK", kStadiaChk, "Pt#"},
    {"seven steps come round", "+ +  ++", "STN", kStadiaStn, "Pt#"},
};

class GridEditingTest : public QObject {
  Q_OBJECT

 private slots:
  void enterMovement_data() { AddCaseRows(kEnters); }
  void enterMovement() {
    const EnterCase& c = CaseAt(kEnters);
    GridHarness h;
    h.AddRow(kStadiaStn, 1);
    h.AddRow(kStadiaFnote).note = "v0ha";
    h.AddRow(kStadiaHdRl, 2);
    h.AddShots(3, 2);
    QVERIFY(h.Show());
    if (c.zeroWidthColumn >= 0) h.grid.setColumnWidth(c.zeroWidthColumn, 0);

    h.grid.GoToCell(c.row, c.column);
    h.Press(Qt::Key_Return);
    QCOMPARE(h.Current().row(), c.expectedRow);
    QCOMPARE(h.Current().column(), c.expectedColumn);
  }

  void typeKeys_data() { AddCaseRows(kTypeKeys); }
  void typeKeys() {
    const TypeKeysCase& c = CaseAt(kTypeKeys);
    GridHarness h;
    h.AddRow(kStadiaStn, 10);
    h.AddRow(kStadiaStn, 11);
    QVERIFY(h.Show());
    h.grid.GoToCell(0, 0);

    h.Type(c.keys);
    // The type changes as each key is pressed, and the list shows it.
    QCOMPARE(h.RowType(0), c.type);
    auto* list = qobject_cast<QComboBox*>(h.FocusTarget());
    QVERIFY(list != nullptr);
    QCOMPARE(list->currentText(), QString(c.keyword));
    QCOMPARE(h.Heading(1), QString(c.pointHeading));

    h.Press(Qt::Key_Return);
    QCOMPARE(h.RowType(0), c.type);
    QCOMPARE(h.Data(0, 0).toString(), QString(c.keyword));
    QCOMPARE(h.Current().column(), 1);
    // Nothing else of the row changed.
    QCOMPARE(h.sheet.Rows()[0].point, 10u);
    QCOMPARE(h.RowType(1), int{kStadiaStn});
  }

  // Delete removes every row with a selected cell; Insert works only from the
  // type column, and inserts a blank STN row.
  void deleteAndInsertRows() {
    GridHarness h;
    h.AddShots(100, 7);
    QVERIFY(h.Show());

    h.grid.GoToCell(3, 2);
    h.grid.selectionModel()->select(h.grid.model()->index(5, 4), QItemSelectionModel::Select);
    h.Press(Qt::Key_Delete);
    std::vector<std::uint32_t> points;
    for (const StadiaRow& row : h.sheet.Rows()) points.push_back(row.point);
    QCOMPARE(points, (std::vector<std::uint32_t>{100, 101, 102, 104, 106}));

    h.grid.GoToCell(1, 2);
    h.Press(Qt::Key_Insert);
    QCOMPARE(h.sheet.RowCount(), 5);
    h.grid.GoToCell(1, 0);
    h.Press(Qt::Key_Insert);
    QCOMPARE(h.sheet.RowCount(), 6);
    QCOMPARE(h.RowType(1), int{kStadiaStn});
    QCOMPARE(h.sheet.Rows()[1].point, kNoPoint);
    QCOMPARE(h.sheet.Rows()[2].point, 101u);
  }

  // A station, a set-up and a shot typed from an empty sheet with keys only,
  // saved, and read back by a sheet of its own. Each entry is followed by Enter;
  // an empty entry is Enter alone.
  void typedFieldBookSavesAndReadsBack() {
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

    QTemporaryDir folder;
    const std::string path = folder.filePath("stad1.tst").toStdString();
    h.sheet.SaveToFile(path);
    Stadia read(h.context.ctx);
    QCOMPARE(read.LoadFromFile(path), 1);

    Stadia expected(h.context.ctx);
    expected.Rows() = {Station(1, 1000.0, 2000.0, 100.5), Setup(1, 2, 0.0, 1.5),
                       Shot(2, 90.0, 90.0, 100.0, 1.5)};
    expected.Rows()[0].code = expected.Rows()[1].code = "CP";
    expected.Rows()[2].code = "TREE";
    QCOMPARE(read.RowCount(), 3);
    for (int row = 0; row < 3; ++row) QCOMPARE(read.RowState(row), expected.RowState(row));
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<GridEditingTest>();

}  // namespace
}  // namespace kestrel::testing

#include "grid_editing_test.moc"
