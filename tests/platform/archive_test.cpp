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

const Source kSources[] = {Source::Memory, Source::File};

TEST(ArchiveTest, EveryFieldIsLittleEndianByteForByte) {
  struct Case {
    const char* name;
    std::function<void(ArchiveWriter&)> write;
    std::string bytes;
    std::function<bool(ArchiveReader&)> readBack;
  };
  const Case cases[] = {
      {"u8", [](ArchiveWriter& w) { w.WriteU8(0xAB); }, Bytes({0xAB}),
       [](ArchiveReader& r) {
         std::uint8_t v = 0;
         return r.ReadU8(v) && v == 0xAB;
       }},
      {"i8", [](ArchiveWriter& w) { w.WriteI8(-2); }, Bytes({0xFE}),
       [](ArchiveReader& r) {
         std::int8_t v = 0;
         return r.ReadI8(v) && v == -2;
       }},
      {"u16", [](ArchiveWriter& w) { w.WriteU16(0x1234); }, Bytes({0x34, 0x12}),
       [](ArchiveReader& r) {
         std::uint16_t v = 0;
         return r.ReadU16(v) && v == 0x1234;
       }},
      {"i16", [](ArchiveWriter& w) { w.WriteI16(-2); }, Bytes({0xFE, 0xFF}),
       [](ArchiveReader& r) {
         std::int16_t v = 0;
         return r.ReadI16(v) && v == -2;
       }},
      {"u32", [](ArchiveWriter& w) { w.WriteU32(0x12345678); }, Bytes({0x78, 0x56, 0x34, 0x12}),
       [](ArchiveReader& r) {
         std::uint32_t v = 0;
         return r.ReadU32(v) && v == 0x12345678;
       }},
      {"u32 no point", [](ArchiveWriter& w) { w.WriteU32(0xFFFFFFFF); },
       Bytes({0xFF, 0xFF, 0xFF, 0xFF}),
       [](ArchiveReader& r) {
         std::uint32_t v = 0;
         return r.ReadU32(v) && v == 0xFFFFFFFF;
       }},
      {"i32", [](ArchiveWriter& w) { w.WriteI32(-123456789); }, Bytes({0xEB, 0x32, 0xA4, 0xF8}),
       [](ArchiveReader& r) {
         std::int32_t v = 0;
         return r.ReadI32(v) && v == -123456789;
       }},
      {"f32", [](ArchiveWriter& w) { w.WriteF32(1.5f); }, Bytes({0x00, 0x00, 0xC0, 0x3F}),
       [](ArchiveReader& r) {
         float v = 0;
         return r.ReadF32(v) && v == 1.5f;
       }},
      {"f32 -0.1", [](ArchiveWriter& w) { w.WriteF32(-0.1f); }, Bytes({0xCD, 0xCC, 0xCC, 0xBD}),
       [](ArchiveReader& r) {
         float v = 0;
         return r.ReadF32(v) && v == -0.1f;
       }},
      // 1e15 rounded to single precision, the empty-cell filler.
      {"f64 empty", [](ArchiveWriter& w) { w.WriteF64(999999986991104.0); },
       Bytes({0x00, 0x00, 0x00, 0x20, 0xF5, 0x6B, 0x0C, 0x43}),
       [](ArchiveReader& r) {
         double v = 0;
         return r.ReadF64(v) && v == 999999986991104.0;
       }},
      {"f64 0.1", [](ArchiveWriter& w) { w.WriteF64(0.1); },
       Bytes({0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F}),
       [](ArchiveReader& r) {
         double v = 0;
         return r.ReadF64(v) && v == 0.1;
       }},
      {"f64 -2.5", [](ArchiveWriter& w) { w.WriteF64(-2.5); },
       Bytes({0, 0, 0, 0, 0, 0, 0x04, 0xC0}),
       [](ArchiveReader& r) {
         double v = 0;
         return r.ReadF64(v) && v == -2.5;
       }},
      {"bytes", [](ArchiveWriter& w) { w.WriteBytes("a\0b", 3); }, Bytes({'a', 0, 'b'}),
       [](ArchiveReader& r) {
         char v[3] = {};
         return r.ReadBytes(v, 3) && v[0] == 'a' && v[1] == 0 && v[2] == 'b';
       }},
      {"zeros", [](ArchiveWriter& w) { w.WriteZeros(300); }, std::string(300, '\0'),
       [](ArchiveReader& r) {
         char v[300];
         return r.ReadBytes(v, 300) && v[0] == 0 && v[299] == 0;
       }},
      {"cstring", [](ArchiveWriter& w) { w.WriteCString("STN\xB0"); },
       Bytes({'S', 'T', 'N', 0xB0, 0}),
       [](ArchiveReader& r) {
         std::string v;
         return r.ReadCString(v) && v == "STN\xB0";
       }},
      {"empty cstring", [](ArchiveWriter& w) { w.WriteCString(""); }, Bytes({0}),
       [](ArchiveReader& r) {
         std::string v = "x";
         return r.ReadCString(v) && v.empty();
       }},
      // A zero inside the text would end it on reading; it ends there when written.
      {"cstring with zero", [](ArchiveWriter& w) { w.WriteCString(std::string_view("ab\0cd", 5)); },
       Bytes({'a', 'b', 0}),
       [](ArchiveReader& r) {
         std::string v;
         return r.ReadCString(v) && v == "ab";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ArchiveWriter writer;
    c.write(writer);
    EXPECT_EQ(writer.Bytes(), c.bytes);
    EXPECT_EQ(writer.Size(), c.bytes.size());
    for (Source source : kSources) {
      WithReader(c.bytes, source, [&](ArchiveReader& reader) {
        EXPECT_TRUE(c.readBack(reader));
        EXPECT_EQ(reader.Position(), c.bytes.size());
        EXPECT_TRUE(reader.AtEnd());
        EXPECT_FALSE(reader.Failed());
      });
    }
  }
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
        std::string read;
        std::uint8_t after = 0;
        EXPECT_TRUE(reader.ReadCountedText(read));
        EXPECT_EQ(read, text);
        EXPECT_TRUE(reader.ReadU8(after));
        EXPECT_EQ(after, 0x5A);
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
        std::string text;
        std::uint8_t after = 0;
        EXPECT_TRUE(reader.ReadCountedText(text));
        EXPECT_EQ(text, c.text);
        EXPECT_TRUE(reader.ReadU8(after));
        EXPECT_EQ(after, 0x7F);
      });
    }
  }
}

