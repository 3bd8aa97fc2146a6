// The archive's field forms byte for byte, and reading data that is cut
// short, damaged or larger than the buffers.
#include "platform/archive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "allocation_probe.h"

namespace kestrel {
namespace {

using testing::LargestAllocationDuring;
constexpr std::size_t kMax = ArchiveReader::kMaxTextBytes;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

// Runs `body` on a reader over `bytes` held in memory, then over the same
// bytes in a temporary file.
void ForEachReader(const std::string& bytes, const std::function<void(ArchiveReader&)>& body) {
  {
    ArchiveReader reader(bytes);
    body(reader);
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file.get()), bytes.size());
  std::rewind(file.get());
  ArchiveReader reader(file.get());
  body(reader);
}

// 1: the read succeeded with `want`; 0: it failed and left the target alone;
// -1: anything else.
template <typename T>
int Outcome(ArchiveReader& r, bool (ArchiveReader::*read)(T&), const T& want, const T& sentinel) {
  T value = sentinel;
  if ((r.*read)(value)) return value == want ? 1 : -1;
  return value == sentinel ? 0 : -1;
}

TEST(ArchiveTest, NumbersByteForByte) {
  ArchiveWriter w;
  w.WriteU8(0xAB);
  w.WriteI8(-2);
  w.WriteU16(0x1234);
  w.WriteI16(-2);
  w.WriteU32(0x12345678);
  w.WriteI32(-123456789);
  w.WriteF32(-0.1f);
  w.WriteF64(999999986991104.0);  // 1e15 rounded to single precision, the empty-cell filler
  w.WriteCString(std::string_view("ab\0cd", 5));  // a zero ends the text when written
  w.WriteZeros(3);
  const std::string expected =
      Bytes({0xAB, 0xFE, 0x34, 0x12, 0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12, 0xEB,
             0x32, 0xA4, 0xF8, 0xCD, 0xCC, 0xCC, 0xBD, 0x00, 0x00, 0x00, 0x20,
             0xF5, 0x6B, 0x0C, 0x43, 'a',  'b',  0,    0,    0,    0});
  EXPECT_EQ(w.Bytes(), expected);
  ForEachReader(expected, [](ArchiveReader& r) {
    std::uint8_t u8 = 0;
    std::int8_t i8 = 0;
    std::uint16_t u16 = 0;
    std::int16_t i16 = 0;
    std::uint32_t u32 = 0;
    std::int32_t i32 = 0;
    float f32 = 0;
    double f64 = 0;
    std::string text;
    EXPECT_TRUE(r.ReadU8(u8) && r.ReadI8(i8) && r.ReadU16(u16) && r.ReadI16(i16) &&
                r.ReadU32(u32) && r.ReadI32(i32) && r.ReadF32(f32) && r.ReadF64(f64) &&
                r.ReadCString(text));
    EXPECT_EQ(
        std::tuple(u8, i8, u16, i16, u32, i32, f32, f64, text),
        std::tuple(0xAB, -2, 0x1234, -2, 0x12345678u, -123456789, -0.1f, 999999986991104.0, "ab"));
    char rest[8] = {};  // what is left is taken as far as it goes
    EXPECT_EQ(r.ReadUpTo(rest, 8), 3u);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_FALSE(r.Failed());
  });
}

// Counted texts take the shortest length form; 16-bit texts are read and
// converted to Windows-1252.
TEST(ArchiveTest, CountedTextsByteForByte) {
  const std::pair<std::size_t, std::string> lengths[] = {
      {254, Bytes({0xFE})},
      {255, Bytes({0xFF, 0xFF, 0x00})},
      {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})},
      {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
  };
  for (const auto& [length, header] : lengths) {
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(i * 7 + i / 251);
    ArchiveWriter w;
    w.WriteCountedText(text);
    EXPECT_TRUE(w.Bytes() == header + text) << length;
    ForEachReader(w.Bytes() + "\x7F", [&](ArchiveReader& r) {
      std::string read;
      EXPECT_TRUE(r.ReadCountedText(read) && read == text) << length;
      EXPECT_EQ(r.Position(), header.size() + length);
    });
  }

  // Surrogate pairs across the 1024-unit chunks the reader converts in.
  std::string pairs = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x08, 'y', 0});  // 2050 units
  for (int i = 0; i < 1024; ++i) pairs += Bytes({0x3D, 0xD8, 0x00, 0xDE});
  const std::pair<std::string, std::string> wide[] = {
      {Bytes({0xFF, 0xFE, 0xFF, 0x00}), ""},
      {Bytes({0xFF, 0xFE, 0xFF, 0x06, 'A', 0, 0xB0, 0, 0xAC, 0x20, 0x2D, 0x4E, 0x3D, 0xD8, 0x00,
              0xDE}),
       "A\xB0\x80??"},
      {Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 'o', 0, 'k', 0}), "ok"},
      {pairs + Bytes({'z', 0}), "y" + std::string(1024, '?') + "z"},
  };
  for (const auto& [bytes, text] : wide) {
    ForEachReader(bytes, [&](ArchiveReader& r) {
      std::string read;
      EXPECT_TRUE(r.ReadCountedText(read) && read == text) << text.substr(0, 9);
      EXPECT_TRUE(r.AtEnd());
    });
  }
}

