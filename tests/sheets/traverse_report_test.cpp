// The Traverse Report and the Traverse Adjustment Report: exact lines.
#include <gtest/gtest.h>

#include "sheets/command_codes.h"
#include "sheets/traverse/traverse_report.h"
#include "survey/distances.h"
#include "traverse_test_sheet.h"

namespace kestrel::testing {
namespace {

class ScriptedReportChooser : public TraverseReportChooser {
 public:
  std::optional<TraverseReportChoice> Choose() override {
    ++asked;
    return answer;
  }
  std::optional<TraverseReportChoice> answer;
  int asked = 0;
};

TEST(TraverseReport, WithoutARouteItExplainsHowToDefineOne) {
  TraverseTestSheet t({"0,1,1000,1000,50,"});
  EXPECT_EQ(TraverseReportLines(t.sheet),
            (std::vector<std::string>{
                "No traverse has been defined; or you need to first calculate a misclose",
                "by hitting the Recalc (Re) button top left. You need a Fnote entry such as",
                "tr 1,2,3,4,1 Please refer to our on-line tutorials", "for an example"}));
}

TEST(TraverseReport, ClosedSquareInMetres) {
  TraverseTestSheet t(Square());
  t.sheet.Command(kCmdCalculate);
  const std::vector<std::string> lines = TraverseReportLines(t.sheet);
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 10),
            ExpectedLines(KESTREL_TEST_DATA_DIR "/traverse_report_square.txt"));
}

TEST(TraverseReport, AdjustmentReportIsOfferedAndWritten) {
  TraverseTestSheet t(Square("999999986991104"));
  ScriptedReportChooser chooser;
  chooser.answer = TraverseReportChoice{};
  t.sheet.SetReportChooser(&chooser);
  t.app.job = JobLocation{"", "", "job"};
  ScratchFolder folder;
  t.app.job.folder = folder.File("");
  t.sheet.Command(kCmdBowditch);
  EXPECT_EQ(chooser.asked, 1);
  ASSERT_EQ(t.shell.opened.size(), 1u);
  EXPECT_TRUE(t.shell.opened[0].ends_with("TraverseListing_job.rtf"));

  const std::vector<std::string> rtf = TraverseAdjustmentReportLines(t.sheet, false, false);
  EXPECT_EQ(std::vector<std::string>(rtf.begin(), rtf.begin() + 8),
            ExpectedLines(KESTREL_TEST_DATA_DIR "/traverse_adjustment_report_square.txt"));
  EXPECT_EQ(rtf[11], "1    " + std::string(62, ' ') + "1000.000      1000.000         null");

  const std::vector<std::string> csv = TraverseAdjustmentReportLines(t.sheet, true, false);
  EXPECT_EQ(csv[7], "     Accuracy         :,Traverse is closed");
  EXPECT_EQ(csv[11], "1    ," + std::string(62, ' ') + "1000.000,      1000.000,null");

  // Without a misclose that can be formed no report is offered.
  TraverseTestSheet open({"0,1,0,0,0,", "3,1,2,90,90,100,0,0,,0,0,0"});
  open.sheet.SetReportChooser(&chooser);
  open.sheet.Command(kCmdBowditch);
  EXPECT_EQ(chooser.asked, 1);
}

TEST(TraverseReport, CorrectionsAndCorrectedBearings) {
  // The north leg is 0.04 long: Bowditch takes 0.01 off each leg's
  // latitude; corrected bearings and distances come from the adjusted
  // stations.
  TraverseTestSheet t(Square("50", "100.04"));
  t.sheet.Command(kCmdBowditch);
  const std::vector<std::string> plain = TraverseAdjustmentReportLines(t.sheet, false, false);
  EXPECT_EQ(plain[1], "     Northing Misclose:        0.040");
  EXPECT_EQ(plain[12].substr(0, 53), "2       90.0000   100.000     0.000   100.000  -0.010");
  const std::vector<std::string> corrected = TraverseAdjustmentReportLines(t.sheet, false, true);
  // The first leg now runs a little south of east: 90d00m21s, 100.000.
  EXPECT_EQ(corrected[12].substr(0, 35), "2       90.0021   100.000     0.000");
}

TEST(TraverseReport, FeetAndInches) {
  TraverseTestSheet t(Square());
  t.units.distanceUnit = kFeetInches;
  t.sheet.Command(kCmdCalculate);
  const std::vector<std::string> lines = TraverseReportLines(t.sheet);
  EXPECT_EQ(lines[2], "Perimeter:       400' 0");
  EXPECT_EQ(lines[9].substr(0, 33), "2           90.0000        100' 0");
}

TEST(TraverseReport, PrintedPages) {
  TraverseTestSheet t(Square());
  t.sheet.Command(kCmdCalculate);
  RecordingCanvas canvas;
  EXPECT_EQ(t.sheet.Command(kCmdPrintHeader, &static_cast<PageCanvas&>(canvas)), 0);
  t.sheet.Command(kCmdPrintRows, &static_cast<PageCanvas&>(canvas), RowRange{0, 3, 0});
  ASSERT_EQ(canvas.texts.size(), 5u);
  EXPECT_EQ(canvas.texts[0].text, "Traverse Report");
  EXPECT_EQ(canvas.texts[4].text, "Perimeter:  400.000");
  EXPECT_EQ(t.sheet.Command(kCmdPrintHeader), -1);
}

}  // namespace
}  // namespace kestrel::testing
