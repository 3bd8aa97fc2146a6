#pragma once
// The common base of the two radiation sheets with stadia rows (Stadia and
// PrecisionStadia).
#include "sheets/data_source.h"

namespace kestrel {

class BaseStadia : public CUGDataSource {
 public:
  ~BaseStadia() override = default;
};

}  // namespace kestrel
