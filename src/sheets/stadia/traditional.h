#pragma once
// The Traditional Stadia sheet: a field book of optical tacheometry. Station
// rows give known points, AT/BS rows set the instrument up, and 3Hair, MH/SD
// and MH/SI rows become coordinates when the sheet is reduced.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sheets/data_source.h"
#include "sheets/sheet_context.h"
#include "sheets/stadia/traditional_reduction.h"
#include "sheets/stadia/traditional_row.h"
#include "sheets/stadia/traditional_tacheometry.h"

namespace kestrel {

// Not yet a member of the radiation family (base_stadia.h): it keeps its own
// rows and commands until it moves onto StadiaFamily<TraditionalRow>.
class Traditional : public CUGDataSource {
 public:
  static constexpr int kEntryColumns = 12;
  static constexpr int kColumnsHidden = 9;

  explicit Traditional(SheetContext& context);
  ~Traditional() override;
  Traditional(const Traditional&) = delete;
  Traditional& operator=(const Traditional&) = delete;

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
  int SaveToFile(const std::string& path) override;
  // The rows of the file are added after the rows already in the sheet.
  int LoadFromFile(const std::string& path) override;
  std::string RowState(int row) override;
  int RestoreRowState(int row, const std::string& state) override;

  std::vector<TraditionalRow>& Rows() { return rows_; }
  const std::vector<TraditionalRow>& Rows() const { return rows_; }
  SheetContext& Context() { return ctx_; }
  int DefaultType() const { return defaultType_; }
  bool ShowCoordinates() const { return showCoordinates_; }
  double HairTolerance() const { return tolerance_; }
  const std::vector<std::string>& MessageLines() const { return messageLines_; }
  std::vector<std::string>& MessageLines() { return messageLines_; }
  const std::string& DocumentPath() const { return documentPath_; }

  // The commands (the sheet's command table dispatches to these).
  int SetDefaultType(std::int64_t type);
  int ReenterCell(int column, int row);
  int ApplyDefaultType(std::int64_t column, std::int64_t row);
  int Calculate();
  int SetShowCoordinates(bool show);
  int FindPoint(std::int64_t number) const;
  int FindSetup(std::int64_t start) const;
  int FindCode(std::int64_t start, const CommandArg& code) const;
  int ReplaceCode(const CommandArg& oldCode, const CommandArg& newCode);
  int CycleType(std::int64_t row, const CommandArg& key);
  // p1 in thousandths (the tolerance dialog's whole number); a code table
  // pair (two texts) replaces a code instead.
  int SetTolerance(const CommandArg& p1, const CommandArg& p2);
  // The sheet has no clipboard exchange: each only says which it is.
  int NoClipboard(const char* what);
  int PrintHeader(PageCanvas* canvas);
  int PrintRows(PageCanvas* canvas, const RowRange& range);

 private:
  bool RowInside(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }
  std::string FieldText(int column, const TraditionalRow& row) const;
  void ParseField(int column, TraditionalRow& row, const std::string& text);
  std::string AngleText(float packedDms, bool horizontal) const;
  std::string DistanceText(double value) const;
  void HairEnter(int& column, int row);

  SheetContext& ctx_;
  std::vector<TraditionalRow> rows_;
  int defaultType_ = kTradStn;
  bool showCoordinates_ = false;
  double tolerance_ = kDefaultHairTolerance;
  std::array<bool, kEntryColumns> entryFlags_{};
  std::vector<std::string> messageLines_;
  std::string documentPath_;
  TraditionalOffsets offsets_;
};

}  // namespace kestrel