TEST(ArchiveTest, LongTextsAreCutAndTheFollowingFieldsStillRead) {
  const std::string longText = Pattern(kMax + 5000);
  std::string nonZero = longText;
  for (char& c : nonZero) c = c == 0 ? 'x' : c;

  ArchiveWriter writer;
  writer.WriteCountedText(longText);
  writer.WriteU32(0xCAFEF00D);
  writer.WriteCString(nonZero);
  writer.WriteU32(0x600DF00D);
  writer.WriteBytes("\xFF\xFE\xFF\xFF\xFF\xFF", 6);  // 16-bit characters, 32-bit length
  writer.WriteU32(static_cast<std::uint32_t>(kMax + 10));
  for (std::size_t i = 0; i < kMax + 10; ++i) writer.WriteU16('q');
  writer.WriteU8(1);

  for (Source source : kSources) {
    WithReader(writer.Bytes(), source, [&](ArchiveReader& reader) {
      std::string text;
      std::uint32_t mark = 0;
      std::uint8_t last = 0;
      EXPECT_TRUE(reader.ReadCountedText(text));
      EXPECT_EQ(text, longText.substr(0, kMax));
      EXPECT_TRUE(reader.ReadU32(mark));
      EXPECT_EQ(mark, 0xCAFEF00D);
      EXPECT_TRUE(reader.ReadCString(text));
      EXPECT_EQ(text, nonZero.substr(0, kMax));
      EXPECT_TRUE(reader.ReadU32(mark));
      EXPECT_EQ(mark, 0x600DF00D);
      EXPECT_TRUE(reader.ReadCountedText(text));
      EXPECT_EQ(text, std::string(kMax, 'q'));
      EXPECT_TRUE(reader.ReadU8(last));
      EXPECT_EQ(last, 1);
      EXPECT_TRUE(reader.AtEnd());
    });
  }
}

