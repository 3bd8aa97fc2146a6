#include "hostlink/link_messages.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "survey/empty_value.h"

namespace kestrel {

namespace {

constexpr std::size_t kTextField = 32;

std::uint64_t GetLe(const std::uint8_t* in, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | in[i];
  return value;
}

void PutLe(std::uint8_t* out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::string GetText(const std::uint8_t* in) {
  const auto* end = std::find(in, in + kTextField, std::uint8_t{0});
  return std::string(reinterpret_cast<const char*>(in), static_cast<std::size_t>(end - in));
}

void PutText(std::uint8_t* out, const std::string& text) {
  std::memcpy(out, text.data(), std::min(text.size(), kTextField));
}

const std::uint8_t* Bytes(std::string_view payload) {
  return reinterpret_cast<const std::uint8_t*>(payload.data());
}

}  // namespace

void AppendHostPointRecord(std::string& out, const HostPointRecord& record) {
  std::uint8_t bytes[kHostPointRecordSize] = {};
  PutLe(bytes + 20, record.point, 4);
  PutLe(bytes + 24, std::bit_cast<std::uint64_t>(record.east), 8);
  PutLe(bytes + 32, std::bit_cast<std::uint64_t>(record.north), 8);
  PutLe(bytes + 40, std::bit_cast<std::uint32_t>(record.height), 4);
  PutText(bytes + 44, record.code);
  PutText(bytes + 76, record.description);
  PutLe(bytes + 108, static_cast<std::uint16_t>(record.road), 2);
  PutLe(bytes + 110, std::bit_cast<std::uint32_t>(record.chainage), 4);
  PutLe(bytes + 114, std::bit_cast<std::uint32_t>(record.offset), 4);
  out.append(reinterpret_cast<const char*>(bytes), kHostPointRecordSize);
}

HostPointRecord DecodeHostPointRecord(const std::uint8_t* bytes) {
  HostPointRecord record;
  record.point = static_cast<std::uint32_t>(GetLe(bytes + 20, 4));
  record.east = std::bit_cast<double>(GetLe(bytes + 24, 8));
  record.north = std::bit_cast<double>(GetLe(bytes + 32, 8));
  record.height = std::bit_cast<float>(static_cast<std::uint32_t>(GetLe(bytes + 40, 4)));
  record.code = GetText(bytes + 44);
  record.description = GetText(bytes + 76);
  record.road = static_cast<std::int16_t>(GetLe(bytes + 108, 2));
  record.chainage = std::bit_cast<float>(static_cast<std::uint32_t>(GetLe(bytes + 110, 4)));
  record.offset = std::bit_cast<float>(static_cast<std::uint32_t>(GetLe(bytes + 114, 4)));
  return record;
}

std::vector<HostPointRecord> DecodeHostPointRecords(std::string_view payload) {
  std::vector<HostPointRecord> records;
  const std::size_t count = payload.size() / kHostPointRecordSize;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    records.push_back(DecodeHostPointRecord(Bytes(payload) + i * kHostPointRecordSize));
  return records;
}

// A value the host sends as NaN or infinite is taken as no value, so that it
// never reaches a sheet.
PointRecord ToPointRecord(const HostPointRecord& host) {
  PointRecord record;
  record.point = static_cast<std::int32_t>(host.point);
  record.east = FiniteOrEmpty(host.east);
  record.north = FiniteOrEmpty(host.north);
  record.height = static_cast<float>(FiniteOrEmpty(host.height));
  record.code = host.code;
  record.description = host.description;
  record.road = host.road;
  record.chainage = FiniteOrEmpty(host.chainage);
  record.offset = FiniteOrEmpty(host.offset);
  return record;
}

std::string EncodeNumbers(const std::vector<std::uint32_t>& numbers) {
  std::string out(numbers.size() * 4, '\0');
  auto* bytes = reinterpret_cast<std::uint8_t*>(out.data());
  for (std::size_t i = 0; i < numbers.size(); ++i) PutLe(bytes + 4 * i, numbers[i], 4);
  return out;
}

std::vector<std::uint32_t> DecodeNumbers(std::string_view payload) {
  std::vector<std::uint32_t> numbers(payload.size() / 4);
  for (std::size_t i = 0; i < numbers.size(); ++i)
    numbers[i] = static_cast<std::uint32_t>(GetLe(Bytes(payload) + 4 * i, 4));
  return numbers;
}

std::string EncodePointRecords(const std::vector<PointRecord>& records) {
  std::string out;
  out.reserve(records.size() * kPointRecordSize);
  for (const PointRecord& record : records) {
    const auto bytes = EncodePointRecord(record);
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  return out;
}

std::vector<PointRecord> DecodePointRecords(std::string_view payload) {
  std::vector<PointRecord> records;
  const std::size_t count = payload.size() / kPointRecordSize;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    records.push_back(DecodePointRecord(Bytes(payload) + i * kPointRecordSize));
  return records;
}

}  // namespace kestrel
