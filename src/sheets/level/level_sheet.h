#pragma once
// The level sheet: reduced levels along roads, one row per point with its
// chainage, offset, level and code, grouped by "rd " road notes. The last row
// offers the next point number, the chainage and the code of the point above.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sheets/data_source.h"
#include "sheets/level/level_sheet_row.h"
#include "sheets/sheet_context.h"

namespace kestrel {

// The question a new level sheet asks (0 offered).
inline constexpr const char* kRoadNumberQuestion = "Enter Road Number for Level Sheet Entries";

class LevelSheet : public CUGDataSource {
 public:
  static constexpr int kColumns = 5;

  explicit LevelSheet(SheetContext& context);
  ~LevelSheet() override;

  LevelSheet(const LevelSheet&) = delete;
  LevelSheet& operator=(const LevelSheet&) = delete;

  int RowCount() override;
  int ColumnCount() override;
  int ColumnHeading(int column, std::string& text) override;
  int ColumnKind(int column, int& kind) override;
  int AppendRow() override;
  int InsertRow(int index) override;
  int DeleteRow(int index) override;
  int CellText(int column, int row, CellValue& cell) override;
  int ParseCell(int column, int row, const CellValue& cell) override;
  int Command(int code, const CommandArg& p1 = {}, const CommandArg& p2 = {}) override;
  int GridOption(int option, int& p1, int& p2) override;
  // The version 3 form when the name holds "lvl2s", else the older form.
  int SaveToFile(const std::string& path) override;
  // Reads either form; a sheet left with at most one row asks for its road
  // number (through the dialogs port) and starts that road with point 1.
  int LoadFromFile(const std::string& path) override;
  std::string RowState(int row) override;
  int RestoreRowState(int row, const std::string& state) override;

  std::vector<LevelSheetRow>& Rows() { return rows_; }
  const std::vector<LevelSheetRow>& Rows() const { return rows_; }
  SheetContext& Context() { return ctx_; }
  int DefaultType() const { return defaultType_; }
  std::vector<std::string>& ReportLines() { return reportLines_; }
  const std::string& DocumentPath() const { return documentPath_; }

  // The road number of the export walk: 1 until an "rd " note is passed.
  int CurrentRoad() const { return road_; }

  // The commands (see LevelSheetCommands).
  int SetDefaultType(std::int64_t type);
  // Codes 10 and 11: the next complete point's record.
  int NextPoint(PointRecord* record, bool first);
  // Code 26: points numbered within the range take new numbers in row order.
  int Renumber(const CommandArg& range, std::int64_t firstNewNumber);

 private:
  bool RowInside(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }
  bool DefaultText(int column, int row, std::string& text) const;
  std::string ValueText(double value) const;
  void StartNewSheet();

  SheetContext& ctx_;
  std::vector<LevelSheetRow> rows_;
  int defaultType_ = kLevelSheetPoint;
  std::array<bool, kColumns> entryFlags_{};
  std::vector<std::string> reportLines_;
  std::string documentPath_;

  // The export walk's next row and road number. They last as long as the
  // sheet object, which the document keeps for the whole run.
  std::size_t nextRow_ = 0;
  int road_ = 1;
};

// The Command codes the level sheet carries out, ascending.
std::vector<int> LevelSheetCommandCodes();

}  // namespace kestrel
