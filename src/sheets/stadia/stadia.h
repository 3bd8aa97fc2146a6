#pragma once
// The Stadia sheet: a radiation field book behind the entry grid. Station rows
// give known points, AT/BS rows set the instrument up, and shot rows become
// coordinates when the sheet is reduced. The grid asks this class for every
// cell it shows and hands every edit back to it.
//
// Everything the radiation sheets share is the family's (base_stadia.h,
// stadia_family.h); this class adds the Stadia sheet's columns, its file, its
// clipboard lines, its reduction, its listing lines and its exports.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/archive.h"
#include "sheets/sheet_context.h"
#include "sheets/stadia/stadia_family.h"
#include "sheets/stadia/stadia_reduction.h"
#include "sheets/stadia/stadia_row.h"

namespace kestrel {

extern template class StadiaFamily<StadiaRow>;

class Stadia : public StadiaFamily<StadiaRow> {
 public:
  // Columns 0 to 10; 8 to 10 (coordinates) only while they are shown.
  static constexpr int kEntryColumns = kStadiaEntryColumns;
  static constexpr int kColumnsHidden = kStadiaHiddenColumns;

  explicit Stadia(SheetContext& context);
  ~Stadia() override;

  int SaveToFile(const std::string& path) override;
  int LoadFromFile(const std::string& path) override;
  // Reads the rows from a file already open and locked (`path` names it in
  // messages). A read that fails before the end of the file fails the load:
  // the rows stay as they were, and the sheet will not save over `path`.
  int LoadFromOpenFile(std::FILE* file, const std::string& path);
  // A row's state is its file record (fixed part and three texts).
  std::string RowState(int row) override;
  int RestoreRowState(int row, const std::string& state) override;

  // Reduction options that notes set and that last as long as the sheet.
  StadiaLastingOptions& ReductionOptions() { return reductionOptions_; }
  // While on, set-ups take their points from earlier shots even where a
  // station row supplies them (the least squares command reduces so).
  bool ReReduction() const { return reReduction_; }
  void SetReReduction(bool on) { reReduction_ = on; }

  // The codes only the Stadia sheet carries out (its reduction, listing,
  // clipboard and exports); with the family's they make its Command.
  static std::span<const Handler> OwnCommands();

  const StadiaColumns& Columns() const override { return kStadiaColumns; }
  std::span<const Handler> MemberCommands() const override { return OwnCommands(); }
  ListingForm Listing() const override;
  std::vector<std::string> ListingLines(int first, int end, bool corrected) override;
  void ListLines(int first, int end, bool corrected, ReportLines& out) override;
  ReportSettings ListingSettings(bool corrected, bool& landscape) const override;
  bool ClipboardLine(int row, std::string& line) const override;
  int InsertClipboardLines(int row, const std::vector<std::string_view>& lines) override;

 protected:
  // An HD/RL row has no target height (HdRlSkipsTargetHeight).
  bool MemberNextCell(int& column, int& row) override;

 private:
  void ReadRows(ArchiveReader& in, std::optional<std::uint64_t> fileBytes);

  // A file that could not be read whole: saving over it would lose the rows
  // that were not read, so the sheet is saved only under another name.
  std::string unreadPath_;
  StadiaLastingOptions reductionOptions_;
  bool reReduction_ = false;
};

}  // namespace kestrel
