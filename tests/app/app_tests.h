#pragma once
// The desktop program's test classes, run by app_tests_main.cpp.
#include <QObject>

namespace kestrel::testing {

class TableSelectionTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void radioButtonRebuildsPath_data();
  void radioButtonRebuildsPath();
  void numberFieldRebuildsPath();
  void newAndOpenExistingPrepareTheFile_data();
  void newAndOpenExistingPrepareTheFile();
  void browsedFileDecidesTypeAndNumber();
};

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void numberedCommandLineOpensWithoutDialog_data();
  void numberedCommandLineOpensWithoutDialog();
  void unnumberedCommandLineAsksForTheSheet_data();
  void unnumberedCommandLineAsksForTheSheet();
  void cancelInTheDialogEndsWithoutWindow();
  void helpTopicsOpensTheManual_data();
  void helpTopicsOpensTheManual();
};

class FrameTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void distanceSelectorStart_data();
  void distanceSelectorStart();
  void bearingSelectorModes_data();
  void bearingSelectorModes();
  void changingNotationRedrawsButKeepsValues();
  void menuCommands_data();
  void menuCommands();
  void barsBelongToTheirSheetKind_data();
  void barsBelongToTheirSheetKind();
  void geoidBarReadings();
};

class DocumentViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void gridRowsFollowSheetRows_data();
  void gridRowsFollowSheetRows();
  void printedPages_data();
  void printedPages();
  void printingRecalculatesWithoutErrorReport();
};

}  // namespace kestrel::testing
