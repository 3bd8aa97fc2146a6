// The level book listing, its page and its point records.
#include "sheets/level/level_book_listing.h"

#include <algorithm>

#include "platform/printf_format.h"
#include "sheets/level/level_book.h"
#include "sheets/level/level_book_reduction.h"
#include "sheets/listing_page.h"
#include "survey/distances.h"

namespace kestrel {

namespace {

constexpr const char* kListingPattern = "%s%sLevelBook_%s.rtf";
constexpr const char* kColumnLine =
    "        BS        IM          FS          RL        Chainage       Offset       Comments";
constexpr const char* kLimitedMark = "  RL beyond 100000 stored as 0";

constexpr std::size_t kRecordText = 32;

// A value in the listing, or blanks as wide as the number would be.
std::string ListedValue(const char* format, double value, int unit) {
  std::string text = Sprintf(format, IsEmptyValue(value) ? 0.0 : value);
  if (IsEmptyValue(value)) return std::string(text.size(), ' ');
  FormatDistanceText(text, value, unit);
  return text;
}

}  // namespace

std::string LevelBookRowLine(const std::vector<LevelBookRow>& rows, std::size_t r,
                             int distanceUnit) {
  const LevelBookRow& row = rows[r];
  if (row.IsNote()) return Sprintf("Fnote  %s", row.note.c_str());
  std::string line;
  for (int i = kLevelBs; i <= kLevelRl; ++i)
    line += ListedValue("%12.3f", row.Value(i), distanceUnit);
  line += ListedValue("%14.3f", row.Value(kLevelChainage), distanceUnit);
  line += ListedValue("%13.3f", row.Value(kLevelOffset), distanceUnit);
  line += Sprintf("%15s", row.comment.c_str());
  if (LevelWasLimited(rows, r)) line += kLimitedMark;
  return line;
}

std::vector<std::string> LevelBookCheckLines(const std::vector<LevelBookRow>& rows) {
  const LevelArithmeticCheck check = CheckLevelArithmetic(rows);
  std::vector<std::string> lines = {
      "",
      "Arithmetic check",
      Sprintf("Sum of BS          %12.3f", check.sumBs),
      Sprintf("Sum of FS          %12.3f", check.sumFs),
      Sprintf("Sum BS - Sum FS    %12.3f", check.sumBs - check.sumFs),
  };
  if (!check.levelDifference) {
    lines.push_back("No reduced levels to check");
    return lines;
  }
  lines.push_back(Sprintf("Last RL - First RL %12.3f", *check.levelDifference));
  const double discrepancy = check.sumBs - check.sumFs - *check.levelDifference;
  lines.push_back(check.ok ? std::string("Check OK") : Sprintf("Check fails by %.3f", discrepancy));
  return lines;
}

int PrintLevelBookHeader(LevelBook& book, PageCanvas* canvas) {
  if (canvas == nullptr) {
    book.ReportLines().clear();
    return -1;
  }
  DrawListingHeader(*canvas, "Level Book Report", "Level Book File :", book.DocumentPath(),
                    kColumnLine);
  return 0;
}

int ListLevelBookRows(LevelBook& book, PageCanvas* canvas, const RowRange& range) {
  const std::vector<LevelBookRow>& rows = book.Rows();
  const int unit = book.Context().units.DistanceUnit();
  if (canvas != nullptr) {
    const LineRange listed = ClipToListing(range, static_cast<int>(rows.size()));
    std::vector<std::string> lines;
    for (int r = listed.first; r < listed.end; ++r) {
      lines.push_back(LevelBookRowLine(rows, static_cast<std::size_t>(r), unit));
    }
    DrawListingLines(*canvas, lines);
    return 0;
  }

  std::vector<std::string>& lines = book.ReportLines();
  lines.reserve(lines.size() + rows.size() + 8);
  for (std::size_t r = 0; r < rows.size(); ++r) lines.push_back(LevelBookRowLine(rows, r, unit));
  for (std::string& line : LevelBookCheckLines(rows)) lines.push_back(std::move(line));
  WriteAndOpenReport(book.Context(), lines, book.Context().app.job.ReportPath(kListingPattern),
                     false);
  return 0;
}

PointRecord LevelBookPointRecord(const LevelBookRow& row, int point, int road, double chainage) {
  return PointRecord{
      .name = {},
      .point = point,
      .east = chainage,
      .north = -row.Value(kLevelOffset),
      .height = row.values[kLevelRl],
      .code = row.comment.substr(0, kRecordText),
      .description = {},
      .road = road,
      .chainage = chainage,
      .offset = row.Value(kLevelOffset),
      .spare = float(kEmptyValue),
      .flag = 0,
  };
}

}  // namespace kestrel
