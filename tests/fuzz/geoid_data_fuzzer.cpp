// The GeoidData projection parameters file: values read from it are finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "adjust/geoid_data.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GeoidParameters values;
  std::uint32_t version = 0;
  const GeoidFileState state =
      ParseGeoidData(std::string_view(reinterpret_cast<const char*>(data), size), values, version);
  if (state == GeoidFileState::Read) {
    for (double value :
         {values.a, values.invF, values.zoneWidth, values.k0, values.FE, values.FN}) {
      if (!std::isfinite(value)) std::abort();
    }
    // What is read writes back byte for byte the same values.
    GeoidParameters again;
    if (ParseGeoidData(GeoidDataBytes(values), again, version) != GeoidFileState::Read ||
        !(again == values)) {
      std::abort();
    }
  }
  return 0;
}
