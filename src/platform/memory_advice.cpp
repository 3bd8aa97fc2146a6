#include "platform/memory_advice.h"

#include <sys/mman.h>

#include <cstdint>

namespace kestrel {

namespace {
constexpr std::uintptr_t kHugePageBytes = 2 * 1024 * 1024;
}

void AdviseHugePages(void* data, std::size_t bytes) {
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
  const std::uintptr_t last = (begin + bytes) & ~(kHugePageBytes - 1);
  if (data == nullptr || last <= first) return;
#ifdef MADV_HUGEPAGE
  // Only advice: a kernel without huge pages answers EINVAL, which changes nothing.
  madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace kestrel
