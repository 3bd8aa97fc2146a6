// Traditional Stadia rows: keywords, the backsight field and the file record.
#include "sheets/stadia/traditional_row.h"

#include <array>
#include <bit>
#include <cmath>

#include "survey/empty_value.h"

namespace kestrel {

namespace {

// A single read from a file: empty when it is not finite.
float FiniteSingle(float value) { return std::isfinite(value) ? value : kTradEmptySingle; }

// Control characters dropped, leading and trailing blanks trimmed.
std::string CleanText(const std::string& raw) {
  std::string text;
  for (const char c : raw) {
    if (static_cast<unsigned char>(c) >= 32) text.push_back(c);
  }
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

double SingleValue(float value) { return FiniteOrEmpty(double{value}); }

std::uint16_t TraditionalBacksight(const TraditionalRow& row) {
  if (row.obs2 == kTradEmptySingle) return 0;
  const auto number = static_cast<std::uint16_t>(std::bit_cast<std::uint32_t>(row.obs2));
  return number == kTradNoPoint ? 0 : number;
}

// The upper bytes are cleared, so the field always holds a finite single.
void SetTraditionalBacksight(TraditionalRow& row, std::uint16_t number) {
  row.obs2 = std::bit_cast<float>(std::uint32_t{number});
}

void SanitizeTraditionalRow(TraditionalRow& row) {
  if (row.type != kTradAtBs && !std::isfinite(row.obs2)) row.obs2 = kTradEmptySingle;
}

// The fixed part little-endian and unpadded, as the file lays it out.
void WriteTraditionalRecord(ArchiveWriter& out, const TraditionalRow& row) {
  out.WriteI8(row.type);
  out.WriteU16(row.point);
  for (const float value : {row.hz, row.obs2, row.lowHair, row.midHair, row.topHair}) {
    out.WriteF32(value);
  }
  out.WriteF64(row.east);
  out.WriteF64(row.north);
  out.WriteF32(row.height);
  out.WriteCString(row.code);
  out.WriteCString(row.comment);
  out.WriteCString(row.note);
}

bool ReadTraditionalRecord(ArchiveReader& in, TraditionalRow& row) {
  std::array<char, kTradRecordBytes> bytes{};
  if (in.ReadUpTo(bytes.data(), bytes.size()) != bytes.size()) return false;
  ArchiveReader fixed(std::string_view(bytes.data(), bytes.size()));
  std::uint32_t obs2Bits = 0;
  fixed.ReadI8(row.type);
  fixed.ReadU16(row.point);
  fixed.ReadF32(row.hz);
  fixed.ReadU32(obs2Bits);
  for (float* value : {&row.lowHair, &row.midHair, &row.topHair}) fixed.ReadF32(*value);
  fixed.ReadF64(row.east);
  fixed.ReadF64(row.north);
  fixed.ReadF32(row.height);
  for (float* value : {&row.hz, &row.lowHair, &row.midHair, &row.topHair, &row.height}) {
    *value = FiniteSingle(*value);
  }
  row.east = FiniteOrEmpty(row.east);
  row.north = FiniteOrEmpty(row.north);
  // An AT/BS row's backsight bytes are kept as they lie.
  const float obs2 = std::bit_cast<float>(obs2Bits);
  row.obs2 = row.type == kTradAtBs ? obs2 : FiniteSingle(obs2);
  std::string text;
  for (std::string* field : {&row.code, &row.comment, &row.note}) {
    text.clear();
    in.ReadCString(text);
    *field = CleanText(text);
  }
  return true;
}

}  // namespace kestrel
