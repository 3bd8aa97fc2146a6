#include "hostlink/link_frame.h"

#include "hostlink/link_messages.h"

namespace kestrel {

namespace {

std::uint32_t GetU32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

void PutU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace

bool PayloadSizeAllowed(std::uint32_t code, std::size_t size) {
  if (size > kMaxFramePayload) return false;
  switch (code) {
    case LINK_REQUEST_POINTS:
      return size % 4 == 0;
    case LINK_STORE_POINTS:
      return size % kPointRecordSize == 0;
    case LINK_HIGHEST_NUMBER:
      return size >= 4;
    case LINK_ACK:
      return size == 0;
    case kFrameResult:
      return size == 4;
    case kFrameBroadcast:
      return size <= kMaxBroadcastName;
    case kFrameBearMsg:
      return size == 8;
    default:
      return true;
  }
}

std::string EncodeFrame(std::uint32_t code, std::string_view payload) {
  std::string out;
  out.reserve(kFrameHeaderSize + payload.size());
  PutU32(out, code);
  PutU32(out, static_cast<std::uint32_t>(payload.size()));
  out.append(payload);
  return out;
}

FrameStatus DecodeFrame(std::string_view bytes, LinkFrame& frame, std::size_t& consumed) {
  consumed = 0;
  if (bytes.size() < kFrameHeaderSize) return FrameStatus::kNeedMore;
  const std::uint32_t code = GetU32(bytes, 0);
  const std::size_t length = GetU32(bytes, 4);
  if (!PayloadSizeAllowed(code, length)) return FrameStatus::kRefused;
  if (bytes.size() - kFrameHeaderSize < length) return FrameStatus::kNeedMore;
  frame.code = code;
  frame.payload.assign(bytes.substr(kFrameHeaderSize, length));
  consumed = kFrameHeaderSize + length;
  return FrameStatus::kFrame;
}

std::string EncodeResult(std::int32_t result) {
  std::string out;
  PutU32(out, static_cast<std::uint32_t>(result));
  return out;
}

std::int32_t DecodeResult(std::string_view payload) {
  if (payload.size() != 4) return 0;
  return static_cast<std::int32_t>(GetU32(payload, 0));
}

}  // namespace kestrel
