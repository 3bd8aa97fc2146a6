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

// A text whose bytes differ from place to place (zero included), so that a
// shifted or dropped byte shows.
std::string Pattern(std::size_t size) {
  std::string text(size, '\0');
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return text;
}

using TempFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
TempFile MakeTempFile() { return TempFile(std::tmpfile(), &std::fclose); }

enum class Source { Memory, File };
const Source kSources[] = {Source::Memory, Source::File};

// Runs `body` on a reader over `bytes`, kept in memory or in a temporary file.
void WithReader(const std::string& bytes, Source source,
                const std::function<void(ArchiveReader&)>& body) {
  if (source == Source::Memory) {
    ArchiveReader reader(bytes);
    return body(reader);
  }
  TempFile file = MakeTempFile();
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
  bool IsText() const { return kind >= CString; }
};

struct Codec {
  std::function<void(ArchiveWriter&, const Field&)> write;
  std::function<bool(ArchiveReader&, Field&)> read;  // a failed read leaves the field alone
};

template <typename T>
Codec Number(void (ArchiveWriter::*write)(T), bool (ArchiveReader::*read)(T&)) {
  return {[write](ArchiveWriter& w, const Field& f) { (w.*write)(static_cast<T>(f.number)); },
          [read](ArchiveReader& r, Field& f) {
            T value{};
            if (!(r.*read)(value)) return false;
            f.number = static_cast<double>(value);
            return true;
          }};
}

// Indexed by Field::Kind.
const Codec kCodecs[] = {
    Number(&ArchiveWriter::WriteU8, &ArchiveReader::ReadU8),
    Number(&ArchiveWriter::WriteI8, &ArchiveReader::ReadI8),
    Number(&ArchiveWriter::WriteU16, &ArchiveReader::ReadU16),
    Number(&ArchiveWriter::WriteI16, &ArchiveReader::ReadI16),
    Number(&ArchiveWriter::WriteU32, &ArchiveReader::ReadU32),
    Number(&ArchiveWriter::WriteI32, &ArchiveReader::ReadI32),
    Number(&ArchiveWriter::WriteF32, &ArchiveReader::ReadF32),
    Number(&ArchiveWriter::WriteF64, &ArchiveReader::ReadF64),
    {[](ArchiveWriter& w, const Field& f) { w.WriteCString(f.text); },
     [](ArchiveReader& r, Field& f) { return r.ReadCString(f.text); }},
    {[](ArchiveWriter& w, const Field& f) { w.WriteCountedText(f.text); },
     [](ArchiveReader& r, Field& f) { return r.ReadCountedText(f.text); }},
};

void WriteField(ArchiveWriter& w, const Field& f) {
  if (!f.raw.empty()) return w.WriteBytes(f.raw.data(), f.raw.size());
  kCodecs[f.kind].write(w, f);
}

bool ReadField(ArchiveReader& r, int kind, Field& into) { return kCodecs[kind].read(r, into); }

// Every field form, byte for byte: the writer makes it (unless it is a form
// only read), and it reads back from memory and from a file, leaving the next
// byte in place.
TEST(ArchiveTest, EveryFieldFormByteForByte) {
  struct Case {
    Field field;
    std::string bytes;
  };
  const auto counted = [](std::size_t length, const std::string& header) {
    return Case{{Field::Counted, 0, Pattern(length)}, header + Pattern(length)};
  };
  const auto wide = [](const std::string& bytes, const std::string& text) {
    return Case{{Field::Counted, 0, text, bytes}, bytes};
  };
  // Surrogate pairs across the 1024-unit chunks the reader converts in, with
  // a 16-bit length.
  std::string pairs = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x08, 'y', 0});  // 2050 units
  for (int i = 0; i < 1024; ++i) pairs += Bytes({0x3D, 0xD8, 0x00, 0xDE});
  pairs += Bytes({'z', 0});

  const Case cases[] = {
      {{Field::U8, 0xAB}, Bytes({0xAB})},
      {{Field::I8, -2}, Bytes({0xFE})},
      {{Field::U16, 0x1234}, Bytes({0x34, 0x12})},
      {{Field::I16, -2}, Bytes({0xFE, 0xFF})},
      {{Field::U32, 0x12345678}, Bytes({0x78, 0x56, 0x34, 0x12})},
      {{Field::U32, 0xFFFFFFFF}, Bytes({0xFF, 0xFF, 0xFF, 0xFF})},
      {{Field::I32, -123456789}, Bytes({0xEB, 0x32, 0xA4, 0xF8})},
      {{Field::F32, double(-0.1f)}, Bytes({0xCD, 0xCC, 0xCC, 0xBD})},
      // 1e15 rounded to single precision, the empty-cell filler.
      {{Field::F64, 999999986991104.0}, Bytes({0x00, 0x00, 0x00, 0x20, 0xF5, 0x6B, 0x0C, 0x43})},
      {{Field::F64, -2.5}, Bytes({0, 0, 0, 0, 0, 0, 0x04, 0xC0})},
      {{Field::CString, 0, "STN\xB0"}, Bytes({'S', 'T', 'N', 0xB0, 0})},
      {{Field::CString, 0, ""}, Bytes({0})},
      // Counted texts take the shortest length form.
      counted(0, Bytes({0x00})),
      counted(254, Bytes({0xFE})),
      counted(255, Bytes({0xFF, 0xFF, 0x00})),
      counted(0xFFFD, Bytes({0xFF, 0xFD, 0xFF})),
      counted(0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})),
      counted(0x10000, Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00})),
      // Texts of 16-bit characters, converted to Windows-1252.
      wide(Bytes({0xFF, 0xFE, 0xFF, 0x00}), ""),
      wide(Bytes({0xFF, 0xFE, 0xFF, 0x06, 'A', 0, 0xB0, 0, 0xAC, 0x20, 0x2D, 0x4E, 0x3D, 0xD8, 0x00,
                  0xDE}),
           "A\xB0\x80??"),
      wide(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 'o', 0, 'k', 0}),
           "ok"),
      wide(pairs, "y" + std::string(1024, '?') + "z"),
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.size() < 20 ? ::testing::PrintToString(c.bytes)
                                     : c.field.text.substr(0, 9));
    if (c.field.raw.empty()) {
      ArchiveWriter writer;
      WriteField(writer, c.field);
      EXPECT_TRUE(writer.Bytes() == c.bytes);
    }
    for (Source source : kSources) {
      WithReader(c.bytes + "\x7F", source, [&](ArchiveReader& reader) {
        Field read{c.field.kind, -1, "x"};
        EXPECT_TRUE(ReadField(reader, c.field.kind, read));
        EXPECT_EQ(read.number, c.field.IsText() ? -1 : c.field.number);
        EXPECT_TRUE(read.text == (c.field.IsText() ? c.field.text : "x"));
        EXPECT_EQ(reader.Position(), c.bytes.size());
        char rest[4] = {};  // what is left is taken as far as it goes
        EXPECT_EQ(reader.ReadUpTo(rest, 4), 1u);
        EXPECT_EQ(rest[0], 0x7F);
        EXPECT_FALSE(reader.Failed());
      });
    }
  }
  // A zero inside a text would end it early on reading; it ends there when
  // written. Zeros come in any number.
  ArchiveWriter writer;
  writer.WriteCString(std::string_view("ab\0cd", 5));
  writer.WriteZeros(300);
  EXPECT_EQ(writer.Bytes(), Bytes({'a', 'b', 0}) + std::string(300, '\0'));
}

