// The Precision Stadia sheet: its file in both forms, its cells to hundredths
// of a second, damaged files.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/le_bytes.h"
#include "sheet_test_context.h"
#include "sheets/stadia/precision_stadia.h"
#include "survey/angles.h"

namespace kestrel::testing {
namespace {

constexpr double E = kEmptyValue;
const std::string kDeg(1, '\xB0');

// A counted text of fewer than 255 characters: its length byte, then it.
LeBytes& Counted(LeBytes& b, const std::string& t) { return b.Le(t.size(), 1).Raw(t); }

// An SD/HT shot to point 7 and an AT/BS set-up on 3 sighting 12, both forms.
PrecisionStadiaRow ShotRow() {
  PrecisionStadiaRow r = BlankPrecisionRow(kStadiaSdHt);
  r.point = 7, r.hz = 123.453012, r.obs2 = 84.000050, r.dist = 200.5, r.targetHt = 1.6;
  r.code = "TREE", r.comment = "oak";
  return r;
}
PrecisionStadiaRow SetupRow() {
  PrecisionStadiaRow r = BlankPrecisionRow(kStadiaAtBs);
  r.point = 3, r.hz = 0.0, r.dist = 1.55;
  SetBacksightNumber(r, 12);
  return r;
}
std::string NativeBytes(const PrecisionStadiaRow& r) {
  LeBytes b;
  b.Le(static_cast<std::uint8_t>(r.type), 1).F64(r.hz).Le(r.point, 4);
  for (double v : {r.obs2, r.dist, r.targetHt, r.spare, r.east, r.north, r.height, r.spare2,
                   r.spare3, r.reducedDist, r.gridBearing}) {
    b.F64(v);
  }
  Counted(b, r.code);
  Counted(b, r.comment);
  return Counted(b, r.note).s;
}
std::string StadiaBytes(const PrecisionStadiaRow& r) {
  LeBytes b;
  b.Le(static_cast<std::uint8_t>(r.type), 1).Le(r.point, 4);
  for (double v : {r.hz, r.obs2, r.spare, r.dist, r.targetHt, r.east, r.north, r.height}) b.F64(v);
  return b.Text(r.code).Text(r.comment).Text(r.note).s;
}
const std::string kVersion1("\x01\x00", 2);
const std::string kStadiaHeader =
    std::string("\x02", 1) + std::string(44, '\0') + "Version 2" + '\0';

class PrecisionSheetTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.Ok()); }
  ScratchFolder folder;
  SheetTestContext context;
  PrecisionStadia sheet{context.ctx};
};

