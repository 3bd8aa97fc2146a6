#pragma once
// The entry grid's Qt Test classes, run one after the other by grid_tests.
#include <QObject>

namespace kestrel::testing {

class GridEditingTest : public QObject {
  Q_OBJECT

 private slots:
  void enterMovement_data();
  void enterMovement();
  void typeKeys_data();
  void typeKeys();
  void deleteRemovesEveryRowWithASelectedCell();
  void insertOnlyFromTheTypeColumn();
  void typedFieldBookSavesAndReadsBack();
};

class GridDisplayTest : public QObject {
  Q_OBJECT

 private slots:
  void gridRowsGrowAtTheBottom_data();
  void gridRowsGrowAtTheBottom();
  void headingsFollowTheCurrentRow_data();
  void headingsFollowTheCurrentRow();
  void headingsFollowATypeChange();
  void rowColoursAndJoinedNotes();
  void selectorChangeRepaintsWithoutStoring();
};

class GridUndoTest : public QObject {
  Q_OBJECT

 private slots:
  void everyEditUndoesAndRedoes();
  void mixedStepsUndoToTheStart();
  void stepsForgottenWhenRowsMoveBehindTheGrid();
  void undoWhileTheTypeListIsOpen();
};

// Timings of a million-row sheet; runs only when KESTREL_GRID_MEASURE is set.
class GridLargeSheetMeasure : public QObject {
  Q_OBJECT

 private slots:
  void openJumpAndScroll();
};

}  // namespace kestrel::testing
