#pragma once
// Measures the largest single allocation made while a piece of code runs, so
// that tests can show damaged input never makes the code allocate without
// bound. Works by replacing the global operator new for the test program.
#include <cstddef>
#include <functional>

namespace kestrel::testing {

std::size_t LargestAllocationDuring(const std::function<void()>& body);

}  // namespace kestrel::testing
