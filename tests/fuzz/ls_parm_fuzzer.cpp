// The job's ls_parm file: whatever it holds, the settings are finite and a
// mode, and an adjustment with them never computes a non-finite coordinate
// (zero accuracies included; lopsided ones may refuse as singular).
#include <cmath>
#include <cstdlib>

#include "fuzz_support.h"
#include "lsq/least_squares.h"
#include "lsq/network_rows.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<PrecisionStadiaRow> rows = testing::GridNetwork(4, 3);
  const LsParmReading reading = ParseLsParm(fuzz::Bytes(data, size));
  const LeastSquaresSettings& s = reading.settings;
  for (double value : {s.distanceAccuracyMm, s.ppm, s.angularAccuracySec, s.refraction}) {
    fuzz::RequireFinite(value);
  }
  if (s.mode < kLsHorizontal || s.mode > kLsBoth) std::abort();
  LeastSquaresOptions options;
  options.settings = s;
  const LeastSquaresResult result = RunLeastSquares(rows, options);
  for (const NetworkPoint& p : result.network.points) {
    fuzz::RequireFinite(p.east);
    fuzz::RequireFinite(p.north);
    fuzz::RequireFinite(p.height);
  }
  return 0;
}
