#include "platform/archive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
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

// A text whose bytes differ from place to place (zero included), so that a
// shifted or dropped byte shows.
std::string Pattern(std::size_t size) {
  std::string text(size, '\0');
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return text;
}

enum class Source { Memory, File };
const Source kSources[] = {Source::Memory, Source::File};

// Runs `body` on a reader over `bytes`, kept in memory or in a temporary file.
void WithReader(const std::string& bytes, Source source,
                const std::function<void(ArchiveReader&)>& body) {
  if (source == Source::Memory) {
    ArchiveReader reader(bytes);
    body(reader);
    return;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file.get()), bytes.size());
  std::rewind(file.get());
  ArchiveReader reader(file.get());
  body(reader);
}

// One field of a stream and the value it holds. `raw`, when set, is written
// in place of the field's own form (for forms the writer never makes).
struct Field {
  enum Kind { U8, I8, U16, I16, U32, I32, F32, F64, CString, Counted } kind;
  double number = 0;
  std::string text = {};
  std::string raw = {};
};

void WriteField(ArchiveWriter& w, const Field& f) {
  if (!f.raw.empty()) return w.WriteBytes(f.raw.data(), f.raw.size());
  switch (f.kind) {
    case Field::U8:
      return w.WriteU8(static_cast<std::uint8_t>(f.number));
    case Field::I8:
      return w.WriteI8(static_cast<std::int8_t>(f.number));
    case Field::U16:
      return w.WriteU16(static_cast<std::uint16_t>(f.number));
    case Field::I16:
      return w.WriteI16(static_cast<std::int16_t>(f.number));
    case Field::U32:
      return w.WriteU32(static_cast<std::uint32_t>(f.number));
    case Field::I32:
      return w.WriteI32(static_cast<std::int32_t>(f.number));
    case Field::F32:
      return w.WriteF32(static_cast<float>(f.number));
    case Field::F64:
      return w.WriteF64(f.number);
    case Field::CString:
      return w.WriteCString(f.text);
    case Field::Counted:
      return w.WriteCountedText(f.text);
  }
}

template <typename T>
bool ReadNumber(ArchiveReader& r, bool (ArchiveReader::*read)(T&), Field& into) {
  T value{};
  if (!(r.*read)(value)) return false;
  into.number = static_cast<double>(value);
  return true;
}

// Reads a field of `kind` into `into`, which a failed read leaves alone.
bool ReadField(ArchiveReader& r, int kind, Field& into) {
  switch (kind) {
    case Field::U8:
      return ReadNumber(r, &ArchiveReader::ReadU8, into);
    case Field::I8:
      return ReadNumber(r, &ArchiveReader::ReadI8, into);
    case Field::U16:
      return ReadNumber(r, &ArchiveReader::ReadU16, into);
    case Field::I16:
      return ReadNumber(r, &ArchiveReader::ReadI16, into);
    case Field::U32:
      return ReadNumber(r, &ArchiveReader::ReadU32, into);
    case Field::I32:
      return ReadNumber(r, &ArchiveReader::ReadI32, into);
    case Field::F32:
      return ReadNumber(r, &ArchiveReader::ReadF32, into);
    case Field::F64:
      return ReadNumber(r, &ArchiveReader::ReadF64, into);
    case Field::CString:
      return r.ReadCString(into.text);
    case Field::Counted:
      return r.ReadCountedText(into.text);
  }
  return false;
}

