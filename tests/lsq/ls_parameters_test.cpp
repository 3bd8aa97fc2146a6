// The job's ls_parm file read into the adjustment's settings.
#include "lsq/ls_parameters.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(LsParm, Files) {
  struct Case {
    const char* text;
    double dacc, ppm, hz, refraction;
    int mode;
    bool message;
  };
  const Case cases[] = {
      {"1\n3,5,2\n", 3, 5, 2, 0, kLsHorizontal, false},
      {"2\n12\n", 0, 0, 0, 12, kLsVertical, false},
      {"3\r\n4,6,10\r\n25\r\n", 4, 6, 10, 25, kLsBoth, false},
      // A value that is not a number reads as 0; the ones after it stay put.
      {"1\n3,x,2\n", 3, 0, 2, 0, kLsHorizontal, false},
      {"3\n", 0, 0, 0, 0, kLsBoth, false},
      // Not a mode: the defaults, and a message saying so.
      {"4\n1,1,1\n", 2, 3, 5, 0, kLsBoth, true},
      {"", 2, 3, 5, 0, kLsBoth, true},
      {"junk", 2, 3, 5, 0, kLsBoth, true},
  };
  for (const Case& c : cases) {
    const LsParmReading r = ParseLsParm(c.text);
    EXPECT_EQ(r.settings.distanceAccuracyMm, c.dacc) << c.text;
    EXPECT_EQ(r.settings.ppm, c.ppm) << c.text;
    EXPECT_EQ(r.settings.angularAccuracySec, c.hz) << c.text;
    EXPECT_EQ(r.settings.refraction, c.refraction) << c.text;
    EXPECT_EQ(r.settings.mode, c.mode) << c.text;
    EXPECT_EQ(!r.message.empty(), c.message) << c.text;
  }
  // A missing file gives the defaults without a word.
  const LsParmReading missing = ReadLsParm("/nonexistent/ls_parm.tst");
  EXPECT_EQ(missing.settings.mode, kLsBoth);
  EXPECT_EQ(missing.settings.distanceAccuracyMm, 2.0);
  EXPECT_TRUE(missing.message.empty());
}

}  // namespace
}  // namespace kestrel