// A stream of every width of number and every text form, cut at every byte:
// the fields wholly present read, the rest fail and leave their target alone;
// only a final text cut short gives what it has.
TEST(ArchiveTest, TruncatedDataEndsReadingCleanlyAtEveryCut) {
  ArchiveWriter w;
  std::vector<std::size_t> ends;
  const auto mark = [&] { ends.push_back(w.Size()); };
  w.WriteU8(200), mark();
  w.WriteU16(0xBEEF), mark();
  w.WriteU32(4000000000u), mark();
  w.WriteF64(-1234.5), mark();
  w.WriteCountedText(std::string(300, 'c')), mark();
  w.WriteBytes("\xFF\xFE\xFF\x02\xB0\x00\xB1\x00", 8), mark();
  const std::size_t lastStart = w.Size();
  w.WriteCString("end"), mark();
  const std::string whole = w.Bytes();

  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    ForEachReader(whole.substr(0, cut), [&](ArchiveReader& r) {
      using R = ArchiveReader;
      const std::string text = "untouched";
      const int outcomes[] = {
          Outcome<std::uint8_t>(r, &R::ReadU8, 200, 7),
          Outcome<std::uint16_t>(r, &R::ReadU16, 0xBEEF, 7),
          Outcome<std::uint32_t>(r, &R::ReadU32, 4000000000u, 7),
          Outcome<double>(r, &R::ReadF64, -1234.5, 7),
          Outcome<std::string>(r, &R::ReadCountedText, std::string(300, 'c'), text),
          Outcome<std::string>(r, &R::ReadCountedText, "\xB0\xB1", text),
      };
      for (std::size_t i = 0; i < std::size(outcomes); ++i)
        EXPECT_EQ(outcomes[i], ends[i] <= cut ? 1 : 0) << "cut " << cut << " field " << i;
      std::string last = text;
      EXPECT_EQ(r.ReadCString(last), cut > lastStart) << cut;
      EXPECT_EQ(last, cut > lastStart ? std::string("end").substr(0, cut - lastStart) : text);
      EXPECT_EQ(r.Failed(), cut <= lastStart);
      EXPECT_LE(r.Position(), cut);
    });
  }
}

TEST(ArchiveTest, DamagedLengthsFailWithoutAllocatingForThem) {
  const std::string cases[] = {
      Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}) + "short text",             // 32-bit length
      Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + "abc",  // 16-bit
      Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 0x00, 'x', 0, 'y'}),         // marker twice
  };
  for (const std::string& bytes : cases) {
    ForEachReader(bytes, [&](ArchiveReader& r) {
      std::string text = "untouched";
      const std::size_t largest =
          LargestAllocationDuring([&] { EXPECT_FALSE(r.ReadCountedText(text)); });
      EXPECT_LE(largest, kMax + 64);
      EXPECT_EQ(text, "untouched");
      std::uint8_t byte = 0;
      EXPECT_FALSE(r.ReadU8(byte));  // even where bytes remain
    });
  }
  // A text that runs to the end of a large buffer without its zero.
  const std::string unterminated(4 * kMax, 'u');
  ArchiveReader reader(unterminated);
  std::string text;
  const std::size_t largest = LargestAllocationDuring([&] { reader.ReadCString(text); });
  EXPECT_EQ(text.size(), kMax);
  EXPECT_LE(largest, kMax + 64);
}

// Texts beyond the bound are cut and the fields after them still read; then
// records of uneven size, so that fields straddle every 64 KiB boundary of the
// file buffers.
TEST(ArchiveTest, LongTextsAndLargeStreams) {
  const std::string longText(kMax + 5000, 'L');
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
  ASSERT_NE(file, nullptr);
  std::size_t size = 0;
  {
    ArchiveWriter w(file.get());
    w.WriteCountedText(longText);
    w.WriteCString(longText);
    w.WriteU32(0xCAFEF00D);
    for (std::uint32_t i = 0; i < 30000; ++i) {
      w.WriteF64(i * 0.5);
      w.WriteCString(std::string(i % 13, 'n'));
      w.WriteCountedText(std::string(i % 300, 'k'));
    }
    EXPECT_LT(w.Bytes().size(), 64u * 1024u);  // spilled to the file as it filled
    EXPECT_TRUE(w.Flush() && w.Ok());
    size = w.Size();
  }
  std::rewind(file.get());
  std::string onDisk(size + 1, '\0');
  onDisk.resize(std::fread(onDisk.data(), 1, onDisk.size(), file.get()));
  ASSERT_EQ(onDisk.size(), size);

  ForEachReader(onDisk, [&](ArchiveReader& r) {
    std::string counted, plain, text;
    std::uint32_t u32 = 0;
    ASSERT_TRUE(r.ReadCountedText(counted) && r.ReadCString(plain) && r.ReadU32(u32));
    EXPECT_TRUE(counted == longText.substr(0, kMax) && plain == counted);
    EXPECT_EQ(u32, 0xCAFEF00D);
    for (std::uint32_t i = 0; i < 30000; ++i) {
      double f64 = 0;
      ASSERT_TRUE(r.ReadF64(f64) && f64 == i * 0.5) << i;
      ASSERT_TRUE(r.ReadCString(text) && text == std::string(i % 13, 'n')) << i;
      ASSERT_TRUE(r.ReadCountedText(text) && text == std::string(i % 300, 'k')) << i;
    }
    EXPECT_TRUE(r.AtEnd());
  });
}

}  // namespace
}  // namespace kestrel
