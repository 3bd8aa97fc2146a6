// Frames: the header, the limit, the payload sizes each code allows.
#include <gtest/gtest.h>

#include "hostlink/link_frame.h"
#include "hostlink/link_messages.h"

namespace kestrel {
namespace {

std::string Header(std::uint32_t code, std::uint32_t length) {
  std::string out;
  for (std::uint32_t value : {code, length})
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
  return out;
}

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
      {"half header", Header(1, 4).substr(0, 5), FrameStatus::kNeedMore},
      {"payload cut", Header(1, 8) + "1234", FrameStatus::kNeedMore},
      {"whole request", Header(1, 8) + "12345678", FrameStatus::kFrame},
      {"past the limit", Header(LINK_STRING_LIST, over), FrameStatus::kRefused},
      {"unknown code past the limit", Header(77, 0xFFFFFFFFu), FrameStatus::kRefused},
      {"request not whole numbers", Header(LINK_REQUEST_POINTS, 6), FrameStatus::kRefused},
      {"store not whole records", Header(LINK_STORE_POINTS, 150), FrameStatus::kRefused},
      {"store two records", Header(LINK_STORE_POINTS, 298), FrameStatus::kNeedMore},
      {"ack with a payload", Header(LINK_ACK, 1), FrameStatus::kRefused},
      {"result of 3 bytes", Header(kFrameResult, 3), FrameStatus::kRefused},
      {"highest without a number", Header(LINK_HIGHEST_NUMBER, 2), FrameStatus::kRefused},
      {"points with a part record", Header(LINK_POINTS, 130) + std::string(130, 'x'),
       FrameStatus::kFrame},
      {"long broadcast name", Header(kFrameBroadcast, 256), FrameStatus::kRefused},
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
