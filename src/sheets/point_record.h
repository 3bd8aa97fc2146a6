#pragma once
// The 149-byte point record a sheet hands out for the host link: packed,
// little-endian, sent to the host as it stands.
#include <array>
#include <cstdint>
#include <string>

namespace kestrel {

inline constexpr std::size_t kPointRecordSize = 149;

struct PointRecord {
  std::string name;         // offset 0, 36 bytes; NUL-terminated within 32
  std::int32_t point = 0;   // offset 36; zero or less: not to be stored
  double east = 0.0;        // offset 40
  double north = 0.0;       // offset 48
  float height = 0.0f;      // offset 56
  std::string code;         // offset 60, 32 bytes, NUL-terminated when shorter
  std::string description;  // offset 92, 32 bytes, NUL-terminated when shorter
  std::int32_t road = 0;    // offset 124
  double chainage = 0.0;    // offset 128
  double offset = 0.0;      // offset 136
  float spare = 0.0f;       // offset 144
  std::uint8_t flag = 0;    // offset 148
};

// Texts longer than their field are cut to fit (the name to 32 bytes with its
// NUL, code and description to 32 bytes without one).
std::array<std::uint8_t, kPointRecordSize> EncodePointRecord(const PointRecord& record);
PointRecord DecodePointRecord(const std::uint8_t* bytes);

}  // namespace kestrel
