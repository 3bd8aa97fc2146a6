#pragma once
// The Traditional Stadia sheet: a field book of optical tacheometry. Station
// rows give known points, AT/BS rows set the instrument up, and 3Hair, MH/SD
// and MH/SI rows become coordinates when the sheet is reduced.
//
// A member of the radiation family (stadia_family.h): the rows, cells, Enter
// key, suggestions on the last row and the family's commands are shared; this
// class adds the hair columns, the 3Hair tolerance, its file, its reduction
// and its listing lines.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sheets/sheet_context.h"
#include "sheets/stadia/stadia_family.h"
#include "sheets/stadia/traditional_reduction.h"
#include "sheets/stadia/traditional_row.h"
#include "sheets/stadia/traditional_tacheometry.h"

namespace kestrel {

extern template class StadiaFamily<TraditionalRow>;

class Traditional : public StadiaFamily<TraditionalRow> {
 public:
  // Columns 0 to 11; 9 to 11 (coordinates) only while they are shown.
  static constexpr int kEntryColumns = 12;
  static constexpr int kColumnsHidden = 9;

  explicit Traditional(SheetContext& context);
  ~Traditional() override;

  // Always a new row of the default type, even after a blank one.
  int AppendRow() override;
  int SaveToFile(const std::string& path) override;
  // The rows of the file are added after the rows already in the sheet.
  int LoadFromFile(const std::string& path) override;
  // A row's state is its file record.
  std::string RowState(int row) override;
  int RestoreRowState(int row, const std::string& state) override;

  // The 3Hair tolerance: the largest hair asymmetry not drawn in red.
  double HairTolerance() const { return tolerance_; }
  void SetHairTolerance(double tolerance) { tolerance_ = tolerance; }
  // Calculate Coordinates: the messages become the sheet's message lines.
  int Calculate();

  // The codes only this sheet carries out; with the family's they make its
  // Command.
  static std::span<const Handler> OwnCommands();

  const StadiaColumns& Columns() const override;
  std::span<const Handler> MemberCommands() const override { return OwnCommands(); }
  ListingForm Listing() const override;
  std::vector<std::string> ListingLines(int first, int end, bool corrected) override;
  ReportSettings ListingSettings(bool corrected, bool& landscape) const override;
  // No clipboard rows: copy, cut and paste only say so.
  bool ClipboardLine(int, std::string&) const override { return false; }
  int InsertClipboardLines(int, const std::vector<std::string_view>&) override { return 0; }

 protected:
  std::string FieldText(int column, const TraditionalRow& row) const override;
  void ParseField(int column, TraditionalRow& row, const std::string& text) override;
  bool MemberNextCell(int& column, int& row) override;
  RgbColor RowTextColor(const TraditionalRow& row) const override;
  void TypeChanged(TraditionalRow& row) override { SanitizeTraditionalRow(row); }

 private:
  void HairEnter(int& column, TraditionalRow& row) const;

  double tolerance_ = kDefaultHairTolerance;
  TraditionalOffsets offsets_;
};

}  // namespace kestrel
