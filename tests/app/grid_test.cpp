// The entry grid over a Stadia sheet: what it shows (row count, headings of
// the current row's type, row colours and joined note cells), its keys (Enter
// and the type column's keys, a small field book typed with keys only), and
// undo and redo of every kind of edit.
#include <QApplication>
#include <QBrush>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QUndoStack>

#include "app_tests.h"
#include "grid/my_cug.h"
#include "sheets/command_codes.h"

namespace kestrel::testing {
namespace {

// A Stadia sheet on recording ports with an entry grid over it, shown on the
// offscreen platform, and the key helpers the tests type with.
struct GridHarness {
  GridHarness() { grid.resize(900, 640); }

  // Adds a row of `type` with a point number (kNoPoint for none).
  StadiaRow& AddRow(int type, std::uint32_t point = kNoPoint) {
    sheet.Rows().push_back({.type = static_cast<std::int8_t>(type), .point = point});
    return sheet.Rows().back();
  }

  // Adds `count` SD/HT rows numbered from `first`.
  void AddShots(std::uint32_t first, int count) {
    for (int i = 0; i < count; ++i) AddRow(kStadiaSdHt, first + static_cast<std::uint32_t>(i));
  }

  // Attaches the sheet and shows the grid with the focus.
  bool Show() {
    grid.AttachSource(&sheet);
    grid.show();
    grid.activateWindow();
    grid.setFocus();
    return QTest::qWaitForWindowExposed(&grid);
  }

  // The widget the keyboard goes to: an open editor, else the grid.
  QWidget* FocusTarget() {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != grid.window()) target = grid.focusWidget();
    return target != nullptr ? target : &grid;
  }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(FocusTarget(), key, modifiers);
  }

  // Types the text one key at a time, each to whatever has the focus then, as
  // the first key of an entry opens the cell's editor.
  void Type(const std::string& text) {
    for (char c : text) QTest::keyClick(FocusTarget(), c);
  }

  void TypeEntry(const std::string& text) {
    Type(text);
    Press(Qt::Key_Return);
  }

  // Every row's stored state, top to bottom.
  std::vector<std::string> States() {
    std::vector<std::string> states;
    for (int row = 0; row < sheet.RowCount(); ++row) states.push_back(sheet.RowState(row));
    return states;
  }

  int RowType(int row) { return sheet.Rows()[static_cast<std::size_t>(row)].type; }
  QModelIndex Current() const { return grid.currentIndex(); }
  QString Heading(int column) const {
    return grid.model()->headerData(column, Qt::Horizontal).toString();
  }
  QVariant Data(int row, int column, int role = Qt::DisplayRole) const {
    return grid.model()->data(grid.model()->index(row, column), role);
  }

  SheetTestContext context;
  Stadia sheet{context.ctx};
  MyCug grid;
};

// Hundreds of rows plus one hundred; a sheet within ten rows of the grid's
// end gets another hundred when the user scrolls to the bottom.
struct GrowthCase {
  const char* name;
  int sheetRows, startRows, rowsAtBottom;
};
const GrowthCase kGrowths[] = {
    {"95 rows grow to 200", 95, 100, 200},
    {"100 rows start at 200", 100, 200, 200},
    {"290 rows: exactly ten short", 290, 300, 300},
    {"291 rows grow", 291, 300, 400},
};

// Keys typed at a cell of rows 0 STN, 1 Fnote, 2 HD/RL, 3 SD/HT, 4 SD/HT, then
// Enter. In the type column "+" and "-" step STN, AT/BS, Fnote, SD/HT, HZ/DH,
// HD/RL, CHK and round again; Enter keeps the type and moves on.
struct KeyCase {
  const char *name, *keys;
  int row, column;
  int zeroWidthColumn;  // -1: none
  int expectedRow, expectedColumn;
  int typeOfRow0;
};
const KeyCase kKeys[] = {
    {"Enter on a note goes to the next row", "", 1, 1, -1, 2, 0, kStadiaStn},
    {"Enter on the last column goes to the next row", "", 3, 7, -1, 4, 0, kStadiaStn},
    {"Enter before a zero-width column goes to the next row", "", 3, 2, 3, 4, 0, kStadiaStn},
    {"Enter below the sheet steps right", "", 20, 2, -1, 20, 3, kStadiaStn},
    {"plus twice", "++", 0, 0, -1, 0, 1, kStadiaFnote},
    {"minus wraps backwards", "-", 0, 0, -1, 0, 1, kStadiaChk},
    {"seven steps come round", "+ +  ++", 0, 0, -1, 0, 1, kStadiaStn},
};

