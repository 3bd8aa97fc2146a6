#pragma once
// The level book: a spirit-levelling field book behind the entry grid. Each
// reading row holds a backsight, intermediate sight or foresight; pressing
// Enter out of the IM or FS cell reduces the row's level from the row above by
// rise and fall, and Calculate re-reduces the whole book from the top.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sheets/level/level_book_row.h"
#include "sheets/row_sheet.h"
#include "sheets/sheet_context.h"

namespace kestrel {

class LevelBook : public RowSheet<LevelBookRow> {
 public:
  static constexpr int kColumns = 7;

  explicit LevelBook(SheetContext& context);
  ~LevelBook() override;

  int ColumnCount() override;
  int ColumnHeading(int column, std::string& text) override;
  int ColumnKind(int column, int& kind) override;
  int AppendRow() override;
  int CellText(int column, int row, CellValue& cell) override;
  int ParseCell(int column, int row, const CellValue& cell) override;
  int Command(int code, const CommandArg& p1 = {}, const CommandArg& p2 = {}) override;
  // The binary record file, or the CSV text when the name holds ".csv".
  int SaveToFile(const std::string& path) override;
  int LoadFromFile(const std::string& path) override;

  int DefaultType() const { return defaultType_; }
  // The listing's lines (commands 12 and 13 without a page).
  std::vector<std::string>& ReportLines() { return reportLines_; }

  // The commands (see LevelBookCommands).
  int SetDefaultType(std::int64_t type);
  // Code 2: the cell shown is entered again.
  int ReenterCell(int column, int row);
  // Calculate: every reading row re-reduced from the top.
  int Calculate();
  // Codes 10 and 11: the next reading row's point record.
  int NextPoint(PointRecord* record, bool first);

 protected:
  std::span<const int> ColumnWidths() const override;
  void NextCell(int& column, int& row) override;
  // A row's state is its file record with the row type in front.
  void WriteRowState(ArchiveWriter& out, const LevelBookRow& row) const override;
  bool ReadRowState(ArchiveReader& in, LevelBookRow& row) const override;

 private:
  std::string ValueText(int column, const LevelBookRow& row) const;

  int defaultType_ = kLevelReading;
  std::array<bool, kColumns> entryFlags_{};
  std::vector<std::string> reportLines_;
  // The export cursor of commands 10 and 11.
  int road_ = 1;
  int nextPoint_ = 1;
  std::size_t nextRow_ = 0;
  double chainage_ = 0.0;
};

// The Command codes the level book carries out, ascending.
std::vector<int> LevelBookCommandCodes();

}  // namespace kestrel
