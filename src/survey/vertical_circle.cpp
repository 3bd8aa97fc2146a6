#include "survey/vertical_circle.h"

namespace kestrel {

std::string_view VerticalConventionKeyword(VerticalConvention convention) {
  switch (convention) {
    case VerticalConvention::V0ha:
      return "v0ha";
    case VerticalConvention::V0na:
      return "v0na";
    case VerticalConvention::V0nc:
      return "v0nc";
    case VerticalConvention::Zenith:
      break;
  }
  return {};
}

double ElevationDegrees(double readingDegrees, VerticalConvention convention, bool backFace) {
  switch (convention) {
    case VerticalConvention::V0ha:
      return readingDegrees;
    case VerticalConvention::V0na:
      return readingDegrees - 90;
    case VerticalConvention::V0nc:
      return 450 - readingDegrees;
    case VerticalConvention::Zenith:
      break;
  }
  return 90 - readingDegrees + (backFace ? 180 : 0);
}

}  // namespace kestrel
