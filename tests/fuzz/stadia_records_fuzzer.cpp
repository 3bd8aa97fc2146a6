// Current stadia files: the input is taken as the records after the version
// record, so that every input reaches the record reader.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"

using namespace kestrel;

namespace {

// The version record: an Fnote with every field zero, two empty texts and the
// note "Version 2".
std::string VersionRecord() {
  std::string record(43, '\0');
  record[0] = 2;
  record += '\0';
  record += '\0';
  record += "Version 2";
  record += '\0';
  return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string header = VersionRecord();
  const std::string path = fuzz::WriteScratchFile(
      "stad1.tst", header + std::string(reinterpret_cast<const char*>(data), size));
  fuzz::FuzzContext context;
  Stadia sheet(context.ctx);
  if (sheet.LoadFromFile(path) != 1) return 0;
  fuzz::ExerciseSheet(sheet, context);
  return 0;
}
