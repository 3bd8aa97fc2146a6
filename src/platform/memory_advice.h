#pragma once
// Advice to the kernel about large blocks of memory.
#include <cstddef>

namespace kestrel {

// Asks for transparent huge pages over the whole 2 MiB pages inside
// [data, data + bytes). Call it on a freshly reserved block before the block
// is first written: a million-row sheet otherwise takes tens of thousands of
// 4 KiB page faults while it loads, which costs more than reading the file.
// Harmless where huge pages are not available.
void AdviseHugePages(void* data, std::size_t bytes);

}  // namespace kestrel
