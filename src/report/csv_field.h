#pragma once
// CSV fields as every CSV file of the program writes them: a field holding a
// comma, a double quote, a CR or an LF is enclosed in double quotes and each
// double quote inside it is doubled; any other field is written as it is.
// Spreadsheets and the usual CSV readers read such files back field for field.
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

std::string CsvField(std::string_view text);

// The fields quoted as above and joined with commas (no line end).
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace kestrel
