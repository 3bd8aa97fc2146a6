// Typed numbers, angles in every bearing mode and distances in every unit:
// never a non-finite value, and what is written back reads again.
#include "fuzz_support.h"
#include "platform/number_text.h"
#include "survey/angles.h"
#include "survey/distances.h"

using namespace kestrel;
using fuzz::RequireFinite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzz::Bytes(data, size));
  std::size_t consumed = 0;
  RequireFinite(ReadDouble(text, &consumed));
  if (consumed > text.size()) std::abort();
  (void)ReadInt(text, &consumed);
  if (consumed > text.size()) std::abort();
  (void)ReadInt64(text, &consumed);
  for (int mode : {0, 1, 2, 3}) {
    const double angle = ParseAngleText(text, mode);
    RequireFinite(angle);
    RequireFinite(DmsToDegrees(angle));
    std::string shown = FormatDmsText(angle);
    ConvertAngleText(shown, mode);
    RequireFinite(ParseAngleText(shown, mode));
  }
  for (int unit : {kMetres, kDecimalFeet, kFeetInches}) {
    const double distance = ParseDistanceText(text, unit);
    RequireFinite(distance);
    std::string shown;
    FormatDistanceText(shown, distance, unit);
    RequireFinite(ParseDistanceText(shown, unit));
  }
  return 0;
}
