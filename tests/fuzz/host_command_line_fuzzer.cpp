// The one argument the host starts the program with.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "job/application_state.h"
#include "job/host_command_line.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ApplicationState app;
  const HostCommandLine line =
      ApplyHostCommandLine(std::string_view(reinterpret_cast<const char*>(data), size), app);
  (void)line.NumberForChooser();
  return 0;
}
