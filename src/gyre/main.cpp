// gyre-host: the stand-in host that keeps a job's points in SQLite and
// answers kestrel's link messages, and lets a surveyor look into and seed
// its database without kestrel.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "gyre/gyre_server.h"
#include "gyre/point_database.h"
#include "gyre/points_csv.h"
#include "platform/file_access.h"
#include "platform/printf_format.h"

namespace {

using namespace kestrel;

std::string FileName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool OpenDatabase(PointDatabase& db, const std::string& path) {
  std::string error;
  if (db.Open(path, error)) return true;
  std::fprintf(stderr, "gyre-host: %s\n", error.c_str());
  return false;
}

int ListPoints(PointDatabase& db, bool csv) {
  const std::vector<StoredPoint> points = db.Points();
  if (csv) {
    std::fputs(WritePointsCsv(points).c_str(), stdout);
    return 0;
  }
  for (const StoredPoint& p : points)
    std::printf(
        "%s", Sprintf("%10lld %14.4f %14.4f %10.4f %-16s %-16s\n", static_cast<long long>(p.number),
                      p.east, p.north, p.height, p.code.c_str(), p.description.c_str())
                  .c_str());
  std::printf("%zu points\n", points.size());
  return 0;
}

int ImportPoints(PointDatabase& db, const std::string& csvPath) {
  const std::optional<std::string> text = ReadWholeFile(csvPath);
  if (!text) {
    std::fprintf(stderr, "gyre-host: cannot read %s\n", csvPath.c_str());
    return 1;
  }
  const PointsCsv csv = ReadPointsCsv(*text);
  if (!csv.error.empty()) {
    std::fprintf(stderr, "gyre-host: %s: %s\n", csvPath.c_str(), csv.error.c_str());
    return 1;
  }
  const int stored = db.Import(csv.points);
  if (stored < 0) {
    std::fprintf(stderr, "gyre-host: importing failed; nothing stored\n");
    return 1;
  }
  std::printf("imported %d points\n", stored);
  return 0;
}

int ListStrings(PointDatabase& db) {
  const std::vector<std::string> strings = db.Strings();
  for (std::size_t i = 0; i < strings.size(); ++i)
    std::printf("-- string list %zu (%zu characters)\n%s\n", i + 1, strings[i].size(),
                strings[i].c_str());
  std::printf("%zu string lists\n", strings.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"gyre-host: the point database host for kestrel"};
  app.require_subcommand(1);
  std::string dbPath;
  std::string title;
  std::string csvPath;
  bool csv = false;
  ServeOptions options;

  CLI::App* serve = app.add_subcommand("serve", "keep the points and answer kestrel until stopped");
  serve->add_option("--db", dbPath, "the SQLite point database (created on first use)")->required();
  serve->add_option("--title", title,
                    "the window title (default \"GYRE \" and the database's name)");
  serve->add_option("--read-timeout-ms", options.readTimeoutMs,
                    "drop a silent peer after this long");
  serve->add_option("--commit-delay-ms", options.commitDelayMs)->group("");  // tests only

  CLI::App* points = app.add_subcommand("points", "list the points of the database");
  points->add_option("--db", dbPath, "the SQLite point database")->required();
  points->add_flag("--csv", csv, "as P,N,E,Z,D text");

  CLI::App* import = app.add_subcommand("import", "add or replace points from a P,N,E,Z,D file");
  import->add_option("--db", dbPath, "the SQLite point database")->required();
  import->add_option("POINTS", csvPath, "comma-separated points with a header line")->required();

  CLI::App* strings = app.add_subcommand("strings", "list the string lists received");
  strings->add_option("--db", dbPath, "the SQLite point database")->required();

  CLI11_PARSE(app, argc, argv);

  PointDatabase db;
  if (!OpenDatabase(db, dbPath)) return 1;
  if (*serve) return Serve(db, title.empty() ? "GYRE " + FileName(dbPath) : title, options);
  if (*points) return ListPoints(db, csv);
  if (*import) return ImportPoints(db, csvPath);
  return ListStrings(db);
}
