// Report files on a full disk: the report on disk stays
// whole (its closing brace included) and the message gives the reason.
#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "platform/recording_ports.h"
#include "platform/scratch_disk.h"
#include "report/report_writer.h"

namespace kestrel {
namespace {

using testing::FileSizeLimit;
using testing::Reason;
using testing::ScratchDir;
using testing::TmpfsMount;

const std::string kReport =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\\fs18 kept\\par \r\n}";

TEST(ReportFailuresTest, AFullDiskLeavesTheReportWhole) {
  const TmpfsMount smallDisk(64);
  const ScratchDir plainDir;
  const ScratchDir& dir = smallDisk.Mounted() ? smallDisk.Folder() : plainDir;
  const int expected = smallDisk.Mounted() ? ENOSPC : EFBIG;
  const std::vector<std::string> manyLines(20000, "a line long enough to fill the disk soon");

  for (bool newFile : {true, false}) {
    SCOPED_TRACE(newFile ? "new report" : "appended");
    dir.Put("r.rtf", kReport);
    std::optional<FileSizeLimit> limit;
    if (!smallDisk.Mounted()) limit.emplace(64 * 1024);
    RecordingMessages messages;
    CReportWriter writer(messages);
    std::string path = dir.File("r.rtf");
    EXPECT_EQ(writer.WriteReport(manyLines, path, newFile, false, false), 0);
    limit.reset();
    EXPECT_TRUE(writer.failed);
    EXPECT_EQ(messages.texts,
              std::vector<std::string>{"error writing file " + path + ": " + Reason(expected)});
    EXPECT_EQ(dir.Get("r.rtf"), kReport);
    EXPECT_EQ(dir.Names(), std::set<std::string>{"r.rtf"});
  }
}

}  // namespace
}  // namespace kestrel
