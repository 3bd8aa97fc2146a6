// Frames: the header, the limit, the payload sizes each code allows.
#include <gtest/gtest.h>

#include "hostlink/link_frame.h"
#include "hostlink/link_messages.h"
#include "platform/le_bytes.h"

namespace kestrel {
namespace {

using testing::FrameHeader;

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
      {"empty", "", FrameStatus::kNeedMore},
      {"half header", FrameHeader(1, 4).substr(0, 5), FrameStatus::kNeedMore},
      {"payload cut", FrameHeader(1, 8) + "1234", FrameStatus::kNeedMore},
      {"whole request", FrameHeader(1, 8) + "12345678", FrameStatus::kFrame},
      {"past the limit", FrameHeader(LINK_STRING_LIST, over), FrameStatus::kRefused},
      {"unknown code past the limit", FrameHeader(77, 0xFFFFFFFFu), FrameStatus::kRefused},
      {"request not whole numbers", FrameHeader(LINK_REQUEST_POINTS, 6), FrameStatus::kRefused},
      {"store not whole records", FrameHeader(LINK_STORE_POINTS, 150), FrameStatus::kRefused},
      {"store two records", FrameHeader(LINK_STORE_POINTS, 298), FrameStatus::kNeedMore},
      {"ack with a payload", FrameHeader(LINK_ACK, 1), FrameStatus::kRefused},
      {"result of 3 bytes", FrameHeader(kFrameResult, 3), FrameStatus::kRefused},
      {"highest without a number", FrameHeader(LINK_HIGHEST_NUMBER, 2), FrameStatus::kRefused},
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

}  // namespace
}  // namespace kestrel
