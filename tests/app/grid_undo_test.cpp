// Undo and redo of the grid's edits: every kind of step goes back to the rows
// it found and forward to the rows it made, alone and in a run; steps are
// forgotten when the rows move behind the grid's back.
#include <QSignalSpy>
#include <QUndoStack>
#include <functional>

#include "grid_harness.h"
#include "sheets/command_codes.h"

namespace kestrel::testing {
namespace {

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

class GridUndoTest : public QObject {
  Q_OBJECT

 private slots:
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

[[maybe_unused]] const bool kRegistered = RegisterTestClass<GridUndoTest>();

}  // namespace
}  // namespace kestrel::testing

#include "grid_undo_test.moc"
