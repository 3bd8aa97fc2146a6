// Reading and writing the level book file, binary and CSV.
#include "sheets/level/level_book_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <new>

#include "platform/ascii_case.h"
#include "platform/file_access.h"
#include "platform/memory_advice.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"
#include "report/csv_field.h"
#include "sheets/level/level_book.h"

namespace kestrel {

namespace {

// A text and whether its terminating zero byte was there.
bool ReadTerminatedText(ArchiveReader& in, std::string& text) {
  const std::uint64_t before = in.Position();
  if (!in.ReadCString(text)) return false;
  return in.Position() - before > text.size();
}

// The shortest text that reads back as the same single-precision value.
std::string CsvValue(float value) {
  if (IsEmptyValue(value)) return {};
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

double CsvValueField(std::string_view field) {
  std::size_t consumed = 0;
  const double value = ReadDouble(field, &consumed);
  if (consumed == 0) return kLevelNewValue;
  return KeptValue(value, kLevelNewValue);
}

// Splits CSV text into records of fields. A quoted field may hold commas,
// doubled quotes and line breaks; a quote left open runs to the end of the
// text. Lines end with CR LF or LF.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text) : text_(text) {}

  bool Next(std::vector<std::string>& fields) {
    fields.clear();
    if (pos_ >= text_.size()) return false;
    std::string field;
    bool quoted = false;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (quoted) {
        if (c != '"') {
          Add(field, c);
        } else if (pos_ < text_.size() && text_[pos_] == '"') {
          Add(field, '"');
          ++pos_;
        } else {
          quoted = false;
        }
      } else if (c == '"') {
        quoted = true;
      } else if (c == ',') {
        fields.push_back(std::move(field));
        field.clear();
      } else if (c == '\n') {
        break;
      } else if (c != '\r') {
        Add(field, c);
      }
    }
    fields.push_back(std::move(field));
    return true;
  }

 private:
  // Texts are bounded as the binary reader bounds them.
  static void Add(std::string& field, char c) {
    if (field.size() < ArchiveReader::kMaxTextBytes) field += c;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// The smallest record: six values and two empty texts.
constexpr std::uint64_t kSmallestRecord = 6 * 4 + 2;
// Beyond this many rows the array grows as rows arrive.
constexpr std::uint64_t kMostRowsReserved = 32'000'000;

// Room for the rows a file can hold, in huge pages where the system has them,
// so that a large book does not fault page by page as it is read.
void ReserveRows(std::vector<LevelBookRow>& rows, const std::string& path) {
  const std::optional<std::uint64_t> bytes = FileSize(path);
  if (!bytes) return;
  try {
    rows.reserve(
        static_cast<std::size_t>(std::min(*bytes / kSmallestRecord, kMostRowsReserved) + 1));
  } catch (const std::bad_alloc&) {
    return;
  }
  AdviseHugePages(rows.data(), rows.capacity() * sizeof(LevelBookRow));
}

void SettleLoadedRow(LevelBookRow& row) {
  row.comment = WithoutTrailingBlanks(std::move(row.comment));
  row.note = WithoutTrailingBlanks(std::move(row.note));
  row.type = row.note.empty() ? kLevelReading : kLevelFnote;
}

}  // namespace

void WriteLevelBookRecord(ArchiveWriter& out, const LevelBookRow& row) {
  for (float value : row.values) out.WriteF32(value);
  out.WriteCString(row.comment);
  out.WriteCString(row.note);
}

bool ReadLevelBookRecord(ArchiveReader& in, LevelBookRow& row) {
  // The six values in one read: books run to a million rows.
  std::array<std::uint8_t, kLevelValueCount * 4> fixed;
  if (in.ReadUpTo(fixed.data(), fixed.size()) != fixed.size()) return false;
  for (std::size_t i = 0; i < row.values.size(); ++i) {
    const std::uint32_t bits = std::uint32_t{fixed[4 * i]} | std::uint32_t{fixed[4 * i + 1]} << 8 |
                               std::uint32_t{fixed[4 * i + 2]} << 16 |
                               std::uint32_t{fixed[4 * i + 3]} << 24;
    const float value = std::bit_cast<float>(bits);
    row.values[i] = std::isfinite(value) ? value : float(kLevelNewValue);
  }
  return ReadTerminatedText(in, row.comment) && ReadTerminatedText(in, row.note);
}

void ReadLevelBookRecords(ArchiveReader& in, std::vector<LevelBookRow>& rows) {
  for (;;) {
    LevelBookRow& row = rows.emplace_back();
    if (!ReadLevelBookRecord(in, row)) {
      rows.pop_back();
      return;
    }
    SettleLoadedRow(row);
  }
}

bool IsLevelBookCsvPath(std::string_view path) { return ContainsIgnoringAsciiCase(path, ".csv"); }

std::string LevelBookCsvLine(const LevelBookRow& row) {
  std::string line = CsvField(row.IsNote() ? row.note : std::string_view());
  for (float value : row.values) {
    line += ',';
    line += CsvValue(value);
  }
  line += ',';
  line += CsvField(row.comment);
  return line;
}

void ReadLevelBookCsv(std::string_view text, std::vector<LevelBookRow>& rows) {
  CsvReader reader(text);
  std::vector<std::string> fields;
  bool first = true;
  while (reader.Next(fields)) {
    const bool header = first && !fields.empty() && fields[0] == "Note";
    first = false;
    if (header) continue;
    fields.resize(8);
    LevelBookRow& row = rows.emplace_back();
    row.note = std::move(fields[0]);
    for (int i = 0; i < kLevelValueCount; ++i) {
      row.SetValue(i, CsvValueField(fields[static_cast<std::size_t>(i) + 1]));
    }
    row.comment = std::move(fields[7]);
    row.type = row.note.empty() ? kLevelReading : kLevelFnote;
  }
}

int LevelBook::SaveToFile(const std::string& path) {
  const auto write = [&](ArchiveWriter& out) {
    if (IsLevelBookCsvPath(path)) {
      out.WriteBytes(kLevelBookCsvHeader.data(), kLevelBookCsvHeader.size());
      out.WriteBytes("\r\n", 2);
      for (const LevelBookRow& row : rows_) {
        const std::string line = LevelBookCsvLine(row);
        out.WriteBytes(line.data(), line.size());
        out.WriteBytes("\r\n", 2);
      }
    } else {
      for (const LevelBookRow& row : rows_) WriteLevelBookRecord(out, row);
    }
  };
  if (!SaveSheetFile(path, ctx_.messages, "Level Book", write)) return 0;
  documentPath_ = path;
  return 1;
}

int LevelBook::LoadFromFile(const std::string& path) {
  std::vector<LevelBookRow>().swap(rows_);
  SheetFileRead result = SheetFileRead::Read;
  if (IsLevelBookCsvPath(path)) {
    try {
      const std::optional<std::string> text = ReadWholeFile(path);
      if (!text) return 0;
      ReadLevelBookCsv(*text, rows_);
    } catch (const std::bad_alloc&) {
      ctx_.messages.Show(Sprintf("Not enough memory to read %s", path.c_str()));
      result = SheetFileRead::Failed;
    }
  } else {
    result = ReadSheetFile(path, ctx_.messages, [&](ArchiveReader& in) {
      ReserveRows(rows_, path);
      ReadLevelBookRecords(in, rows_);
    });
  }
  if (result != SheetFileRead::Read) {
    std::vector<LevelBookRow>().swap(rows_);
    return 0;
  }
  // Loaded rows are complete: no cell of the last row is held back.
  entryFlags_.fill(true);
  documentPath_ = path;
  return 1;
}

}  // namespace kestrel