// Every width of number (the signed and float forms read through these) and
// every text form, cut at every byte.
TEST(ArchiveTest, TruncatedDataEndsReadingCleanlyAtEveryCut) {
  const std::vector<Field> fields = {
      {Field::U8, 200},
      {Field::U16, 0xBEEF},
      {Field::U32, 4000000000.0},
      {Field::F64, -1234.5},
      {Field::CString, 0, "STN"},
      {Field::Counted, 0, "AT/BS"},
      {Field::Counted, 0, std::string(300, 'c')},
      {Field::Counted, 0, "\xB0\xB1", Bytes({0xFF, 0xFE, 0xFF, 0x02, 0xB0, 0x00, 0xB1, 0x00})},
      {Field::CString, 0, "end"}};
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
            EXPECT_EQ(read.number, field.IsText() ? -99 : field.number);
            EXPECT_EQ(read.text, field.IsText() ? field.text : "untouched");
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

TEST(ArchiveTest, DamagedLengthsFailWithoutAllocatingForThem) {
  const std::string cases[] = {
      Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}) + "short text",             // 32-bit length
      Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + "abc",  // 16-bit
      Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 0x00, 'x', 0, 'y'}),         // marker twice
  };
  for (const std::string& bytes : cases) {
    SCOPED_TRACE(::testing::PrintToString(bytes));
    for (Source source : kSources) {
      WithReader(bytes, source, [&](ArchiveReader& reader) {
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

// Texts beyond the bound are cut and the fields after them still read; then
// records of uneven size, so that fields straddle every 64 KiB boundary of the
// file buffers.
TEST(ArchiveTest, LongTextsAndLargeStreams) {
  std::string nonZero = Pattern(kMax + 5000);
  for (char& c : nonZero) c = c == 0 ? 'x' : c;
  std::string wide = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x0A, 0x00, 0x01, 0x00});
  for (std::size_t i = 0; i < kMax + 10; ++i) wide += Bytes({'q', 0});
  std::vector<Field> fields = {{Field::Counted, 0, Pattern(kMax + 5000)},
                               {Field::U32, 0xCAFEF00D},
                               {Field::CString, 0, nonZero},
                               {Field::Counted, 0, std::string(kMax + 10, 'q'), wide}};
  for (std::uint32_t i = 0; i < 30000; ++i) {
    fields.push_back({Field::U32, double(i)});
    fields.push_back({Field::F64, i * 0.5});
    fields.push_back({Field::CString, 0, std::string(i % 13, 'n')});
    fields.push_back({Field::Counted, 0, std::string(i % 300, 'k')});
  }
  ArchiveWriter memory;
  TempFile file = MakeTempFile();
  ASSERT_NE(file, nullptr);
  {
    ArchiveWriter writer(file.get());
    for (const Field& field : fields) {
      WriteField(memory, field);
      WriteField(writer, field);
    }
    EXPECT_LT(writer.Bytes().size(), 64u * 1024u);  // spilled to the file as it filled
    EXPECT_TRUE(writer.Flush() && writer.Ok());
    EXPECT_EQ(writer.Size(), memory.Size());
  }
  std::rewind(file.get());
  std::string onDisk(memory.Size() + 1, '\0');
  onDisk.resize(std::fread(onDisk.data(), 1, onDisk.size(), file.get()));
  ASSERT_TRUE(onDisk == memory.Bytes());

  for (Source source : kSources) {
    WithReader(onDisk, source, [&](ArchiveReader& reader) {
      for (const Field& field : fields) {
        Field read{field.kind};
        ASSERT_TRUE(ReadField(reader, field.kind, read));
        ASSERT_EQ(read.number, field.number);
        ASSERT_TRUE(read.text == field.text.substr(0, kMax));
      }
      EXPECT_TRUE(reader.AtEnd());
    });
  }
}

}  // namespace
}  // namespace kestrel
