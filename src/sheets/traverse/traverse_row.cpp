#include "sheets/traverse/traverse_row.h"

#include <array>

namespace kestrel {

namespace {

constexpr std::array<std::string_view, kTraverseRowTypeCount> kKeywords = {
    "STN", "BSite", "Fnote", "Traverse", "Dual", "Rounds", "SShot", "Close", "Robj", "Check"};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

}  // namespace

TraverseRow BlankTraverseRow(int type) {
  TraverseRow row;
  row.type = static_cast<std::uint8_t>(type);
  return row;
}

std::string_view TraverseTypeKeyword(int type) {
  if (type < 0 || type >= kTraverseRowTypeCount || type == kTravDual || type == kTravRounds) {
    return {};
  }
  return kKeywords[static_cast<std::size_t>(type)];
}

int TraverseTypeFromKeyword(std::string_view keyword) {
  for (int type = 0; type < kTraverseRowTypeCount; ++type) {
    if (kKeywords[static_cast<std::size_t>(type)] == keyword) return type;
  }
  return -1;
}

std::uint32_t TraverseRowPoint(const TraverseRow& row) {
  switch (row.type) {
    case kTravStn:
    case kTravBSite:
    case kTravRobj:
      return row.at;
    case kTravTraverse:
    case kTravSShot:
    case kTravClose:
    case kTravCheck:
      return row.to;
    default:
      return kNoPoint;
  }
}

bool NoteStartsWith(std::string_view note, std::string_view word) {
  if (note.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Lower(note[i]) != Lower(word[i])) return false;
  }
  return true;
}

}  // namespace kestrel
