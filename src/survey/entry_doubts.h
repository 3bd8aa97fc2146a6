#pragma once
// Typed values that cannot be what the surveyor meant. The sheet keeps what
// the readers made of the text (a field book is never second-guessed), and
// marks the cell with one of these reasons instead.
#include <string>
#include <string_view>

namespace kestrel {

// The reason a stored angle reading cannot be meant: minutes or seconds of 60
// or more ("45.75" stores 45 degrees 75 minutes). Empty when the reading is
// sound or was never entered.
std::string AngleReadingDoubt(double packedDms);

// True when a letter inside the typed text of a number has a digit after it:
// the number ended at the letter and the digits after it were not read ("1O.5"
// reads 1, "l00" reads 0). A unit after the number ("12.5m", "100g") and an
// exponent ("1e3") are not doubtful; in an angle (`angle`) neither are the
// quadrant letters N, S, E, W nor the D of the "%%d" degree mark.
bool LetterInsideNumber(std::string_view text, bool angle);

// The reason shown for a number whose text had a letter inside it.
inline constexpr const char* kLetterInsideNumberDoubt =
    "a letter inside the number ended it: the digits after the letter were not read";

}  // namespace kestrel
