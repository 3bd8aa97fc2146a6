#pragma once
// The codes of a sheet's Command operation. The menu, toolbar and grid reach a
// sheet only through these.
namespace kestrel {

enum CommandCode : int {
  kCmdSetDefaultType = 1,    // p1 type
  kCmdReenterCell = 2,       // p1 column, p2 row
  kCmdApplyDefaultType = 3,  // p1 column, p2 row
  kCmdCalculate = 4,         // "Calculate Coordinates"
  kCmdShowCoordinates = 5,   // p1 flag
  kCmdMisclose = 6,          // traverse: p1 std::string* angle text, p2 std::string* summary lines
  kCmdAngularClose = 7,
  kCmdTransit = 8,
  kCmdHeightAdjust = 9,
  kCmdFirstPoint = 10,      // p1 PointRecord*
  kCmdNextPoint = 11,       // p1 PointRecord*
  kCmdPrintHeader = 12,     // p1 PageCanvas* or none
  kCmdPrintRows = 13,       // p1 PageCanvas* or none, p2 RowRange
  kCmdFirstRouteNote = 14,  // traverse: p1 std::string* out; the row, or -1
  kCmdNextRouteNote = 15,   // traverse: p1 std::string* out; the row, or -1
  kCmdFindPoint = 16,       // p1 point number
  kCmdFindSetup = 17,       // p1 start row
  kCmdFindCode = 18,        // p1 start row, p2 code text
  kCmdReplaceCode = 19,     // p1 old code, p2 new code
  kCmdCollectMissing = 20,
  kCmdBuildRoute = 20,   // traverse: the number of route stations, or -1
  kCmdNextMissing = 21,  // p1 std::uint32_t* out
  // p1 row, p2 const PointRecord*, or a const std::vector<PointRecord>* that
  // goes in as one batch, in the order one insert at a time at p1 leaves
  // (the last record first)
  kCmdInsertHostPoint = 22,
  kCmdBowditch = 23,
  kCmdCompass = 24,
  kCmdCycleType = 25,  // p1 row, p2 key (' ', '+', '-')
  kCmdRenumber = 26,   // p1 NumberRange, p2 first new number
  kCmdCodeTable = 27,  // p1 old code, p2 new code
  kCmdCheckReport = 28,
  kCmdAppendSheet = 29,
  kCmdCrandall = 30,
  kCmdAdjustmentReport = 31,  // traverse: p1 form (0 RTF, 1 CSV), p2 corrected flag
  // Traditional stadia: the sheet has no clipboard rows, so these only say
  // "Copy", "Cut" and "Paste".
  kCmdSayCopy = 30,
  kCmdSayCut = 31,
  kCmdSayPaste = 32,
  kCmdCopy = 40,   // p1 SelectedRows
  kCmdCut = 41,    // p1 SelectedRows
  kCmdPaste = 42,  // p1 row
  kCmdLandXml = 50,
  kCmdObservationStrings = 51,  // p1 std::string* out
};

}  // namespace kestrel
