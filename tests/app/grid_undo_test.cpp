// Undo and redo of the grid's edits: every kind of step goes back to the rows
// it found and forward to the rows it made, alone and in a run.
#include <QSignalSpy>
#include <QUndoStack>
#include <functional>

#include "grid_harness.h"
#include "grid_tests.h"
#include "sheets/command_codes.h"

namespace kestrel::testing {

namespace {

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

struct EditCase {
  const char* name;
  std::function<void(GridHarness&)> prepare;  // moving about, not a step
  std::function<void(GridHarness&)> edit;     // the step
  int rowsAdded;
};

const std::vector<EditCase>& EditCases() {
  static const std::vector<EditCase> cases = {
      {"cell edit", [](GridHarness& h) { h.grid.GoToCell(2, 4); },
       [](GridHarness& h) { h.TypeEntry("250"); }, 0},
      {"type key", [](GridHarness& h) { h.grid.GoToCell(1, 0); },
       [](GridHarness& h) {
         h.Type("+");
         h.Press(Qt::Key_Escape);
       },
       0},
      {"default type", [](GridHarness& h) { h.grid.GoToCell(2, 0); },
       [](GridHarness& h) { h.grid.ApplyDefaultRowType(kStadiaHdRl); }, 0},
      {"insert", [](GridHarness& h) { h.grid.GoToCell(2, 0); },
       [](GridHarness& h) { h.Press(Qt::Key_Insert); }, 1},
      {"delete",
       [](GridHarness& h) {
         h.grid.GoToCell(1, 1);
         h.grid.selectionModel()->select(h.grid.model()->index(3, 2), QItemSelectionModel::Select);
       },
       [](GridHarness& h) { h.Press(Qt::Key_Delete); }, -2},
      {"paste",
       [](GridHarness& h) {
         h.grid.GoToCell(0, 1);
         h.grid.selectionModel()->select(h.grid.model()->index(1, 1), QItemSelectionModel::Select);
         h.Press(Qt::Key_C, Qt::ControlModifier);
         h.grid.GoToCell(3, 0);
       },
       [](GridHarness& h) { h.Press(Qt::Key_V, Qt::ControlModifier); }, 2},
      {"entry on the row after the last",
       [](GridHarness& h) { h.grid.GoToCell(h.sheet.RowCount(), 7); },
       [](GridHarness& h) { h.TypeEntry("Fence"); }, 1},
  };
  return cases;
}

}  // namespace

void GridTest::everyEditUndoesAndRedoes() {
  for (const EditCase& c : EditCases()) {
    GridHarness h;
    AddBaseRows(h);
    QVERIFY2(h.Show(), c.name);
    c.prepare(h);
    const std::vector<std::string> before = h.States();
    c.edit(h);
    const std::vector<std::string> after = h.States();
    QVERIFY2(after != before, c.name);
    QVERIFY2(after.size() == before.size() + static_cast<std::size_t>(c.rowsAdded), c.name);
    QVERIFY2(h.grid.UndoStack()->count() == 1, c.name);

    QSignalSpy modified(&h.grid, &MyCug::SheetModified);
    Undo(h);
    QVERIFY2(h.States() == before, c.name);
    QVERIFY2(modified.count() == 1, c.name);
    RedoY(h);
    QVERIFY2(h.States() == after, c.name);
    QVERIFY2(modified.count() == 2, c.name);
    Undo(h);
    QVERIFY2(h.States() == before, c.name);
    RedoShiftZ(h);
    QVERIFY2(h.States() == after, c.name);
  }
}

// Steps made one after another name rows by position; undoing them all must
// still land on the rows the run started from.
void GridTest::mixedStepsUndoToTheStart() {
  GridHarness h;
  AddBaseRows(h);
  QVERIFY(h.Show());
  const std::vector<std::string> start = h.States();
  std::vector<std::vector<std::string>> afterEach;
  for (const EditCase& c : EditCases()) {
    c.prepare(h);
    c.edit(h);
    afterEach.push_back(h.States());
  }
  const int steps = static_cast<int>(afterEach.size());
  QCOMPARE(h.grid.UndoStack()->count(), steps);

  for (int i = steps - 1; i >= 0; --i) {
    QVERIFY(h.States() == afterEach[static_cast<std::size_t>(i)]);
    Undo(h);
  }
  QVERIFY(h.States() == start);
  for (int i = 0; i < steps; ++i) {
    RedoY(h);
    QVERIFY(h.States() == afterEach[static_cast<std::size_t>(i)]);
  }
}

void GridTest::stepsForgottenWhenRowsMoveBehindTheGrid() {
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

  // A new sheet starts without steps.
  h.grid.GoToCell(3, 4);
  h.TypeEntry("75");
  QCOMPARE(h.grid.UndoStack()->count(), 1);
  Stadia other(h.context.ctx);
  h.grid.AttachSource(&other);
  QCOMPARE(h.grid.UndoStack()->count(), 0);
  h.grid.AttachSource(nullptr);
}

// Undo with the type list still open: the list shows the type put back, and
// closing it with Enter does not step the type again.
void GridTest::undoWhileTheTypeListIsOpen() {
  GridHarness h;
  AddBaseRows(h);
  QVERIFY(h.Show());
  h.grid.GoToCell(0, 0);
  h.Type("++");
  QCOMPARE(static_cast<int>(h.sheet.Rows()[0].type), int{kStadiaFnote});
  Undo(h);
  QCOMPARE(static_cast<int>(h.sheet.Rows()[0].type), int{kStadiaAtBs});
  h.Press(Qt::Key_Return);
  QCOMPARE(static_cast<int>(h.sheet.Rows()[0].type), int{kStadiaAtBs});
  QCOMPARE(h.Data(0, 0).toString(), QStringLiteral("AT/BS"));
}

}  // namespace kestrel::testing
