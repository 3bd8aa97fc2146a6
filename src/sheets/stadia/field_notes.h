#pragma once
// The field-note keywords every radiation reduction reads. A note is compared
// at its start, ignoring the case of ASCII letters, with "or ", "ol ", "go ",
// "bk ", "v0ha", "v0na", "v0nc", "null" and "vertadj " in that order; the
// first that matches decides, and the number after it is read as far as it
// goes. A reduction with keywords of its own tries them when none of these
// matched.
#include <string_view>

#include "survey/vertical_circle.h"

namespace kestrel {

enum class NoteKeyword {
  None,
  RightOffset,         // "or ": the next shot moves right by `value`
  LeftOffset,          // "ol ": the next shot moves left by `value`
  RadialOffset,        // "go " (+value) or "bk " (value negated): along the line
  Convention,          // "v0ha", "v0na", "v0nc": `convention`
  NoHeight,            // "null": the next shot gets no height
  VerticalAdjustment,  // "vertadj ": packed DMS; a negative angle gains 360
};

struct FieldNote {
  NoteKeyword keyword = NoteKeyword::None;
  double value = 0.0;
  VerticalConvention convention = VerticalConvention::Zenith;
};

FieldNote ReadFieldNote(std::string_view note);

// The number after the first `skip` characters of a note, read as far as it
// goes (0 when there is none).
double NoteNumber(std::string_view note, std::size_t skip);

}  // namespace kestrel
