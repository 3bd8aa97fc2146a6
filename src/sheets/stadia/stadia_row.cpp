#include "sheets/stadia/stadia_row.h"

#include <array>
#include <bit>

namespace kestrel {

namespace {

constexpr std::uint64_t kLowHalf = 0xFFFFFFFFu;

}  // namespace

StadiaRow BlankStadiaRow(int type) {
  StadiaRow row;
  row.type = static_cast<std::int8_t>(type);
  return row;
}

std::string_view StadiaTypeKeyword(int type) {
  if (type < 0 || type >= kStadiaRowTypeCount) return {};
  return kStadiaTypeKeywords[static_cast<std::size_t>(type)];
}

int StadiaTypeFromKeyword(std::string_view keyword) {
  for (int type = 0; type < kStadiaRowTypeCount; ++type) {
    if (kStadiaTypeKeywords[static_cast<std::size_t>(type)] == keyword) return type;
  }
  return -1;
}

bool HasBacksight(const StadiaRow& row) {
  return std::bit_cast<std::uint64_t>(row.obs2) != std::bit_cast<std::uint64_t>(kEmptyValue);
}

std::uint32_t BacksightNumber(const StadiaRow& row) {
  if (!HasBacksight(row)) return 0;
  return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(row.obs2) & kLowHalf);
}

void SetBacksightNumber(StadiaRow& row, std::uint32_t number) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(row.obs2);
  row.obs2 = std::bit_cast<double>((bits & ~kLowHalf) | number);
}

}  // namespace kestrel
