#pragma once
// One link message on the wire: code (u32), payload length (u32), payload,
// little-endian. The payload is byte for byte what the message carries. Two
// codes belong to the transport itself: the result of a send, which ends the
// host's answer, and the broadcast of a registered message name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

inline constexpr std::uint32_t kFrameResult = 0x80000001;     // payload: i32 result
inline constexpr std::uint32_t kFrameBroadcast = 0x80000002;  // payload: message name
inline constexpr std::uint32_t kFrameBearMsg = 0x80000003;    // payload: i32 wParam, i32 lParam
inline constexpr std::size_t kFrameHeaderSize = 8;
// The longest payload either side accepts: room for 400 000 point records of
// 149 bytes in one upload.
inline constexpr std::size_t kMaxFramePayload = 64u * 1024u * 1024u;
inline constexpr std::size_t kMaxBroadcastName = 255;

struct LinkFrame {
  std::uint32_t code = 0;
  std::string payload;
};

// Whether a payload of `size` bytes is acceptable for `code`: arrays sent to
// the host must hold whole elements; replies are read whole elements only, as
// far as they go. Codes not known here take any size up to the limit.
bool PayloadSizeAllowed(std::uint32_t code, std::size_t size);

std::string EncodeFrame(std::uint32_t code, std::string_view payload);

enum class FrameStatus { kFrame, kNeedMore, kRefused };

// Reads one frame from the front of `bytes`. kFrame: `frame` is set and
// `consumed` is its length on the wire. kNeedMore: the frame is not complete
// yet. kRefused: the header announces more than the limit or a size the code
// does not allow; nothing after it can be trusted.
FrameStatus DecodeFrame(std::string_view bytes, LinkFrame& frame, std::size_t& consumed);

std::string EncodeResult(std::int32_t result);
// The result carried by a result frame; 0 when its payload is not 4 bytes.
std::int32_t DecodeResult(std::string_view payload);

}  // namespace kestrel
