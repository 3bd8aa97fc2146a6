// CSV quoting: a field is quoted only when it holds a comma, a double quote,
// a CR or an LF, and quotes inside are doubled.
#include "report/csv_field.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(CsvField, QuotesOnlyWhatNeedsIt) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"fence cnr", "fence cnr"},
      {"", ""},
      {"gum, side", "\"gum, side\""},
      {"6\" pipe", "\"6\"\" pipe\""},
      {"\"", "\"\"\"\""},
      {"top\r\nbank", "\"top\r\nbank\""},
      {"cr\ronly", "\"cr\ronly\""},
      {"tab\there; semi", "tab\there; semi"},
  };
  for (const auto& [field, written] : cases) EXPECT_EQ(CsvField(field), written) << field;
  EXPECT_EQ(CsvLine({"101", "1000.000", "a,b", ""}), "101,1000.000,\"a,b\",");
}

}  // namespace
}  // namespace kestrel
