#pragma once
// The Traditional Stadia listing: one line per row, narrow without the
// coordinates and wide with them.
#include <string>
#include <vector>

namespace kestrel {

class Traditional;

std::vector<std::string> TraditionalListingLines(const Traditional& sheet, int first, int end);

}  // namespace kestrel
