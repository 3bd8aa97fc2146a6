#include "sheets/point_record.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kestrel {

namespace {

constexpr std::size_t kNameField = 36;
constexpr std::size_t kNameLimit = 31;  // leaves room for the NUL within 32 bytes
constexpr std::size_t kTextField = 32;

void PutU32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutU64(std::uint8_t* out, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetU32(const std::uint8_t* in) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | in[i];
  return value;
}

std::uint64_t GetU64(const std::uint8_t* in) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | in[i];
  return value;
}

// Copies at most `limit` bytes; the rest of the field stays zero, so a
// shorter text is NUL-terminated.
void PutText(std::uint8_t* out, const std::string& text, std::size_t limit) {
  std::memcpy(out, text.data(), std::min(text.size(), limit));
}

std::string GetText(const std::uint8_t* in, std::size_t limit) {
  const auto* end = std::find(in, in + limit, std::uint8_t{0});
  return std::string(reinterpret_cast<const char*>(in), static_cast<std::size_t>(end - in));
}

}  // namespace

std::array<std::uint8_t, kPointRecordSize> EncodePointRecord(const PointRecord& record) {
  std::array<std::uint8_t, kPointRecordSize> bytes{};
  std::uint8_t* out = bytes.data();
  PutText(out + 0, record.name, kNameLimit);
  PutU32(out + 36, static_cast<std::uint32_t>(record.point));
  PutU64(out + 40, std::bit_cast<std::uint64_t>(record.east));
  PutU64(out + 48, std::bit_cast<std::uint64_t>(record.north));
  PutU32(out + 56, std::bit_cast<std::uint32_t>(record.height));
  PutText(out + 60, record.code, kTextField);
  PutText(out + 92, record.description, kTextField);
  PutU32(out + 124, static_cast<std::uint32_t>(record.road));
  PutU64(out + 128, std::bit_cast<std::uint64_t>(record.chainage));
  PutU64(out + 136, std::bit_cast<std::uint64_t>(record.offset));
  PutU32(out + 144, std::bit_cast<std::uint32_t>(record.spare));
  out[148] = record.flag;
  return bytes;
}

PointRecord DecodePointRecord(const std::uint8_t* bytes) {
  PointRecord record;
  record.name = GetText(bytes + 0, kNameField - 4);
  record.point = static_cast<std::int32_t>(GetU32(bytes + 36));
  record.east = std::bit_cast<double>(GetU64(bytes + 40));
  record.north = std::bit_cast<double>(GetU64(bytes + 48));
  record.height = std::bit_cast<float>(GetU32(bytes + 56));
  record.code = GetText(bytes + 60, kTextField);
  record.description = GetText(bytes + 92, kTextField);
  record.road = static_cast<std::int32_t>(GetU32(bytes + 124));
  record.chainage = std::bit_cast<double>(GetU64(bytes + 128));
  record.offset = std::bit_cast<double>(GetU64(bytes + 136));
  record.spare = std::bit_cast<float>(GetU32(bytes + 144));
  record.flag = bytes[148];
  return record;
}

}  // namespace kestrel
