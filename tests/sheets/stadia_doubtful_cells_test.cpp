// Typed values that cannot be meant: kept as read, marked with a reason in
// their cell and listed after the reduction's own lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sheets/command_codes.h"
#include "sheets/sheet_test_context.h"
#include "sheets/stadia/stadia.h"

namespace kestrel::testing {
namespace {

TEST(StadiaDoubtfulCells, MarkedKeptAndListed) {
  constexpr const char* kMinutes = "75 minutes: a reading has 0 to 59 minutes; kept as typed";
  constexpr const char* kLetter =
      "a letter inside the number ended it: the digits after the letter were not read";
  struct Case {
    int column;  // of an SD/HT row: 1 Pt#, 2 Hz Cir, 3 Vt Cir, 4 S/Dist, 6 code
    const char* typed;
    double stored;      // the field the column holds, as read
    std::string doubt;  // empty: sound
  } cases[] = {
      {2, "45.75", 45.75, kMinutes},
      {2, "45.3075", 45.3075, "75 seconds: a reading has 0 to 59 seconds; kept as typed"},
      {2, "45.6", 45.6, "60 minutes: a reading has 0 to 59 minutes; kept as typed"},
      {2, "45.5959", 45.5959, ""},
      {2, "N 45.30 E", 45.30, ""},  // quadrant letters belong to a bearing
      {3, "90.60", 90.60, "60 minutes: a reading has 0 to 59 minutes; kept as typed"},
      {4, "1O.5", 1.0, kLetter},
      {4, "12.5m", 12.5, ""},  // a unit after the number
      {4, "1e3", 1000.0, ""},
      {1, "1O1", 1.0, kLetter},
      {1, "l00", 0.0, kLetter},
      {6, "A1B2", 0.0, ""},  // a code is text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    SheetTestContext context;
    context.app.errorReport = false;
    Stadia sheet(context.ctx);
    sheet.Rows() = {BlankStadiaRow(kStadiaSdHt), BlankStadiaRow(kStadiaSdHt)};
    CellValue typed;
    typed.text = c.typed;
    sheet.ParseCell(c.column, 0, typed);
    const StadiaRow& row = sheet.Rows()[0];
    const double stored[] = {0.0, static_cast<double>(row.point), row.hz, row.obs2, row.dist};
    if (c.column <= 4) {
      EXPECT_DOUBLE_EQ(stored[c.column], c.stored);
    }

    CellValue shown;
    sheet.CellText(c.column, 0, shown);
    EXPECT_EQ(shown.doubt, c.doubt);
    sheet.Command(kCmdCalculate);
    const auto& lines = sheet.MessageLines();
    const bool listed = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.starts_with("line 0 ") && line.ends_with(": " + c.doubt);
    });
    EXPECT_EQ(listed, !c.doubt.empty());
  }
}

}  // namespace
}  // namespace kestrel::testing
