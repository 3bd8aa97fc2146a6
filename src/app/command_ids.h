#pragma once
// Menu and toolbar command identities. Each action carries its number as its
// data, so that later parts of the program reach a command by the same number
// whichever menu or bar shows it.
namespace kestrel {

enum CommandId : int {
  // Framework commands.
  kIdFileNew = 57600,
  kIdFileOpen = 57601,
  kIdFileSave = 57603,
  kIdFileSaveAs = 57604,
  kIdFilePrintSetup = 57606,
  kIdFilePrint = 57607,
  kIdFilePrintPreview = 57609,
  kIdFileMru1 = 57616,  // to kIdFileMru1 + 3
  kIdEditCopy = 57634,
  kIdEditCut = 57635,
  kIdEditPaste = 57637,
  kIdEditUndo = 57643,
  kIdEditRedo = 57644,
  kIdAppAbout = 57664,
  kIdAppExit = 57665,
  kIdHelpTopics = 57667,
  kIdViewToolbar = 59392,
  kIdViewStatusBar = 59393,

  // The sheet commands of the view.
  kIdGetPoint = 32776,
  kIdFindSetup = 32777,
  kIdPointCode = 32778,
  kIdReplaceCode = 32779,
  kIdEntryType = 32780,
  kIdShowCoordinates = 32781,
  kIdWriteStrings = 32782,  // has no handler and stays disabled
  kIdGetDatabase = 32783,
  kIdRenumberPoints = 32784,
  kIdVerticalHeightAdjustment = 32785,  // has no handler and stays disabled
  kIdCalculateCoordinates = 32796,
  kIdCalculateMisclose = 32804,
  kIdCompass = 32807,
  kIdTransit = 32808,
  kIdCrandall = 32809,
  kIdBowditch = 32818,
  kIdAngularClose = 32820,
  kIdHeightAdjustment = 32821,
  kIdStoreInDatabase = 32822,
  kIdMoveToStart = 32823,
  kIdMoveToEnd = 32824,
  kIdPageUp = 32825,
  kIdPageDown = 32826,
  kIdTraditionalTolerance = 32835,
  kIdReplaceCodeTable = 32836,
  kIdCheckShotReport = 32837,
  kIdGeoidParameters = 32846,
  kIdLeastSquares = 32847,
  kIdPrintToFile = 32848,
  kIdAppendSheet = 32849,
  kIdCheckDuplicates = 32850,
  kIdExportLandXml = 32851,
  kIdObservationStrings = 32852,

  // Commands of this desktop program that have no older number.
  kIdPrintToPdf = 32900,
  kIdViewPlan = 32901,
};

}  // namespace kestrel