TEST(ArchiveTest, EveryFieldIsLittleEndianByteForByte) {
  struct Case {
    Field field;
    std::string bytes;
  };
  const Case cases[] = {
      {{Field::U8, 0xAB}, Bytes({0xAB})},
      {{Field::I8, -2}, Bytes({0xFE})},
      {{Field::U16, 0x1234}, Bytes({0x34, 0x12})},
      {{Field::I16, -2}, Bytes({0xFE, 0xFF})},
      {{Field::U32, 0x12345678}, Bytes({0x78, 0x56, 0x34, 0x12})},
      {{Field::U32, 0xFFFFFFFF}, Bytes({0xFF, 0xFF, 0xFF, 0xFF})},
      {{Field::I32, -123456789}, Bytes({0xEB, 0x32, 0xA4, 0xF8})},
      {{Field::F32, 1.5}, Bytes({0x00, 0x00, 0xC0, 0x3F})},
      {{Field::F32, double(-0.1f)}, Bytes({0xCD, 0xCC, 0xCC, 0xBD})},
      // 1e15 rounded to single precision, the empty-cell filler.
      {{Field::F64, 999999986991104.0}, Bytes({0x00, 0x00, 0x00, 0x20, 0xF5, 0x6B, 0x0C, 0x43})},
      {{Field::F64, 0.1}, Bytes({0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F})},
      {{Field::F64, -2.5}, Bytes({0, 0, 0, 0, 0, 0, 0x04, 0xC0})},
      {{Field::CString, 0, "STN\xB0"}, Bytes({'S', 'T', 'N', 0xB0, 0})},
      {{Field::CString, 0, ""}, Bytes({0})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    ArchiveWriter writer;
    WriteField(writer, c.field);
    EXPECT_EQ(writer.Bytes(), c.bytes);
    EXPECT_EQ(writer.Size(), c.bytes.size());
    for (Source source : kSources) {
      WithReader(c.bytes, source, [&](ArchiveReader& reader) {
        Field read{c.field.kind, -1, "x"};
        EXPECT_TRUE(ReadField(reader, c.field.kind, read));
        EXPECT_EQ(read.number, c.field.kind == Field::CString ? -1 : c.field.number);
        EXPECT_EQ(read.text, c.field.kind == Field::CString ? c.field.text : "x");
        EXPECT_EQ(reader.Position(), c.bytes.size());
        EXPECT_TRUE(reader.AtEnd());
        EXPECT_FALSE(reader.Failed());
      });
    }
  }
  // A zero inside a text would end it early on reading; it ends there when written.
  ArchiveWriter writer;
  writer.WriteCString(std::string_view("ab\0cd", 5));
  writer.WriteZeros(300);
  EXPECT_EQ(writer.Bytes(), Bytes({'a', 'b', 0}) + std::string(300, '\0'));
}

TEST(ArchiveTest, CountedTextTakesTheShortestLengthForm) {
  struct Case {
    std::size_t length;
    std::string header;
  };
  const Case cases[] = {
      {0, Bytes({0x00})},
      {1, Bytes({0x01})},
      {254, Bytes({0xFE})},
      {255, Bytes({0xFF, 0xFF, 0x00})},
      {0x1234, Bytes({0xFF, 0x34, 0x12})},
      {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})},
      {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
      {0xFFFF, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
      {0x10000, Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const std::string text = Pattern(c.length);
    ArchiveWriter writer;
    writer.WriteCountedText(text);
    writer.WriteU8(0x5A);
    ASSERT_EQ(writer.Bytes(), c.header + text + "\x5A");
    for (Source source : kSources) {
      WithReader(writer.Bytes(), source, [&](ArchiveReader& reader) {
        Field read{Field::Counted};
        EXPECT_TRUE(ReadField(reader, Field::Counted, read) && read.text == text);
        EXPECT_TRUE(ReadField(reader, Field::U8, read) && read.number == 0x5A);
      });
    }
  }
}

TEST(ArchiveTest, ReadsCountedTextsOfSixteenBitCharacters) {
  std::string medium = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01});
  for (int i = 0; i < 256; ++i) medium += Bytes({'a', 0});
  // Surrogate pairs across the 1024-unit chunks the reader converts in.
  std::string pairs = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x08, 'y', 0});  // 2050 units
  for (int i = 0; i < 1024; ++i) pairs += Bytes({0x3D, 0xD8, 0x00, 0xDE});
  pairs += Bytes({'z', 0});
  struct Case {
    const char* name;
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"empty", Bytes({0xFF, 0xFE, 0xFF, 0x00}), ""},
      {"Windows-1252 characters",
       Bytes({0xFF, 0xFE, 0xFF, 0x04, 'A', 0, 0xB0, 0, 0xAC, 0x20, 0x22, 0x21}), "A\xB0\x80\x99"},
      {"characters it cannot hold",
       Bytes({0xFF, 0xFE, 0xFF, 0x03, 0x2D, 0x4E, 0x3D, 0xD8, 0x00, 0xDE}), "??"},
      {"16-bit length", medium, std::string(256, 'a')},
      {"32-bit length",
       Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 'o', 0, 'k', 0}), "ok"},
      {"pairs across chunks", pairs, "y" + std::string(1024, '?') + "z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (Source source : kSources) {
      WithReader(c.bytes + "\x7F", source, [&](ArchiveReader& reader) {
        Field read{Field::Counted};
        EXPECT_TRUE(ReadField(reader, Field::Counted, read));
        EXPECT_EQ(read.text, c.text);
        EXPECT_TRUE(ReadField(reader, Field::U8, read) && read.number == 0x7F);
      });
    }
  }
}

