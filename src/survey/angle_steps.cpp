#include "survey/angle_steps.h"

#include "survey/angles.h"

namespace kestrel {

double DmsToRadians(double packedDms) { return DegreesToRadians(DmsToDegrees(packedDms)); }

double RadiansToDms(double radians) { return DegreesToDms(RadiansToDegrees(radians)); }

}  // namespace kestrel
