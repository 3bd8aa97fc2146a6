#pragma once
// The entry grid's Qt Test class; its slots live in one file per topic.
#include <QObject>

namespace kestrel::testing {

class GridTest : public QObject {
  Q_OBJECT

 private slots:
  // Typing (grid_editing_test.cpp).
  void enterMovement_data();
  void enterMovement();
  void typeKeys_data();
  void typeKeys();
  void deleteRemovesEveryRowWithASelectedCell();
  void insertOnlyFromTheTypeColumn();
  void typedFieldBookSavesAndReadsBack();
  // What the grid shows (grid_display_test.cpp).
  void gridRowsGrowAtTheBottom_data();
  void gridRowsGrowAtTheBottom();
  void headingsFollowTheCurrentRow_data();
  void headingsFollowTheCurrentRow();
  void headingsFollowATypeChange();
  void rowColoursAndJoinedNotes();
  void selectorChangeRepaintsWithoutStoring();
  // Undo and redo (grid_undo_test.cpp).
  void everyEditUndoesAndRedoes();
  void mixedStepsUndoToTheStart();
  void stepsForgottenWhenRowsMoveBehindTheGrid();
  void undoWhileTheTypeListIsOpen();
  // Timings of a million-row sheet, only with KESTREL_GRID_MEASURE set
  // (grid_large_sheet_measure.cpp).
  void openJumpAndScroll();
};

}  // namespace kestrel::testing
