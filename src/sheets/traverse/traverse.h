#pragma once
// The Traverse sheet: the field book of a traverse behind the entry grid.
// Known stations, backsights, traverse legs, side shots, closing and
// reference observations, and field notes that steer the computation. The
// computations live in traverse_compute, traverse_adjust and the reports in
// traverse_report; this class holds the rows and the working arrays.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sheets/row_sheet.h"
#include "sheets/sheet_context.h"
#include "sheets/traverse/traverse_row.h"
#include "sheets/traverse/traverse_stations.h"

namespace kestrel {

// What the "View Traverse Correction Report" dialog returns.
struct TraverseReportChoice {
  bool csv = false;        // "CSV (Excell)" rather than "RTF (Word)"
  bool corrected = false;  // "Display Corrected Bearings/Distances"
};

// The dialog offered after an adjustment; nullopt on Cancel.
class TraverseReportChooser {
 public:
  virtual ~TraverseReportChooser() = default;
  virtual std::optional<TraverseReportChoice> Choose() = 0;
};

// The adjustment the report describes.
struct TraverseAdjustmentRecord {
  bool valid = false;
  LinearMiscloseValues misclose;  // before the correction
  double perimeter = 0.0;
};

class Traverse : public RowSheet<TraverseRow> {
 public:
  static constexpr int kEntryColumns = 12;
  static constexpr int kColumnsHidden = 9;

  explicit Traverse(SheetContext& context);
  ~Traverse() override;

  int ColumnCount() override;
  int ColumnHeading(int column, std::string& text) override;
  int ColumnKind(int column, int& kind) override;
  int AppendRow() override;
  int CellText(int column, int row, CellValue& cell) override;
  int ParseCell(int column, int row, const CellValue& cell) override;
  int Command(int code, const CommandArg& p1 = {}, const CommandArg& p2 = {}) override;
  int SaveToFile(const std::string& path) override;
  int LoadFromFile(const std::string& path) override;

  // Every change to the rows' order, number or types must be followed by
  // this, so that the row index and the angle-note flag are rebuilt.
  void RowsChanged() override;

  int DefaultType() const { return defaultType_; }
  bool ShowCoordinates() const { return showCoordinates_; }
  bool HeightAdjust() const { return heightAdjust_; }
  void SetHeightAdjust(bool on) { heightAdjust_ = on; }
  std::vector<std::string>& MessageLines() { return messageLines_; }

  TraverseStations& Stations() { return stations_; }
  const TraverseStations& Stations() const { return stations_; }
  void ClearRoute() {
    stations_.Clear();
    adjustment_ = {};
  }
  TraverseAdjustmentRecord& Adjustment() { return adjustment_; }
  // The misclose bar's record of the last Command 6.
  const MiscloseSummary& LastMisclose() const { return lastMisclose_; }
  void SetLastMisclose(MiscloseSummary summary) { lastMisclose_ = std::move(summary); }

  // The dialog offered after an adjustment; none means no report is offered.
  void SetReportChooser(TraverseReportChooser* chooser) { reportChooser_ = chooser; }
  TraverseReportChooser* ReportChooser() { return reportChooser_; }

  // Whether a note starting "angle" (any case) exists; cached until the rows
  // change.
  bool HasAngleNote();
  // Fills the blank fields of Traverse row `row` from the Traverse rows above
  // it, as the grid shows them (the filled values are stored).
  void FillCarriedFields(int row);

 protected:
  std::span<const int> ColumnWidths() const override;
  void NextCell(int& column, int& row) override;
  TraverseRow InsertedRow() const override { return BlankTraverseRow(kTravStn); }
  // A row's state is its file record followed by its adjusted coordinates.
  void WriteRowState(ArchiveWriter& out, const TraverseRow& row) const override;
  bool ReadRowState(ArchiveReader& in, TraverseRow& row) const override;

 private:
  // The nearest Traverse row above `row`, or -1.
  int TraverseRowAbove(int row);
  std::string FieldText(int column, const TraverseRow& row);
  std::string AngleText(double packedDms, bool quadrant);
  std::string VerticalText(double packedDms);
  std::string DistanceText(double value);
  void ParseField(int column, TraverseRow& row, const std::string& text);

  // Commands.
  int FindPoint(std::int64_t number) const;
  int FindBacksight(std::int64_t start) const;
  int FindCode(std::int64_t start, const CommandArg& code) const;
  int ReplaceCode(const CommandArg& oldCode, const CommandArg& newCode);
  int InsertHostPoint(std::int64_t row, const CommandArg& record);
  int CycleType(std::int64_t row, const CommandArg& key);
  int NextUploadRecord(PointRecord* record);
  int NextRouteNote(std::string* text);
  int CopyRows(const CommandArg& selection);
  int PasteRows(std::int64_t row);

  int defaultType_ = -1;  // none chosen: new rows repeat the last row's type
  bool showCoordinates_ = false;
  bool heightAdjust_ = false;
  std::vector<std::string> messageLines_;
  TraverseStations stations_;
  TraverseAdjustmentRecord adjustment_;
  MiscloseSummary lastMisclose_;
  TraverseReportChooser* reportChooser_ = nullptr;

  // Rebuilt lazily after RowsChanged.
  bool indexStale_ = true;
  std::vector<int> traverseRows_;  // indices of the Traverse rows, ascending
  std::optional<bool> angleNote_;

  std::size_t uploadNext_ = 0;     // commands 10, 11
  std::size_t routeNoteNext_ = 0;  // commands 14, 15
};

}  // namespace kestrel