TEST(ArchiveTest, LongTextsAreCutAndTheFollowingFieldsStillRead) {
  const std::string longText = Pattern(kMax + 5000);
  std::string nonZero = longText;
  for (char& c : nonZero) c = c == 0 ? 'x' : c;
  std::string wide = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x0A, 0x00, 0x01, 0x00});
  for (std::size_t i = 0; i < kMax + 10; ++i) wide += Bytes({'q', 0});

  const std::vector<Field> written = {
      {Field::Counted, 0, longText}, {Field::U32, 0xCAFEF00D},      {Field::CString, 0, nonZero},
      {Field::U32, 0x600DF00D},      {Field::Counted, 0, "", wide}, {Field::U8, 1},
  };
  const std::vector<Field> expected = {
      {Field::Counted, 0, longText.substr(0, kMax)}, {Field::U32, 0xCAFEF00D},
      {Field::CString, 0, nonZero.substr(0, kMax)},  {Field::U32, 0x600DF00D},
      {Field::Counted, 0, std::string(kMax, 'q')},   {Field::U8, 1},
  };
  ArchiveWriter writer;
  for (const Field& field : written) WriteField(writer, field);
  for (Source source : kSources) {
    WithReader(writer.Bytes(), source, [&](ArchiveReader& reader) {
      for (const Field& field : expected) {
        Field read{field.kind};
        EXPECT_TRUE(ReadField(reader, field.kind, read));
        EXPECT_EQ(read.number, field.number);
        EXPECT_TRUE(read.text == field.text);
      }
      EXPECT_TRUE(reader.AtEnd());
    });
  }
}

TEST(ArchiveTest, ReadUpToTakesWhatThereIs) {
  for (Source source : kSources) {
    WithReader("abc", source, [](ArchiveReader& reader) {
      char out[8] = {};
      EXPECT_EQ(reader.ReadUpTo(out, 2), 2u);
      EXPECT_EQ(reader.ReadUpTo(out, 8), 1u);
      EXPECT_EQ(out[0], 'c');
      EXPECT_EQ(reader.ReadUpTo(out, 8), 0u);
      EXPECT_FALSE(reader.Failed());
      EXPECT_EQ(reader.Position(), 3u);
    });
  }
}

TEST(ArchiveTest, TruncatedDataEndsReadingCleanlyAtEveryCut) {
  const std::vector<Field> fields = {
      {Field::U8, 200},
      {Field::I8, -3},
      {Field::U16, 0xBEEF},
      {Field::I16, -300},
      {Field::U32, 4000000000.0},
      {Field::I32, -70000},
      {Field::F32, 0.25},
      {Field::F64, -1234.5},
      {Field::CString, 0, "STN"},
      {Field::Counted, 0, "AT/BS"},
      {Field::Counted, 0, std::string(300, 'c')},
      {Field::Counted, 0, "\xB0\xB1", Bytes({0xFF, 0xFE, 0xFF, 0x02, 0xB0, 0x00, 0xB1, 0x00})},
      {Field::CString, 0, "end"},
  };
  ArchiveWriter writer;
  std::vector<std::size_t> starts, ends;
  for (const Field& field : fields) {
    starts.push_back(writer.Size());
    WriteField(writer, field);
    ends.push_back(writer.Size());
  }
  const std::string whole = writer.Bytes();

  for (Source source : kSources) {
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
      SCOPED_TRACE(cut);
      WithReader(whole.substr(0, cut), source, [&](ArchiveReader& reader) {
        bool ended = false;
        for (std::size_t i = 0; i < fields.size(); ++i) {
          const Field& field = fields[i];
          Field read{field.kind, -99, "untouched"};
          const bool ok = ReadField(reader, field.kind, read);
          if (ends[i] <= cut) {
            ASSERT_TRUE(ok);
            EXPECT_EQ(read.number, field.kind >= Field::CString ? -99 : field.number);
            EXPECT_EQ(read.text, field.kind >= Field::CString ? field.text : "untouched");
          } else if (!ended && field.kind == Field::CString && starts[i] < cut) {
            // The text read so far is given; the data ends there.
            EXPECT_TRUE(ok);
            EXPECT_EQ(read.text, field.text.substr(0, cut - starts[i]));
            ended = true;
          } else {
            EXPECT_FALSE(ok);
            EXPECT_EQ(read.number, -99);
            EXPECT_EQ(read.text, "untouched");
            EXPECT_TRUE(reader.Failed());
            ended = true;
          }
        }
        // Only a final text cut short ends without a failed read.
        EXPECT_EQ(reader.Failed(), cut <= starts.back());
        EXPECT_LE(reader.Position(), cut);
      });
    }
  }
}

