#include "sheets/stadia/field_notes.h"

#include <algorithm>

#include "platform/ascii_case.h"
#include "platform/number_text.h"

namespace kestrel {

double NoteNumber(std::string_view note, std::size_t skip) {
  return ReadDouble(note.substr(std::min(skip, note.size())));
}

FieldNote ReadFieldNote(std::string_view note) {
  const auto is = [note](std::string_view keyword) {
    return StartsWithIgnoringAsciiCase(note, keyword);
  };
  if (is("or ")) return {NoteKeyword::RightOffset, NoteNumber(note, 3)};
  if (is("ol ")) return {NoteKeyword::LeftOffset, NoteNumber(note, 3)};
  if (is("go ")) return {NoteKeyword::RadialOffset, NoteNumber(note, 3)};
  if (is("bk ")) return {NoteKeyword::RadialOffset, -NoteNumber(note, 3)};
  for (const VerticalConvention convention :
       {VerticalConvention::V0ha, VerticalConvention::V0na, VerticalConvention::V0nc}) {
    if (is(VerticalConventionKeyword(convention))) {
      return {NoteKeyword::Convention, 0.0, convention};
    }
  }
  if (is("null")) return {NoteKeyword::NoHeight};
  if (is("vertadj ")) {
    const double angle = NoteNumber(note, 8);
    return {NoteKeyword::VerticalAdjustment, angle < 0 ? angle + 360 : angle};
  }
  return {};
}

}  // namespace kestrel
