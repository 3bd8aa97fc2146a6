// Traditional Stadia rows: keywords, the backsight field and the file record.
#include "sheets/stadia/traditional_row.h"

#include <array>
#include <bit>
#include <cmath>

#include "survey/empty_value.h"

namespace kestrel {

namespace {

constexpr std::array<std::string_view, kTradRowTypeCount> kKeywords = {"STN",   "AT/BS", "Fnote",
                                                                       "3Hair", "MH/SD", "MH/SI"};

void PutU32(std::uint8_t* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetU32(const std::uint8_t* bytes) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

void PutFloat(std::uint8_t* bytes, float value) {
  PutU32(bytes, std::bit_cast<std::uint32_t>(value));
}

void PutDouble(std::uint8_t* bytes, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  PutU32(bytes, static_cast<std::uint32_t>(bits));
  PutU32(bytes + 4, static_cast<std::uint32_t>(bits >> 32));
}

float GetFloat(const std::uint8_t* bytes) {
  const float value = std::bit_cast<float>(GetU32(bytes));
  return std::isfinite(value) ? value : kTradEmptySingle;
}

double GetDouble(const std::uint8_t* bytes) {
  const std::uint64_t bits = GetU32(bytes) | (std::uint64_t{GetU32(bytes + 4)} << 32);
  return FiniteOrEmpty(std::bit_cast<double>(bits));
}

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

TraditionalRow BlankTraditionalRow(int type) {
  TraditionalRow row;
  row.type = static_cast<std::int8_t>(type);
  return row;
}

std::string_view TraditionalTypeKeyword(int type) {
  if (type < 0 || type >= kTradRowTypeCount) return {};
  return kKeywords[static_cast<std::size_t>(type)];
}

int TraditionalTypeFromKeyword(std::string_view keyword) {
  for (int type = 0; type < kTradRowTypeCount; ++type) {
    if (kKeywords[static_cast<std::size_t>(type)] == keyword) return type;
  }
  return -1;
}

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

void WriteTraditionalRecord(ArchiveWriter& out, const TraditionalRow& row) {
  std::array<std::uint8_t, kTradRecordBytes> fixed{};
  fixed[0] = static_cast<std::uint8_t>(row.type);
  fixed[1] = static_cast<std::uint8_t>(row.point);
  fixed[2] = static_cast<std::uint8_t>(row.point >> 8);
  PutFloat(&fixed[3], row.hz);
  PutFloat(&fixed[7], row.obs2);
  PutFloat(&fixed[11], row.lowHair);
  PutFloat(&fixed[15], row.midHair);
  PutFloat(&fixed[19], row.topHair);
  PutDouble(&fixed[23], row.east);
  PutDouble(&fixed[31], row.north);
  PutFloat(&fixed[39], row.height);
  out.WriteBytes(fixed.data(), fixed.size());
  out.WriteCString(row.code);
  out.WriteCString(row.comment);
  out.WriteCString(row.note);
}

bool ReadTraditionalRecord(ArchiveReader& in, TraditionalRow& row) {
  std::array<std::uint8_t, kTradRecordBytes> fixed{};
  if (in.ReadUpTo(fixed.data(), fixed.size()) != fixed.size()) return false;
  row.type = static_cast<std::int8_t>(fixed[0]);
  row.point = static_cast<std::uint16_t>(fixed[1] | (fixed[2] << 8));
  row.hz = GetFloat(&fixed[3]);
  // An AT/BS row's backsight bytes are kept as they lie.
  const float obs2 = std::bit_cast<float>(GetU32(&fixed[7]));
  row.obs2 = (row.type == kTradAtBs || std::isfinite(obs2)) ? obs2 : kTradEmptySingle;
  row.lowHair = GetFloat(&fixed[11]);
  row.midHair = GetFloat(&fixed[15]);
  row.topHair = GetFloat(&fixed[19]);
  row.east = GetDouble(&fixed[23]);
  row.north = GetDouble(&fixed[31]);
  row.height = GetFloat(&fixed[39]);
  std::string text;
  for (std::string* field : {&row.code, &row.comment, &row.note}) {
    text.clear();
    in.ReadCString(text);
    *field = CleanText(text);
  }
  return true;
}

}  // namespace kestrel