using Step = std::function<void(GridHarness&)>;

// Station 10, set-up on 10, three shots.
void AddBaseRows(GridHarness& h) {
  StadiaRow& station = h.AddRow(kStadiaStn, 10);
  station.east = 500.0;
  station.north = 800.0;
  h.AddRow(kStadiaAtBs, 10);
  h.AddRow(kStadiaSdHt, 20).dist = 31.25;
  h.AddRow(kStadiaHzDh, 21);
  h.AddRow(kStadiaSdHt, 22).code = "FENCE";
}

void Undo(GridHarness& h) { h.Press(Qt::Key_Z, Qt::ControlModifier); }
void RedoY(GridHarness& h) { h.Press(Qt::Key_Y, Qt::ControlModifier); }
void RedoShiftZ(GridHarness& h) { h.Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }

// Goes to a cell, with a second cell selected too when `alsoRow` is given.
Step At(int row, int column, int alsoRow = -1, int alsoColumn = -1) {
  return [=](GridHarness& h) {
    h.grid.GoToCell(row, column);
    if (alsoRow < 0) return;
    h.grid.selectionModel()->select(h.grid.model()->index(alsoRow, alsoColumn),
                                    QItemSelectionModel::Select);
  };
}

Step Entry(const char* text) {
  return [=](GridHarness& h) { h.TypeEntry(text); };
}

Step Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  return [=](GridHarness& h) { h.Press(key, modifiers); };
}

struct EditCase {
  const char* name;
  Step prepare;  // moving about, not a step
  Step edit;     // the step
  int rowsAdded;
};

const std::vector<EditCase>& EditCases() {
  static const std::vector<EditCase> cases = {
      {"cell edit", At(2, 4), Entry("250"), 0},
      {"type key", At(1, 0),
       [](GridHarness& h) {
         h.Type("+");
         h.Press(Qt::Key_Escape);
       },
       0},
      {"default type", At(2, 0), [](GridHarness& h) { h.grid.ApplyDefaultRowType(kStadiaHdRl); },
       0},
      {"insert", At(2, 0), Keys(Qt::Key_Insert), 1},
      {"delete", At(1, 1, 3, 2), Keys(Qt::Key_Delete), -2},
      {"paste",
       [](GridHarness& h) {
         At(0, 1, 1, 1)(h);
         h.Press(Qt::Key_C, Qt::ControlModifier);
         h.grid.GoToCell(3, 0);
       },
       Keys(Qt::Key_V, Qt::ControlModifier), 2},
      {"entry on the row after the last",
       [](GridHarness& h) { h.grid.GoToCell(h.sheet.RowCount(), 7); }, Entry("Fence"), 1},
  };
  return cases;
}

class GridTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearProfile(); }

  void gridRowsGrowAtTheBottom_data() { AddCaseRows(kGrowths); }
  void gridRowsGrowAtTheBottom() {
    const GrowthCase& c = CaseAt(kGrowths);
    GridHarness h;
    h.AddShots(0, c.sheetRows);
    QVERIFY(h.Show());
    QCOMPARE(h.grid.model()->rowCount(), c.startRows);
    h.grid.scrollToBottom();
    QCOMPARE(h.grid.GridRowCount(), c.rowsAtBottom);
  }

  // The headings are the current row's type's; the row after the last takes
  // the last row's (CHK), and further rows have none.
  void headingsFollowTheCurrentRow() {
    GridHarness h;
    for (int type = kStadiaStn; type <= kStadiaChk; ++type) h.AddRow(type, 50);
    QVERIFY(h.Show());
    const std::pair<int, const char*> cases[] = {{1, "At#"}, {7, "Pt#"}, {9, ""}, {2, "Note"}};
    for (const auto& [row, heading] : cases) {
      h.grid.GoToCell(row, 7);
      QCOMPARE(h.Heading(1), QString(heading));
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

    // Station and set-up rows in blue; a note's joined cell grey.
    const QColor blue(0, 0, 255), black(0, 0, 0), grey(214, 214, 214), white(255, 255, 255);
    const struct {
      int row, column;
      QColor text, background;
    } cells[] = {
        {1, 4, blue, white}, {2, 1, black, grey}, {2, 7, black, white}, {3, 1, black, white}};
    for (const auto& cell : cells) {
      const auto colour = [&](int role) {
        return h.Data(cell.row, cell.column, role).value<QBrush>().color();
      };
      QCOMPARE(colour(Qt::ForegroundRole), cell.text);
      QCOMPARE(colour(Qt::BackgroundRole), cell.background);
    }

    // The note shows once, over columns 1 to 6.
    QCOMPARE(h.Data(2, 1).toString(), QStringLiteral("or 2"));
    QCOMPARE(h.grid.columnSpan(2, 1), 6);
    QCOMPARE(h.grid.columnSpan(3, 1), 1);
    // Only rows in view are joined; a note scrolled into view is joined then.
    QCOMPARE(h.grid.columnSpan(150, 1), 1);
    h.grid.GoToCell(150, 0);
    QCOMPARE(h.grid.columnSpan(150, 1), 6);
    // With the coordinate columns shown the joined cell still ends at column 6.
    h.sheet.Command(kCmdShowCoordinates, std::int64_t{1});
    h.grid.Refresh();
    QCOMPARE(h.grid.columnSpan(150, 1), 6);
  }

  void keys_data() { AddCaseRows(kKeys); }
  void keys() {
    const KeyCase& c = CaseAt(kKeys);
    GridHarness h;
    h.AddRow(kStadiaStn, 1);
    h.AddRow(kStadiaFnote).note = "v0ha";
    h.AddRow(kStadiaHdRl, 2);
    h.AddShots(3, 2);
    QVERIFY(h.Show());
    if (c.zeroWidthColumn >= 0) h.grid.setColumnWidth(c.zeroWidthColumn, 0);
    h.grid.GoToCell(c.row, c.column);
    h.Type(c.keys);
    // The type changes as each key is pressed, and the open list shows it.
    QCOMPARE(h.RowType(0), c.typeOfRow0);
    if (*c.keys != '\0') {
      auto* list = qobject_cast<QComboBox*>(h.FocusTarget());
      QVERIFY(list != nullptr);
      QCOMPARE(list->currentText(), h.Data(0, 0).toString());
    }

    h.Press(Qt::Key_Return);
    QCOMPARE(h.Current().row(), c.expectedRow);
    QCOMPARE(h.Current().column(), c.expectedColumn);
    QCOMPARE(h.RowType(0), c.typeOfRow0);
    QCOMPARE(h.sheet.Rows()[0].point, 1u);
  }

  // A station, a set-up and a shot typed from an empty sheet with keys only. Each entry is followed
  // by Enter; an empty entry is Enter alone.
  void typedFieldBookMakesTheRows() {
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

    StadiaRow setup = AtBs(1, 2, 0.0, 1.5);
    setup.code = "CP";
    const StadiaRow expected[] = {Rec(0, 1, {E, E, E, E, E, 1000.0, 2000.0, 100.5}, "CP"), setup,
                                  Shot(kStadiaSdHt, 2, 90.0, 90.0, 100.0, 1.5, "TREE")};
    QCOMPARE(h.sheet.RowCount(), 3);
    for (int row = 0; row < 3; ++row) QVERIFY(Fields(h.sheet.Rows()[row]) == Fields(expected[row]));
  }

  // Every kind of step, made one after another on the same rows: each is one
  // step that undoes to the rows it found and redoes to the rows it made. The
  // steps name rows by position; undoing the whole run must still land on the
  // rows it started from.
  void everyEditUndoesAndRedoes() {
    GridHarness h;
    AddBaseRows(h);
    QVERIFY(h.Show());
    QSignalSpy modified(&h.grid, &MyCug::SheetModified);
    std::vector<std::vector<std::string>> states{h.States()};
    for (const EditCase& c : EditCases()) {
      c.prepare(h);
      c.edit(h);
      states.push_back(h.States());
      const std::vector<std::string>&before = states[states.size() - 2], &after = states.back();
      QVERIFY2(after != before, c.name);
      QVERIFY2(after.size() == before.size() + static_cast<std::size_t>(c.rowsAdded), c.name);
      QVERIFY2(h.grid.UndoStack()->count() == static_cast<int>(states.size()) - 1, c.name);
      modified.clear();
      Undo(h);
      QVERIFY2(h.States() == before && modified.count() == 1, c.name);
      RedoY(h);
      QVERIFY2(h.States() == after && modified.count() == 2, c.name);
    }

    for (std::size_t i = states.size() - 1; i > 0; --i) {
      Undo(h);
      QVERIFY(h.States() == states[i - 1]);
    }
    for (std::size_t i = 1; i < states.size(); ++i) {
      RedoShiftZ(h);
      QVERIFY(h.States() == states[i]);
    }
  }

  void stepsForgottenWhenRowsMoveBehindTheGrid() {
    GridHarness h;
    AddBaseRows(h);
    QVERIFY(h.Show());
    h.grid.GoToCell(2, 4);
    h.TypeEntry("250");
    QCOMPARE(h.grid.UndoStack()->count(), 1);

    // A point from the host goes in at the top: every row moves down one.
    PointRecord point;
    point.point = 900;
    h.sheet.Command(kCmdInsertHostPoint, std::int64_t{0}, static_cast<const PointRecord*>(&point));
    h.grid.RedrawAll();
    const std::vector<std::string> rows = h.States();
    Undo(h);
    QVERIFY(h.States() == rows);
    QCOMPARE(h.grid.UndoStack()->count(), 0);
  }

  // The real coordinates and a six-figure point number of the station row
  // show whole; a width the user drags wins over the measure on the next
  // sheet of that kind.
  void columnsFitContentAndKeepDraggedWidths() {
    GridHarness h;
    h.sheet.Command(kCmdShowCoordinates, 1);
    StadiaRow& station = h.AddRow(kStadiaStn, 100123);
    station.east = 345678.901;
    station.north = 6234567.890;
    station.height = 123.456;
    h.grid.SetWidthProfileKey("stadia");
    QVERIFY(h.Show());
    const QFontMetrics metrics(h.grid.model()->index(0, 2).data(Qt::FontRole).value<QFont>());
    for (int column : {1, 2, 3, 4, 8, 9}) {
      const QString text = h.Data(0, column).toString();
      QVERIFY2(h.grid.columnWidth(column) > metrics.horizontalAdvance(text), qPrintable(text));
    }

    h.grid.horizontalHeader()->resizeSection(3, 211);
    GridHarness again;
    again.AddRow(kStadiaStn, 7);
    again.grid.SetWidthProfileKey("stadia");
    QVERIFY(again.Show());
    QCOMPARE(again.grid.columnWidth(3), 211);
  }

  // Undo with the type list still open: the list shows the type put back, and
  // closing it with Enter does not step the type again.
  void undoWhileTheTypeListIsOpen() {
    GridHarness h;
    AddBaseRows(h);
    QVERIFY(h.Show());
    h.grid.GoToCell(0, 0);
    h.Type("++");
    QCOMPARE(h.RowType(0), int{kStadiaFnote});
    Undo(h);
    QCOMPARE(h.RowType(0), int{kStadiaAtBs});
    h.Press(Qt::Key_Return);
    QCOMPARE(h.RowType(0), int{kStadiaAtBs});
    QCOMPARE(h.Data(0, 0).toString(), QStringLiteral("AT/BS"));
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<GridTest>();

}  // namespace
}  // namespace kestrel::testing

#include "grid_test.moc"
