#pragma once
// BaseStadia: the family base of the radiation sheets (Stadia, and the
// precision and traditional stadia sheets, which share most of its rows and
// commands). It holds what the members share and does not depend on the row
// record: the sheet's context, default row type, coordinate columns, the
// entry flags of the last row, the message lines, the document path, the
// family's Command table and the text of angles and distances. The rows
// themselves live in StadiaFamily<Row> (stadia_family.h), which implements
// the row operations declared here once for every member.
//
// A member adds only what differs, as the hooks at the end of the class: its
// column table, its own Command table (reduction, listing lines, exports),
// its clipboard lines and its file form.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_writer.h"
#include "sheets/command_table.h"
#include "sheets/data_source.h"
#include "sheets/sheet_context.h"
#include "sheets/stadia/stadia_columns.h"

namespace kestrel {

// A row or column number from a Command argument, clamped into int.
inline int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

class BaseStadia : public CUGDataSource {
 public:
  // One line of a Command table: the code and what carries it out.
  using Handler = SheetCommand<BaseStadia>;

  explicit BaseStadia(SheetContext& context);
  ~BaseStadia() override;
  BaseStadia(const BaseStadia&) = delete;
  BaseStadia& operator=(const BaseStadia&) = delete;

  int ColumnCount() override;
  int ColumnKind(int column, int& kind) override;
  // The member's own table first, then the family's (FamilyCommands). A line
  // of the member's table without a handler takes the family's code away: the
  // member does not carry it out.
  int Command(int code, const CommandArg& p1 = {}, const CommandArg& p2 = {}) override;
  // Replaces the code p1 with p2 on every row (command 19, and each pair of
  // a code replacement table where a member takes one).
  static int ReplaceCodeCommand(BaseStadia& sheet, const CommandArg& oldCode,
                                const CommandArg& newCode);

  // Every code the sheet carries out, ascending: a member's own codes and the
  // family's (for the kind registry, which has no sheet to ask).
  static std::vector<int> CommandCodesWith(std::span<const Handler> memberCommands);

  SheetContext& Context() { return ctx_; }
  const SheetContext& Context() const { return ctx_; }
  int DefaultType() const { return defaultType_; }
  bool ShowCoordinates() const { return showCoordinates_; }
  // Which cells of the last row the user has filled.
  bool EntryFlag(int column) const;
  // The reduction's message lines (the listing file collects its lines here
  // too).
  std::vector<std::string>& MessageLines() { return messageLines_; }
  const std::vector<std::string>& MessageLines() const { return messageLines_; }
  // The file last loaded or saved (the printed header names it).
  const std::string& DocumentPath() const { return documentPath_; }

  // The row type's keyword ("STN"); empty outside the member's types.
  std::string_view TypeKeyword(int type) const;
  // Every row type after the field note is a shot, observed from a set-up.
  bool IsShot(int type) const;

  // Cell texts every member shows alike: the horizontal circle reading in
  // the user's angle mode, a vertical circle reading (never in quadrant
  // form) and a length in the user's distance notation; empty when empty.
  std::string HorizontalAngleText(double packedDms) const;
  std::string VerticalAngleText(double packedDms) const;
  std::string DistanceText(double value) const;

  // --- The family's row operations, carried out by StadiaFamily<Row> -------
  // (Command codes 10, 11, 16 to 22, 25 and 26, the check shot report and
  // the clipboard; public so that the family's free functions reach them.)

  // The next point record for the host (commands 10, 11): 0 and the record,
  // or -1 when no row is left. `first` starts again from the top.
  virtual int NextUploadRecord(PointRecord* record, bool first) = 0;
  // The lines of the check shot report below its heading.
  virtual std::vector<std::string> CheckShotLines() const = 0;
  // The clipboard line of a row (without its line end); false when the row
  // gives none (outside the sheet, unknown type, or a member without
  // clipboard rows).
  virtual bool ClipboardLine(int row, std::string& line) const = 0;
  // Inserts the rows of clipboard lines before `row` (up to the row count);
  // lines that do not read as a row are skipped. Returns the rows inserted.
  virtual int InsertClipboardLines(int row, const std::vector<std::string_view>& lines) = 0;

  // --- What each member says about itself --------------------------------

  // Its grid: columns, headings, widths and row-type keywords.
  virtual const StadiaColumns& Columns() const = 0;
  // The codes the member carries out itself or its own way (reduction,
  // exports); searched before the family's.
  virtual std::span<const Handler> MemberCommands() const = 0;
  // Listing: the page header's two texts, the listing file's name pattern
  // (job drive, folder and name), the lines of rows [first, end) and the
  // listing file's page.
  struct ListingForm {
    const char* title;        // "Stadia Report"
    const char* fileLabel;    // "Stadia File :"
    const char* filePattern;  // "%s%sStadiaListing_%s.rtf"
  };
  virtual ListingForm Listing() const = 0;
  virtual std::vector<std::string> ListingLines(int first, int end, bool corrected) = 0;
  // The same lines handed to `out` one at a time; a member whose sheets grow
  // long makes them while they are written.
  virtual void ListLines(int first, int end, bool corrected, ReportLines& out);
  virtual ReportSettings ListingSettings(bool corrected, bool& landscape) const = 0;

 protected:
  // The family's Command table: the codes the members carry out alike (rows,
  // host points, listing, clipboard rows, code table, check shot report and
  // Append Sheet) unless their own table says otherwise.
  static std::span<const Handler> FamilyCommands();

  void SetAllEntryFlags(bool value);
  void SetEntryFlag(int column);
  void SetDocumentPath(const std::string& path) { documentPath_ = path; }

  // The rows' operations behind the family's codes.
  virtual int FindPoint(std::int64_t number) const = 0;
  virtual int FindSetup(std::int64_t start) const = 0;
  virtual int FindCode(std::int64_t start, const std::string& code) const = 0;
  virtual void ReplaceCode(const std::string& from, const std::string& to) = 0;
  // Fills the missing-point list (command 20); see MissingPoints.
  virtual void CollectMissingPoints() = 0;
  virtual void InsertHostPoint(std::int64_t row, const PointRecord& point) = 0;
  // Every point of `points` as InsertHostPoint at `row` one after the other
  // would leave them (the last point first), in one insert.
  virtual void InsertHostPoints(std::int64_t row, const std::vector<PointRecord>& points);
  virtual int CycleType(std::int64_t row, char key) = 0;
  virtual void Renumber(const NumberRange& range, std::int64_t firstNewNumber) = 0;
  virtual void ApplyDefaultType(int row) = 0;

  // The instrument and backsight points the set-ups need from the host, in
  // the order command 21 hands them out.
  std::vector<std::uint32_t>& MissingPoints() { return missingPoints_; }

 private:
  int ReenterCell(int column, int row);
  int NextMissingPoint(std::uint32_t* number);

  SheetContext& ctx_;
  int defaultType_ = 0;
  bool showCoordinates_ = false;
  std::vector<bool> entryFlags_;
  std::vector<std::string> messageLines_;
  std::string documentPath_;
  std::vector<std::uint32_t> missingPoints_;
  std::size_t nextMissing_ = 0;
};

// Command 29: replaces the rows with those of a sheet file the user chooses
// in the table selection. Returns what LoadFromFile returns, 0 on cancel.
int LoadChosenSheet(BaseStadia& sheet);

}  // namespace kestrel
