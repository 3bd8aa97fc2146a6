#pragma once
// gyre-host's point database: one SQLite file with a table of points keyed by
// number and a table of the string lists received.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hostlink/link_messages.h"

struct sqlite3;

namespace kestrel {

struct StoredPoint {
  std::int64_t number = 0;
  double east = 0.0;
  double north = 0.0;
  double height = 0.0;
  std::string code;
  std::string description;
  std::int64_t road = 0;
  double chainage = 0.0;
  double offset = 0.0;
};

class PointDatabase {
 public:
  ~PointDatabase();
  // Opens, or creates, the database and its tables. False with the reason in
  // `error`.
  bool Open(const std::string& path, std::string& error);

  // The host records of those numbers that exist, in the order asked.
  std::vector<HostPointRecord> Lookup(const std::vector<std::uint32_t>& numbers);
  // The highest point number in use; 0 when there is none.
  std::uint32_t HighestNumber();

  // Stores the records in one transaction, replacing points of the same
  // number; records numbered zero or less are skipped. `beforeCommit` runs
  // inside the transaction (a test can stop the process there). The number
  // stored, or -1 when the transaction failed and nothing was stored.
  int Store(const std::vector<PointRecord>& records, void (*beforeCommit)() = nullptr);
  bool StoreStrings(const std::string& text);
  // Imported points, in one transaction as well.
  int Import(const std::vector<StoredPoint>& points);

  std::vector<StoredPoint> Points();
  std::vector<std::string> Strings();

 private:
  bool Exec(const char* sql);
  sqlite3* db_ = nullptr;
};

StoredPoint ToStoredPoint(const PointRecord& record);
HostPointRecord ToHostRecord(const StoredPoint& point);

}  // namespace kestrel