// Each form's bytes, written and read: a Stadia-named file is the Stadia
// form, and its readings come back cut to four decimals.
TEST_F(PrecisionSheetTest, FileForms) {
  PrecisionStadiaRow cut = ShotRow();
  cut.hz = 123.453, cut.obs2 = 84.0, cut.spare2 = 0.0, cut.spare3 = 1.0;
  PrecisionStadiaRow setup = SetupRow();
  setup.spare2 = 0.0, setup.spare3 = 1.0;
  const struct {
    const char* name;
    std::string bytes;
    std::vector<PrecisionStadiaRow> readBack;
  } cases[] = {
      {"job7.precisionstadia2",
       kVersion1 + NativeBytes(SetupRow()) + NativeBytes(ShotRow()),
       {SetupRow(), ShotRow()}},
      {"notes.dat",
       kVersion1 + NativeBytes(SetupRow()) + NativeBytes(ShotRow()),
       {SetupRow(), ShotRow()}},
      {"stad2.job7",
       kStadiaHeader + StadiaBytes(SetupRow()) + StadiaBytes(ShotRow()),
       {setup, cut}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PrecisionStadia written(context.ctx);
    written.Rows() = {SetupRow(), ShotRow()};
    ASSERT_EQ(written.SaveToFile(folder.File(c.name)), 1);
    EXPECT_EQ(folder.Get(c.name), c.bytes);
    ASSERT_EQ(sheet.LoadFromFile(folder.File(c.name)), 1);
    ASSERT_EQ(sheet.RowCount(), static_cast<int>(c.readBack.size()));
    for (int i = 0; i < sheet.RowCount(); ++i) {
      EXPECT_EQ(sheet.RowState(i), NativeBytes(c.readBack[static_cast<std::size_t>(i)])) << i;
    }
    sheet.Rows().clear();
  }
}

// Typed in each angle mode, shown back with the hundredths of a second; a
// CHK row shows its readings to whole seconds, as the Stadia sheet does.
TEST_F(PrecisionSheetTest, CellTextsKeepHundredths) {
  const struct {
    int mode, type, column;
    const char* typed;
    double stored;
    std::string shown;
  } cases[] = {
      {kWholeCircle, kStadiaSdHt, 2, "123.453012", 123.453012, "123" + kDeg + "45'30.12\""},
      {kWholeCircle, kStadiaSdHt, 3, "84.00005", 84.000050, "84" + kDeg + "00'00.50\""},
      {kWholeCircle, kStadiaChk, 2, "123.453012", 123.453012, "123" + kDeg + "45'30\""},
      // 180 less 135 deg 00' 00.12" is 44 deg 59' 59.88".
      {kQuadrant, kStadiaSdHt, 2, "S 44.595988 E", 135.000012, "S 44" + kDeg + "59'59.88\" E"},
      {kQuadrant, kStadiaSdHt, 2, "S 45.301512 W", 225.301512, "S 45" + kDeg + "30'15.12\" W"},
      {kQuadrant, kStadiaSdHt, 3, "95.000012", 95.000012, "95" + kDeg + "00'00.12\""},
      // 100 grads are 90 degrees; 0.000003 grads are 0.00972".
      {kGrads, kStadiaSdHt, 2, "100.000003", 90.000000972, "100.000003g"},
      {kGrads, kStadiaSdHt, 3, "50", 45.0, "50.000000g"},
      {kGrads, kStadiaHzDh, 2, "50", 45.0, " 50.0000g"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    context.units.bearingMode = c.mode;
    sheet.Rows() = {BlankPrecisionRow(c.type)};
    CellValue typed;
    typed.text = c.typed;
    sheet.ParseCell(c.column, 0, typed);
    const PrecisionStadiaRow& row = sheet.Rows()[0];
    EXPECT_NEAR(c.column == 2 ? row.hz : row.obs2, c.stored, 1e-9);
    CellValue cell;
    sheet.CellText(c.column, 0, cell);
    EXPECT_EQ(cell.text, c.shown);
  }
}

// Damaged files keep the rows read before the damage, never a half row or a
// non-finite number, and a file not read whole is not saved over.
TEST_F(PrecisionSheetTest, DamagedAndTruncatedFiles) {
  const std::string setup = NativeBytes(SetupRow());
  std::string nanRow = NativeBytes(ShotRow());
  nanRow.replace(1, 8, LeBytes().F64(std::numeric_limits<double>::quiet_NaN()).s);
  std::string unknownType = setup;
  unknownType[0] = 9;
  const struct {
    const char* what;
    const char* name;
    std::string bytes;
    int rows;  // -1: the rows in the sheet before stay
    bool savesOver;
  } cases[] = {
      {"version word only", "a.precisionstadia1", kVersion1, -1, true},
      {"new sheet", "a.precisionstadia1", "empty", -1, true},
      {"cut inside a record", "a.precisionstadia1", kVersion1 + setup + setup.substr(0, 50), 1,
       false},
      {"cut inside a text", "a.precisionstadia1", kVersion1 + setup + setup.substr(0, 103), 1,
       false},
      {"a text longer than the file", "a.precisionstadia1",
       kVersion1 + setup.substr(0, 101) + "\xFF\xFF\xFF\xFF\xFF\xFF\x7F", -1, false},
      {"unknown type dropped, NaN empty", "a.precisionstadia1", kVersion1 + unknownType + nanRow, 1,
       true},
      {"Stadia form cut inside a record", "stad1.tst",
       kStadiaHeader + StadiaBytes(SetupRow()) + StadiaBytes(ShotRow()).substr(0, 40), 1, true},
      {"Stadia form header only", "stad1.tst", kStadiaHeader, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    sheet.Rows() = {SetupRow(), SetupRow(), SetupRow()};
    const std::string path = folder.Write(c.name, c.bytes);
    EXPECT_EQ(sheet.LoadFromFile(path), 1);
    const int expected = c.rows < 0 ? 3 : c.rows + (std::string(c.name) == "stad1.tst" ? 3 : 0);
    ASSERT_EQ(sheet.RowCount(), expected);
    for (const PrecisionStadiaRow& row : sheet.Rows()) {
      for (double v : {row.hz, row.obs2, row.dist, row.east, row.reducedDist}) {
        EXPECT_TRUE(std::isfinite(v));
      }
    }
    context.messages.texts.clear();
    EXPECT_EQ(sheet.SaveToFile(path), c.savesOver ? 1 : 0);
    if (!c.savesOver) {
      EXPECT_EQ(folder.Get(c.name), c.bytes);
      EXPECT_EQ(context.messages.texts.size(), 1u);
    }
  }
}

}  // namespace
}  // namespace kestrel::testing