TEST(ArchiveTest, ATextWithoutItsZeroEndsTheData) {
  for (Source source : kSources) {
    WithReader("AT/BS", source, [](ArchiveReader& reader) {
      std::string text;
      EXPECT_TRUE(reader.ReadCString(text));
      EXPECT_EQ(text, "AT/BS");
      EXPECT_TRUE(reader.AtEnd());
      EXPECT_FALSE(reader.Failed());
      text = "kept";
      EXPECT_FALSE(reader.ReadCString(text));
      EXPECT_EQ(text, "kept");
      EXPECT_TRUE(reader.Failed());
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

// A field of a small stream: its kind, its bytes' place and what it holds.
struct Field {
  enum Kind { U8, I8, U16, I16, U32, I32, F32, F64, CString, Counted } kind;
  std::size_t start = 0;
  std::size_t end = 0;
  double number = 0;
  std::string text;
};

Field FieldOfKind(int kind) {
  Field field{};
  field.kind = static_cast<Field::Kind>(kind);
  return field;
}

// Reads one field; `text` receives a text field's value.
bool ReadField(ArchiveReader& reader, const Field& field, double& number, std::string& text) {
  switch (field.kind) {
    case Field::U8: {
      std::uint8_t v;
      if (!reader.ReadU8(v)) return false;
      number = v;
      return true;
    }
    case Field::I8: {
      std::int8_t v;
      if (!reader.ReadI8(v)) return false;
      number = v;
      return true;
    }
    case Field::U16: {
      std::uint16_t v;
      if (!reader.ReadU16(v)) return false;
      number = v;
      return true;
    }
    case Field::I16: {
      std::int16_t v;
      if (!reader.ReadI16(v)) return false;
      number = v;
      return true;
    }
    case Field::U32: {
      std::uint32_t v;
      if (!reader.ReadU32(v)) return false;
      number = v;
      return true;
    }
    case Field::I32: {
      std::int32_t v;
      if (!reader.ReadI32(v)) return false;
      number = v;
      return true;
    }
    case Field::F32: {
      float v;
      if (!reader.ReadF32(v)) return false;
      number = v;
      return true;
    }
    case Field::F64: {
      double v;
      if (!reader.ReadF64(v)) return false;
      number = v;
      return true;
    }
    case Field::CString:
      return reader.ReadCString(text);
    case Field::Counted:
      return reader.ReadCountedText(text);
  }
  return false;
}

TEST(ArchiveTest, TruncatedDataEndsReadingCleanlyAtEveryCut) {
  std::vector<Field> fields = {
      {Field::U8, 0, 1, 200, ""},
      {Field::I8, 1, 2, -3, ""},
      {Field::U16, 2, 4, 0xBEEF, ""},
      {Field::I16, 4, 6, -300, ""},
      {Field::U32, 6, 10, 4000000000.0, ""},
      {Field::I32, 10, 14, -70000, ""},
      {Field::F32, 14, 18, 0.25, ""},
      {Field::F64, 18, 26, -1234.5, ""},
      {Field::CString, 26, 30, 0, "STN"},
      {Field::Counted, 30, 36, 0, "AT/BS"},
      {Field::Counted, 36, 339, 0, std::string(300, 'c')},
      {Field::Counted, 339, 347, 0, "\xB0\xB1"},
      {Field::CString, 347, 351, 0, "end"},
  };
  ArchiveWriter writer;
  writer.WriteU8(200);
  writer.WriteI8(-3);
  writer.WriteU16(0xBEEF);
  writer.WriteI16(-300);
  writer.WriteU32(4000000000u);
  writer.WriteI32(-70000);
  writer.WriteF32(0.25f);
  writer.WriteF64(-1234.5);
  writer.WriteCString("STN");
  writer.WriteCountedText("AT/BS");
  writer.WriteCountedText(std::string(300, 'c'));
  writer.WriteBytes("\xFF\xFE\xFF\x02\xB0\x00\xB1\x00", 8);
  writer.WriteCString("end");
  const std::string whole = writer.Bytes();
  ASSERT_EQ(whole.size(), fields.back().end);

  for (Source source : kSources) {
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
      SCOPED_TRACE(cut);
      WithReader(whole.substr(0, cut), source, [&](ArchiveReader& reader) {
        bool failedYet = false;
        for (const Field& field : fields) {
          double number = -99;
          std::string text = "untouched";
          const bool ok = ReadField(reader, field, number, text);
          if (field.end <= cut) {
            ASSERT_TRUE(ok);
            if (field.text.empty()) {
              EXPECT_EQ(number, field.number);
            } else {
              EXPECT_EQ(text, field.text);
            }
          } else if (!failedYet && field.kind == Field::CString && field.start < cut) {
            // The text read so far is given; the data ends there.
            EXPECT_TRUE(ok);
            EXPECT_EQ(text, field.text.substr(0, cut - field.start));
            failedYet = true;
          } else {
            EXPECT_FALSE(ok);
            EXPECT_EQ(number, -99);
            EXPECT_EQ(text, "untouched");
            EXPECT_TRUE(reader.Failed());
            failedYet = true;
          }
        }
        // Only a final text cut short ends without a failed read.
        EXPECT_EQ(reader.Failed(), cut <= fields.back().start);
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
    if (b < 12) {
      bytes += kMarkers[b % 4];
    } else {
      bytes += static_cast<char>(byte(random));
    }
  }
  return bytes;
}

TEST(ArchiveTest, RandomGarbageNeverCrashesNorAllocatesBeyondTheBound) {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> pick(0, 9);
  for (int round = 0; round < 300; ++round) {
    const std::string bytes = Garbage(random);
    for (Source source : kSources) {
      WithReader(bytes, source, [&](ArchiveReader& reader) {
        const std::size_t largest = LargestAllocationDuring([&] {
          std::string text;
          double number = 0;
          for (int reads = 0; !reader.Failed(); ++reads) {
            ASSERT_LT(reads, 100000) << "reading does not come to an end";
            ReadField(reader, FieldOfKind(pick(random)), number, text);
            ASSERT_LE(reader.Position(), bytes.size());
          }
        });
        EXPECT_LE(largest, 2 * kMax);
        // Failed reading stays failed.
        for (int kind = Field::U8; kind <= Field::Counted; ++kind) {
          double number = 0;
          std::string text;
          EXPECT_FALSE(ReadField(reader, FieldOfKind(kind), number, text));
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
        std::string text = "untouched";
        std::uint8_t byte = 0;
        const std::size_t largest =
            LargestAllocationDuring([&] { EXPECT_FALSE(reader.ReadCountedText(text)); });
        EXPECT_LE(largest, kMax + 64);
        EXPECT_EQ(text, "untouched");
        EXPECT_FALSE(reader.ReadU8(byte));  // even where bytes remain
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
  auto writeRecords = [](ArchiveWriter& writer) {
    for (std::uint32_t i = 0; i < 30000; ++i) {
      writer.WriteU32(i);
      writer.WriteF64(i * 0.5);
      writer.WriteCString(std::string(i % 13, 'n'));
      writer.WriteCountedText(std::string(i % 300, 'k'));
    }
  };
  ArchiveWriter memory;
  writeRecords(memory);

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
  ASSERT_NE(file, nullptr);
  {
    ArchiveWriter writer(file.get());
    writeRecords(writer);
    EXPECT_LT(writer.Bytes().size(), 64u * 1024u);  // spilled to the file as it filled
    EXPECT_TRUE(writer.Flush());
    EXPECT_TRUE(writer.Ok());
    EXPECT_EQ(writer.Size(), memory.Size());
  }
  std::rewind(file.get());
  std::string onDisk(memory.Size() + 1, '\0');
  ASSERT_EQ(std::fread(onDisk.data(), 1, onDisk.size(), file.get()), memory.Size());
  onDisk.resize(memory.Size());
  EXPECT_TRUE(onDisk == memory.Bytes());

  std::rewind(file.get());
  ArchiveReader reader(file.get());
  for (std::uint32_t i = 0; i < 30000; ++i) {
    std::uint32_t number = 0;
    double half = 0;
    std::string cstring, counted;
    ASSERT_TRUE(reader.ReadU32(number) && reader.ReadF64(half) && reader.ReadCString(cstring) &&
                reader.ReadCountedText(counted));
    ASSERT_EQ(number, i);
    ASSERT_EQ(half, i * 0.5);
    ASSERT_EQ(cstring.size(), i % 13);
    ASSERT_EQ(counted.size(), i % 300);
  }
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.Position(), memory.Size());
}

}  // namespace
}  // namespace kestrel
