#pragma once
// The level sheet: reduced levels along roads, one row per point with its
// chainage, offset, level and code, grouped by "rd " road notes. The last row
// offers the next point number, the chainage and the code of the point above.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sheets/level/level_sheet_row.h"
#include "sheets/row_sheet.h"
#include "sheets/sheet_context.h"

namespace kestrel {

// The question a new level sheet asks (0 offered).
inline constexpr const char* kRoadNumberQuestion = "Enter Road Number for Level Sheet Entries";

class LevelSheet : public RowSheet<LevelSheetRow> {
 public:
  static constexpr int kColumns = 5;

  explicit LevelSheet(SheetContext& context);
  ~LevelSheet() override;

  int ColumnCount() override;
  int ColumnHeading(int column, std::string& text) override;
  int ColumnKind(int column, int& kind) override;
  int AppendRow() override;
  int CellText(int column, int row, CellValue& cell) override;
  int ParseCell(int column, int row, const CellValue& cell) override;
  int Command(int code, const CommandArg& p1 = {}, const CommandArg& p2 = {}) override;
  // The version 3 form when the name holds "lvl2s", else the older form.
  int SaveToFile(const std::string& path) override;
  // Reads either form; a sheet left with at most one row asks for its road
  // number (through the dialogs port) and starts that road with point 1.
  int LoadFromFile(const std::string& path) override;

  int DefaultType() const { return defaultType_; }
  std::vector<std::string>& ReportLines() { return reportLines_; }

  // The road number of the export walk: 1 until an "rd " note is passed.
  int CurrentRoad() const { return road_; }

  // The commands (see LevelSheetCommands).
  int SetDefaultType(std::int64_t type);
  // Codes 10 and 11: the next complete point's record.
  int NextPoint(PointRecord* record, bool first);
  // Code 26: points numbered within the range take new numbers in row order.
  int Renumber(const CommandArg& range, std::int64_t firstNewNumber);

 protected:
  std::span<const int> ColumnWidths() const override;
  void NextCell(int& column, int& row) override;
  void WriteRowState(ArchiveWriter& out, const LevelSheetRow& row) const override;
  bool ReadRowState(ArchiveReader& in, LevelSheetRow& row) const override;

 private:
  bool DefaultText(int column, int row, std::string& text) const;
  std::string ValueText(double value) const;
  void StartNewSheet();

  int defaultType_ = kLevelSheetPoint;
  std::array<bool, kColumns> entryFlags_{};
  std::vector<std::string> reportLines_;

  // The export walk's next row and road number. They last as long as the
  // sheet object, which the document keeps for the whole run.
  std::size_t nextRow_ = 0;
  int road_ = 1;
};

// The Command codes the level sheet carries out, ascending.
std::vector<int> LevelSheetCommandCodes();

}  // namespace kestrel
