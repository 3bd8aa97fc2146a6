#pragma once
// The messages exchanged with the host: their codes, the host's 123-byte point
// record and the arrays of point numbers, all packed and little-endian.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sheets/point_record.h"

namespace kestrel {

enum LinkCode : std::uint32_t {
  LINK_REQUEST_POINTS = 1,  // u32 point numbers
  LINK_STORE_POINTS = 4,    // PointRecords
  LINK_STRING_LIST = 6,     // text, no terminating NUL
  LINK_POINTS = 1000,       // HostPointRecords
  LINK_ACK = 1001,
  LINK_NUMBER_LIST = 1002,     // u32 point numbers
  LINK_HIGHEST_NUMBER = 1004,  // one u32
};

inline constexpr std::size_t kHostPointRecordSize = 123;

// The fields of a host record that are read; the other bytes are the host's.
struct HostPointRecord {
  std::uint32_t point = 0;  // offset 20
  double east = 0.0;        // offset 24
  double north = 0.0;       // offset 32
  float height = 0.0f;      // offset 40
  std::string code;         // offset 44, 32 bytes
  std::string description;  // offset 76, 32 bytes
  std::int16_t road = 0;    // offset 108
  float chainage = 0.0f;    // offset 110
  float offset = 0.0f;      // offset 114
};

// Bytes not carried by the struct are written as zero.
void AppendHostPointRecord(std::string& out, const HostPointRecord& record);
HostPointRecord DecodeHostPointRecord(const std::uint8_t* bytes);
// Only whole records are read; a trailing part record is ignored.
std::vector<HostPointRecord> DecodeHostPointRecords(std::string_view payload);

// A PointRecord as the program builds it from a host record: number, position,
// texts, road (sign-extended) and chainage and offset (widened). A value
// that is NaN or infinite becomes the empty value.
PointRecord ToPointRecord(const HostPointRecord& host);

std::string EncodeNumbers(const std::vector<std::uint32_t>& numbers);
// Only whole numbers are read.
std::vector<std::uint32_t> DecodeNumbers(std::string_view payload);

std::string EncodePointRecords(const std::vector<PointRecord>& records);
// Only whole records are read.
std::vector<PointRecord> DecodePointRecords(std::string_view payload);

}  // namespace kestrel
