// The 149-byte point record handed to the host.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sheets/point_record.h"

namespace kestrel {
namespace {

std::string Field(const std::array<std::uint8_t, kPointRecordSize>& bytes, std::size_t offset,
                  std::size_t size) {
  return std::string(reinterpret_cast<const char*>(bytes.data()) + offset, size);
}

TEST(PointRecord, FieldsLieAtTheirOffsetsLittleEndian) {
  PointRecord record;
  record.name = "0";
  record.point = 0x01020304;
  record.east = 1.0;  // 0x3FF0000000000000
  record.north = -2.0;
  record.height = 999999986991104.0f;
  record.code = "CP";
  record.description = "pin";
  record.road = -2;
  record.chainage = 1e15;
  record.offset = 0.5;
  record.spare = 1.0f;
  record.flag = 7;
  const auto bytes = EncodePointRecord(record);
  EXPECT_EQ(Field(bytes, 0, 36), std::string("0") + std::string(35, '\0'));
  EXPECT_EQ(Field(bytes, 36, 4), "\x04\x03\x02\x01");
  EXPECT_EQ(Field(bytes, 40, 8), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
  EXPECT_EQ(Field(bytes, 48, 8), std::string("\0\0\0\0\0\0\x00\xC0", 8));
  EXPECT_EQ(Field(bytes, 56, 4), "\xA9\x5F\x63\x58");  // 1e15 in single precision
  EXPECT_EQ(Field(bytes, 60, 32), std::string("CP") + std::string(30, '\0'));
  EXPECT_EQ(Field(bytes, 92, 32), std::string("pin") + std::string(29, '\0'));
  EXPECT_EQ(Field(bytes, 124, 4), "\xFE\xFF\xFF\xFF");
  EXPECT_EQ(Field(bytes, 128, 8), std::string("\0\0\x34\x26\xF5\x6B\x0C\x43", 8));
  EXPECT_EQ(Field(bytes, 136, 8), std::string("\0\0\0\0\0\0\xE0\x3F", 8));
  EXPECT_EQ(Field(bytes, 144, 4), std::string("\0\0\x80\x3F", 4));
  EXPECT_EQ(bytes[148], 7);

  const PointRecord back = DecodePointRecord(bytes.data());
  EXPECT_EQ(back.name, "0");
  EXPECT_EQ(back.point, 0x01020304);
  EXPECT_EQ(back.east, 1.0);
  EXPECT_EQ(back.north, -2.0);
  EXPECT_EQ(back.height, 999999986991104.0f);
  EXPECT_EQ(back.code, "CP");
  EXPECT_EQ(back.description, "pin");
  EXPECT_EQ(back.road, -2);
  EXPECT_EQ(back.chainage, 1e15);
  EXPECT_EQ(back.offset, 0.5);
  EXPECT_EQ(back.spare, 1.0f);
  EXPECT_EQ(back.flag, 7);
}

TEST(PointRecord, LongTextsAreCutToTheirFields) {
  PointRecord record;
  record.name = std::string(40, 'n');
  record.code = std::string(40, 'c');
  record.description = std::string(33, 'd');
  record.point = 5;
  const auto bytes = EncodePointRecord(record);
  // The name keeps its terminator within 32 bytes; code and description
  // fill their 32 bytes without one.
  EXPECT_EQ(Field(bytes, 0, 36), std::string(31, 'n') + std::string(5, '\0'));
  EXPECT_EQ(Field(bytes, 60, 32), std::string(32, 'c'));
  EXPECT_EQ(Field(bytes, 92, 32), std::string(32, 'd'));
  EXPECT_EQ(Field(bytes, 36, 4), std::string("\x05\0\0\0", 4));  // not overwritten

  const PointRecord back = DecodePointRecord(bytes.data());
  EXPECT_EQ(back.name, std::string(31, 'n'));
  EXPECT_EQ(back.code, std::string(32, 'c'));
  EXPECT_EQ(back.description, std::string(32, 'd'));
  EXPECT_EQ(back.point, 5);
}

}  // namespace
}  // namespace kestrel
