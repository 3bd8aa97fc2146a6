// The host's 123-byte record read field by field from hand-placed bytes, and
// the arrays of numbers.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <limits>

#include "hostlink/link_messages.h"

namespace kestrel {
namespace {

void Put(std::string& bytes, std::size_t at, const void* value, std::size_t size) {
  std::memcpy(bytes.data() + at, value, size);  // the test host is little-endian
}

std::string HostBytes(std::uint32_t point, double east, double north, float height,
                      const char* code, const char* description, std::int16_t road, float chainage,
                      float offset) {
  std::string bytes(kHostPointRecordSize, '\x55');  // host data that must not be read
  Put(bytes, 20, &point, 4);
  Put(bytes, 24, &east, 8);
  Put(bytes, 32, &north, 8);
  Put(bytes, 40, &height, 4);
  std::memset(bytes.data() + 44, 0, 64);
  std::memcpy(bytes.data() + 44, code, std::min<std::size_t>(std::strlen(code), 32));
  std::memcpy(bytes.data() + 76, description, std::min<std::size_t>(std::strlen(description), 32));
  Put(bytes, 108, &road, 2);
  Put(bytes, 110, &chainage, 4);
  Put(bytes, 114, &offset, 4);
  return bytes;
}

TEST(LinkMessages, HostRecordFieldsAreReadFromTheirOffsets) {
  const std::string bytes =
      HostBytes(4000000000u, 512345.125, 6912345.5, 42.25f, "TREE", "big gum", -2, 120.5f, -3.25f);
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
  const HostPointRecord full = DecodeHostPointRecords(HostBytes(1, 0, 0, 0, code.c_str(),
                                                                description.c_str(), 0, 0.0f, 0.0f))
                                   .at(0);
  EXPECT_EQ(full.code, code);
  EXPECT_EQ(full.description, description);
}

TEST(LinkMessages, NonFiniteHostValuesBecomeEmpty) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const PointRecord record = ToPointRecord(
      DecodeHostPointRecords(HostBytes(1, nan, -nan, inf, "", "", 0, -inf, nan)).at(0));
  for (double value :
       {record.east, record.north, double(record.height), record.chainage, record.offset})
    EXPECT_EQ(value, 999999986991104.0);
}

TEST(LinkMessages, OnlyWholeRecordsAndNumbersAreRead) {
  std::string payload =
      HostBytes(7, 1, 2, 3, "A", "", 0, 0, 0) + HostBytes(8, 1, 2, 3, "B", "", 0, 0, 0);
  payload += std::string(50, '\x01');
  const auto records = DecodeHostPointRecords(payload);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].point, 8u);
  EXPECT_TRUE(DecodeHostPointRecords(std::string(122, '\0')).empty());

  const std::string numbers = std::string("\x01\x00\x00\x00\xff\xff\xff\xff\x07", 9);
  EXPECT_EQ(DecodeNumbers(numbers), (std::vector<std::uint32_t>{1u, 0xFFFFFFFFu}));
}

TEST(LinkMessages, HostRecordWrittenByTheHostReadsBack) {
  const HostPointRecord record{123, -5.5, 7.75, 1.5f, "KERB", "lip", -300, 10.5f, 2.0f};
  std::string bytes;
  AppendHostPointRecord(bytes, record);
  ASSERT_EQ(bytes.size(), kHostPointRecordSize);
  EXPECT_EQ(bytes.substr(0, 20), std::string(20, '\0'));
  const std::string expected = HostBytes(123, -5.5, 7.75, 1.5f, "KERB", "lip", -300, 10.5f, 2.0f);
  EXPECT_EQ(bytes.substr(20, 98), expected.substr(20, 98));
}

}  // namespace
}  // namespace kestrel
