// The 149-byte point record handed to the host.
#include <gtest/gtest.h>

#include <string>

#include "sheets/point_record.h"

namespace kestrel {
namespace {

TEST(PointRecord, FieldsLieAtTheirOffsetsAndTextsAreCutToFit) {
  PointRecord record{.name = std::string(40, 'n'),
                     .point = 0x01020304,
                     .east = 1.0,
                     .north = -2.0,
                     .height = 1e15f,
                     .code = "CP",
                     .description = std::string(33, 'd'),
                     .road = -2,
                     .chainage = 1e15,
                     .offset = 0.5,
                     .spare = 1.0f,
                     .flag = 7};
  const auto bytes = EncodePointRecord(record);
  const std::string s(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // The name keeps its terminator within 32 bytes; the description fills its
  // 32 bytes without one.
  EXPECT_EQ(s.substr(0, 36), std::string(31, 'n') + std::string(5, '\0'));
  EXPECT_EQ(s.substr(36, 4), "\x04\x03\x02\x01");
  EXPECT_EQ(s.substr(40, 8), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
  EXPECT_EQ(s.substr(48, 8), std::string("\0\0\0\0\0\0\x00\xC0", 8));
  EXPECT_EQ(s.substr(56, 4), "\xA9\x5F\x63\x58");  // 1e15 in single precision
  EXPECT_EQ(s.substr(60, 32), "CP" + std::string(30, '\0'));
  EXPECT_EQ(s.substr(92, 32), std::string(32, 'd'));
  EXPECT_EQ(s.substr(124, 4), "\xFE\xFF\xFF\xFF");
  EXPECT_EQ(s.substr(128, 8), std::string("\0\0\x34\x26\xF5\x6B\x0C\x43", 8));
  EXPECT_EQ(s.substr(136, 8), std::string("\0\0\0\0\0\0\xE0\x3F", 8));
  EXPECT_EQ(s.substr(144, 5), std::string("\0\0\x80\x3F\x07", 5));

  const PointRecord back = DecodePointRecord(bytes.data());
  EXPECT_EQ(back.name, std::string(31, 'n'));
  EXPECT_EQ(back.description, std::string(32, 'd'));
  EXPECT_EQ(std::tie(back.point, back.east, back.north, back.height, back.code, back.road,
                     back.chainage, back.offset, back.spare, back.flag),
            std::tie(record.point, record.east, record.north, record.height, record.code,
                     record.road, record.chainage, record.offset, record.spare, record.flag));
}

}  // namespace
}  // namespace kestrel
