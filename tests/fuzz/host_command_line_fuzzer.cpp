// The one argument the host starts the program with.
#include "fuzz_support.h"
#include "job/host_command_line.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ApplicationState app;
  (void)ApplyHostCommandLine(fuzz::Bytes(data, size), app).NumberForChooser();
  return 0;
}
