// The GeoidData projection parameters file: values read from it are finite,
// and write back byte for byte the same values.
#include "adjust/geoid_data.h"
#include "fuzz_support.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GeoidParameters values, again;
  std::uint32_t version = 0;
  if (ParseGeoidData(fuzz::Bytes(data, size), values, version) != GeoidFileState::Read) return 0;
  for (double value : {values.a, values.invF, values.zoneWidth, values.k0, values.FE, values.FN})
    fuzz::RequireFinite(value);
  if (ParseGeoidData(GeoidDataBytes(values), again, version) != GeoidFileState::Read ||
      !(again == values))
    std::abort();
  return 0;
}
