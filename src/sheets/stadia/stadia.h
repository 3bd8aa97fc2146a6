#pragma once
// The Stadia sheet: a radiation field book behind the entry grid. Station rows
// give known points, AT/BS rows set the instrument up, and shot rows become
// coordinates when the sheet is reduced. The grid asks this class for every
// cell it shows and hands every edit back to it.
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/archive.h"
#include "sheets/sheet_context.h"
#include "sheets/stadia/base_stadia.h"
#include "sheets/stadia/stadia_reduction.h"
#include "sheets/stadia/stadia_row.h"

namespace kestrel {

class Stadia : public BaseStadia {
 public:
  // Columns 0 to 10; 8 to 10 (coordinates) only while they are shown.
  static constexpr int kEntryColumns = 11;
  static constexpr int kColumnsHidden = 8;

  explicit Stadia(SheetContext& context);
  ~Stadia() override;

  Stadia(const Stadia&) = delete;
  Stadia& operator=(const Stadia&) = delete;

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
  int LoadFromFile(const std::string& path) override;
  // Reads the rows from a file already open and locked (`path` names it in
  // messages). A read that fails before the end of the file fails the load:
  // the rows stay as they were, and the sheet will not save over `path`.
  int LoadFromOpenFile(std::FILE* file, const std::string& path);
  // A row's state is its file record (fixed part and three texts).
  std::string RowState(int row) override;
  int RestoreRowState(int row, const std::string& state) override;

  // The rows, for the reduction, the listings and the exports.
  std::vector<StadiaRow>& Rows() { return rows_; }
  const std::vector<StadiaRow>& Rows() const { return rows_; }
  SheetContext& Context() { return ctx_; }

  int DefaultType() const { return defaultType_; }
  bool ShowCoordinates() const { return showCoordinates_; }
  // Which cells of the last row the user has filled, columns 0 to 10.
  bool EntryFlag(int column) const;
  // The reduction's message lines.
  std::vector<std::string>& MessageLines() { return messageLines_; }
  const std::vector<std::string>& MessageLines() const { return messageLines_; }
  // The file last loaded or saved (the printed header names it).
  const std::string& DocumentPath() const { return documentPath_; }
  // Reduction options that notes set and that last as long as the sheet.
  StadiaLastingOptions& ReductionOptions() { return reductionOptions_; }
  // While on, set-ups take their points from earlier shots even where a
  // station row supplies them (the least squares command reduces so).
  bool ReReduction() const { return reReduction_; }
  void SetReReduction(bool on) { reReduction_ = on; }

 private:
  bool RowInside(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }
  void SetAllEntryFlags(bool value) { entryFlags_.fill(value); }
  // Room for the rows of a file about to be read, in huge pages where the
  // system has them.
  void ReserveRows(std::size_t count);
  void ReadRows(ArchiveReader& in, std::optional<std::uint64_t> fileBytes);

  // Cell display.
  bool SuggestionText(int column, int row, std::string& text);
  std::string FieldText(int column, const StadiaRow& row);
  std::string HorizontalAngleText(double packedDms);
  std::string VerticalAngleText(double packedDms);
  std::string DistanceText(double value);
  // Cell parsing of columns 1 to 10.
  void ParseField(int column, StadiaRow& row, const std::string& text);

  // Commands.
  int ReenterCell(int column, int row);
  int FindPoint(std::int64_t number) const;
  int FindSetup(std::int64_t start) const;
  int FindCode(std::int64_t start, const CommandArg& code) const;
  int ReplaceCode(const CommandArg& oldCode, const CommandArg& newCode);
  int CollectMissingPoints();
  int NextMissingPoint(const CommandArg& out);
  int InsertHostPoint(std::int64_t row, const CommandArg& record);
  int CycleType(std::int64_t row, const CommandArg& key);
  int Renumber(const CommandArg& range, std::int64_t firstNewNumber);
  int AppendSheet();
  int CopyRows(const CommandArg& selection);
  int PasteRows(std::int64_t row);

  SheetContext& ctx_;
  std::vector<StadiaRow> rows_;
  int defaultType_ = kStadiaStn;
  bool showCoordinates_ = false;
  std::array<bool, kEntryColumns> entryFlags_{};
  std::vector<std::string> messageLines_;
  std::string documentPath_;
  // A file that could not be read whole: saving over it would lose the rows
  // that were not read, so the sheet is saved only under another name.
  std::string unreadPath_;
  // The row after the one the last upload record came from (commands 10, 11).
  std::size_t uploadNext_ = 0;
  // Points the set-ups need from the host (command 20), handed out by 21.
  std::vector<std::uint32_t> missingPoints_;
  std::size_t nextMissing_ = 0;
  StadiaLastingOptions reductionOptions_;
  bool reReduction_ = false;
};

}  // namespace kestrel
