// Frames (the header, the limit, the payload sizes each code allows) and the
// host's 123-byte record read field by field from hand-placed bytes.
#include <gtest/gtest.h>

#include <limits>

#include "hostlink/link_frame.h"
#include "hostlink/link_messages.h"
#include "platform/le_bytes.h"

namespace kestrel {
namespace {

using testing::FrameHeader;
using testing::LeBytes;

TEST(LinkFrame, HeaderIsCodeThenLengthLittleEndian) {
  EXPECT_EQ(EncodeFrame(LINK_STRING_LIST, "ab"), std::string("\x06\0\0\0\x02\0\0\0ab", 10));
}

TEST(LinkFrame, DecodeStatusByHeaderAndBytesPresent) {
  struct Case {
    const char* name;
    std::string bytes;
    FrameStatus status;
  };
  const std::uint32_t over = static_cast<std::uint32_t>(kMaxFramePayload) + 1;
  const Case cases[] = {
      {"payload cut", FrameHeader(1, 8) + "1234", FrameStatus::kNeedMore},
      {"whole request", FrameHeader(1, 8) + "12345678", FrameStatus::kFrame},
      {"past the limit", FrameHeader(LINK_STRING_LIST, over), FrameStatus::kRefused},
      {"request not whole numbers", FrameHeader(LINK_REQUEST_POINTS, 6), FrameStatus::kRefused},
      {"store not whole records", FrameHeader(LINK_STORE_POINTS, 150), FrameStatus::kRefused},
      {"store two records", FrameHeader(LINK_STORE_POINTS, 298), FrameStatus::kNeedMore},
      {"ack with a payload", FrameHeader(LINK_ACK, 1), FrameStatus::kRefused},
      {"points with a part record", FrameHeader(LINK_POINTS, 130) + std::string(130, 'x'),
       FrameStatus::kFrame},
      {"long broadcast name", FrameHeader(kFrameBroadcast, 256), FrameStatus::kRefused},
  };
  for (const Case& c : cases) {
    LinkFrame frame;
    std::size_t consumed = 99;
    EXPECT_EQ(DecodeFrame(c.bytes, frame, consumed), c.status) << c.name;
    if (c.status == FrameStatus::kFrame) {
      EXPECT_EQ(consumed, c.bytes.size()) << c.name;
    }
  }
}

TEST(LinkFrame, TwoFramesInOneBufferComeOutOneByOne) {
  const std::string bytes = EncodeFrame(LINK_NUMBER_LIST, std::string(8, '\x01')) +
                            EncodeFrame(kFrameResult, EncodeResult(-3));
  LinkFrame frame;
  std::size_t consumed = 0;
  ASSERT_EQ(DecodeFrame(bytes, frame, consumed), FrameStatus::kFrame);
  EXPECT_EQ(frame.code, LINK_NUMBER_LIST);
  ASSERT_EQ(DecodeFrame(std::string_view(bytes).substr(consumed), frame, consumed),
            FrameStatus::kFrame);
  EXPECT_EQ(frame.code, kFrameResult);
  EXPECT_EQ(DecodeResult(frame.payload), -3);
}

// A text field of 32 bytes, zero-padded.
std::string Field32(const std::string& text) {
  return (text + std::string(32, '\0')).substr(0, 32);
}

// 0x55 fills the host's bytes that must not be read (offsets 0-19 and 118-122).
std::string HostBytes(std::uint32_t point, double east, double north, float height,
                      const std::string& code, const std::string& description, std::int16_t road,
                      float chainage, float offset) {
  return LeBytes()
      .Raw(std::string(20, '\x55'))
      .Le(point, 4)
      .F64(east)
      .F64(north)
      .F32(height)
      .Raw(Field32(code) + Field32(description))
      .Le(static_cast<std::uint16_t>(road), 2)
      .F32(chainage)
      .F32(offset)
      .Raw(std::string(5, '\x55'))
      .s;
}

TEST(LinkMessages, HostRecordFieldsAreReadFromTheirOffsets) {
  const std::string bytes =
      HostBytes(4000000000u, 512345.125, 6912345.5, 42.25f, "TREE", "big gum", -2, 120.5f, -3.25f);
  ASSERT_EQ(bytes.size(), kHostPointRecordSize);
  const PointRecord record = ToPointRecord(DecodeHostPointRecords(bytes).at(0));
  EXPECT_EQ(static_cast<std::uint32_t>(record.point), 4000000000u);
  EXPECT_EQ(record.east, 512345.125);
  EXPECT_EQ(record.north, 6912345.5);
  EXPECT_EQ(record.height, 42.25f);
  EXPECT_EQ(record.code, "TREE");
  EXPECT_EQ(record.description, "big gum");
  EXPECT_EQ(record.road, -2);  // sign-extended from 16 bits
  EXPECT_EQ(record.chainage, 120.5);
  EXPECT_EQ(record.offset, -3.25);

  // Full-width texts end at their field, not in the next one.
  const std::string code(32, 'C'), description(32, 'D');
  const HostPointRecord full =
      DecodeHostPointRecords(HostBytes(1, 0, 0, 0, code, description, 0, 0, 0)).at(0);
  EXPECT_EQ(full.code, code);
  EXPECT_EQ(full.description, description);

  // Values that are not finite become the empty-cell filler.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const PointRecord bad = ToPointRecord(
      DecodeHostPointRecords(HostBytes(1, nan, -nan, inf, "", "", 0, -inf, nan)).at(0));
  for (double value : {bad.east, bad.north, double(bad.height), bad.chainage, bad.offset})
    EXPECT_EQ(value, 999999986991104.0);
}

TEST(LinkMessages, OnlyWholeRecordsAndNumbersAreRead) {
  const std::string payload = HostBytes(7, 1, 2, 3, "A", "", 0, 0, 0) +
                              HostBytes(8, 1, 2, 3, "B", "", 0, 0, 0) + std::string(50, '\x01');
  const auto records = DecodeHostPointRecords(payload);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].point, 8u);
  EXPECT_TRUE(DecodeHostPointRecords(std::string(122, '\0')).empty());
  EXPECT_EQ(DecodeNumbers(std::string("\x01\0\0\0\xff\xff\xff\xff\x07", 9)),
            (std::vector<std::uint32_t>{1u, 0xFFFFFFFFu}));
}

TEST(LinkMessages, HostRecordWrittenByTheHostReadsBack) {
  std::string bytes;
  AppendHostPointRecord(bytes, {123, -5.5, 7.75, 1.5f, "KERB", "lip", -300, 10.5f, 2.0f});
  const std::string expected = HostBytes(123, -5.5, 7.75, 1.5f, "KERB", "lip", -300, 10.5f, 2.0f);
  EXPECT_EQ(bytes, std::string(20, '\0') + expected.substr(20, 98) + std::string(5, '\0'));
}

}  // namespace
}  // namespace kestrel
