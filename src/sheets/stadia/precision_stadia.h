#pragma once
// The Precision Stadia sheet: a Stadia field book whose slope shots keep their
// angles to hundredths of a second, whose set-ups are oriented from back
// bearings, from directions already observed in the sheet or from
// coordinates, and whose reduction can apply grid corrections and a
// refraction rate (precision_reduction.h).
//
// The rows, cells, headings, suggestions and the family's commands are the
// radiation family's (stadia_family.h). What this sheet adds:
//   - its row record (precision_row.h) and its own file form, while a file
//     named as a Stadia sheet is read and written in the Stadia form;
//   - SD/HT angles shown and typed to hundredths of a second;
//   - its reduction, its listing lines and the corrections report.
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sheets/sheet_context.h"
#include "sheets/stadia/precision_reduction.h"
#include "sheets/stadia/precision_row.h"
#include "sheets/stadia/stadia_family.h"

namespace kestrel {

extern template class StadiaFamily<PrecisionStadiaRow>;

class PrecisionStadia : public StadiaFamily<PrecisionStadiaRow> {
 public:
  explicit PrecisionStadia(SheetContext& context);
  ~PrecisionStadia() override;

  // A path whose file name holds "precisionstadia", or neither that nor
  // "stad", is read and written in the sheet's own form; any other in the
  // Stadia form (see precision_file.h).
  int SaveToFile(const std::string& path) override;
  int LoadFromFile(const std::string& path) override;
  // A row's state is its record in the sheet's own form.
  std::string RowState(int row) override;
  int RestoreRowState(int row, const std::string& state) override;

  // What field notes set, kept from one calculation to the next.
  PrecisionReductionState& ReductionState() { return reductionState_; }
  // The last calculation's corrections log (empty unless grid corrections
  // ran).
  const std::vector<std::string>& CorrectionsLog() const { return correctionsLog_; }
  std::vector<std::string>& CorrectionsLog() { return correctionsLog_; }
  // The projection parameters file the grid corrections read.
  const std::string& GeoidDataPath() const { return geoidDataPath_; }
  void SetGeoidDataPath(std::string path) { geoidDataPath_ = std::move(path); }

  // The codes only this sheet carries out; with the family's they make its
  // Command.
  static std::span<const Handler> OwnCommands();

  const StadiaColumns& Columns() const override { return kStadiaColumns; }
  std::span<const Handler> MemberCommands() const override { return OwnCommands(); }
  ListingForm Listing() const override;
  std::vector<std::string> ListingLines(int first, int end, bool corrected) override;
  ReportSettings ListingSettings(bool corrected, bool& landscape) const override;
  bool ClipboardLine(int row, std::string& line) const override;
  int InsertClipboardLines(int row, const std::vector<std::string_view>& lines) override;

 protected:
  std::string AngleText(const PrecisionStadiaRow& row, StadiaField field,
                        double packedDms) const override;
  void ParseField(int column, PrecisionStadiaRow& row, const std::string& text) override;
  bool SuggestionText(int column, int row, std::string& text) override;
  bool MemberNextCell(int& column, int& row) override;

 private:
  int LoadNative(std::FILE* file, const std::string& path);
  int LoadStadiaForm(const std::string& path);
  int SaveNative(const std::string& path);
  int SaveStadiaForm(const std::string& path);

  PrecisionReductionState reductionState_;
  std::vector<std::string> correctionsLog_;
  std::string geoidDataPath_;
  // A file that could not be read whole: saving over it would lose the rows
  // that were not read, so the sheet is saved only under another name.
  std::string unreadPath_;
};

// Command 4: Calculate Coordinates with the geoid toolbar's check box and
// "Vertical Adj" number from the application state. Writes the corrections
// report when grid corrections ran and the error report when the
// calculation has messages (and the error-report switch is on).
int CalculatePrecisionStadia(PrecisionStadia& sheet);

}  // namespace kestrel
