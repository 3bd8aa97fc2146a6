// Writes a generated Stadia sheet file for timing kestrel-cli on it (see
// cli_job_bench.sh).
//
//   build-bench/bin/kestrel_write_stadia_sheet ROWS PATH
#include <cstdio>
#include <cstdlib>
#include <string>

#include "generated_sheets.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s ROWS PATH\n", argv[0]);
    return 2;
  }
  const std::size_t rows = std::strtoul(argv[1], nullptr, 10);
  const std::string path = argv[2];
  kestrel::bench::BenchSheet sheet;
  sheet.sheet.Rows() = kestrel::bench::GenerateStadiaRows(rows);
  if (sheet.sheet.SaveToFile(path) != 1) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    return 1;
  }
  return 0;
}