// Random bytes, spiced with the markers of long and 16-bit counted texts.
std::string Garbage(std::mt19937& random) {
  static const std::string kMarkers[] = {Bytes({0xFF, 0xFF, 0xFF}), Bytes({0xFF, 0xFE, 0xFF}),
                                         Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
                                         Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF})};
  std::uniform_int_distribution<int> size(0, 600);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes;
  for (int n = size(random); n > 0; --n) {
    const int b = byte(random);
    bytes += b < 12 ? kMarkers[b % 4] : std::string(1, static_cast<char>(byte(random)));
  }
  return bytes;
}

TEST(ArchiveTest, RandomGarbageNeverCrashesNorAllocatesBeyondTheBound) {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> pick(Field::U8, Field::Counted);
  for (int round = 0; round < 300; ++round) {
    const std::string bytes = Garbage(random);
    for (Source source : kSources) {
      WithReader(bytes, source, [&](ArchiveReader& reader) {
        const std::size_t largest = LargestAllocationDuring([&] {
          Field read{Field::U8};
          for (int reads = 0; !reader.Failed(); ++reads) {
            ASSERT_LT(reads, 100000) << "reading does not come to an end";
            ReadField(reader, pick(random), read);
            ASSERT_LE(reader.Position(), bytes.size());
          }
        });
        EXPECT_LE(largest, 2 * kMax);
        // Failed reading stays failed.
        for (int kind = Field::U8; kind <= Field::Counted; ++kind) {
          Field read{Field::U8};
          EXPECT_FALSE(ReadField(reader, kind, read));
        }
        char raw[4];
        EXPECT_FALSE(reader.ReadBytes(raw, 1));
        EXPECT_EQ(reader.ReadUpTo(raw, 4), 0u);
      });
    }
  }
}

TEST(ArchiveTest, DamagedLengthsFailWithoutAllocatingForThem) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"32-bit length", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}) + "short text"},
      {"16-bit characters",
       Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + "abc"},
      {"marker twice", Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 0x00, 'x', 0, 'y'})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (Source source : kSources) {
      WithReader(c.bytes, source, [&](ArchiveReader& reader) {
        Field read{Field::Counted, 0, "untouched"};
        const std::size_t largest =
            LargestAllocationDuring([&] { EXPECT_FALSE(ReadField(reader, Field::Counted, read)); });
        EXPECT_LE(largest, kMax + 64);
        EXPECT_EQ(read.text, "untouched");
        EXPECT_FALSE(ReadField(reader, Field::U8, read));  // even where bytes remain
      });
    }
  }
  // A text that runs to the end of a large buffer without its zero.
  const std::string unterminated(4 * kMax, 'u');
  ArchiveReader reader(unterminated);
  std::string text;
  const std::size_t largest = LargestAllocationDuring([&] { reader.ReadCString(text); });
  EXPECT_EQ(text.size(), kMax);
  EXPECT_LE(largest, kMax + 64);
}

TEST(ArchiveTest, LargeStreamsPassThroughTheFileBuffers) {
  // Records of uneven size so that fields straddle every 64 KiB boundary.
  auto record = [](std::uint32_t i) {
    return std::vector<Field>{{Field::U32, double(i)},
                              {Field::F64, i * 0.5},
                              {Field::CString, 0, std::string(i % 13, 'n')},
                              {Field::Counted, 0, std::string(i % 300, 'k')}};
  };
  constexpr std::uint32_t kRecords = 30000;
  ArchiveWriter memory;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
  ASSERT_NE(file, nullptr);
  {
    ArchiveWriter writer(file.get());
    for (std::uint32_t i = 0; i < kRecords; ++i) {
      for (const Field& field : record(i)) {
        WriteField(memory, field);
        WriteField(writer, field);
      }
    }
    EXPECT_LT(writer.Bytes().size(), 64u * 1024u);  // spilled to the file as it filled
    EXPECT_TRUE(writer.Flush() && writer.Ok());
    EXPECT_EQ(writer.Size(), memory.Size());
  }
  std::rewind(file.get());
  std::string onDisk(memory.Size() + 1, '\0');
  ASSERT_EQ(std::fread(onDisk.data(), 1, onDisk.size(), file.get()), memory.Size());
  onDisk.resize(memory.Size());
  EXPECT_TRUE(onDisk == memory.Bytes());

  std::rewind(file.get());
  ArchiveReader reader(file.get());
  for (std::uint32_t i = 0; i < kRecords; ++i) {
    for (const Field& field : record(i)) {
      Field read{field.kind};
      ASSERT_TRUE(ReadField(reader, field.kind, read));
      ASSERT_EQ(read.number, field.number);
      ASSERT_EQ(read.text, field.text);
    }
  }
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.Position(), memory.Size());
}

}  // namespace
}  // namespace kestrel
