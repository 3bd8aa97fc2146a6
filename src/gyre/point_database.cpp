#include "gyre/point_database.h"

#include <sqlite3.h>

#include <algorithm>
#include <unordered_map>

namespace kestrel {

namespace {

// A request whose numbers span at most this many times their count is read
// in one pass over the span rather than number by number.
constexpr std::uint64_t kDenseSpan = 4;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS points ("
    " number INTEGER PRIMARY KEY, easting REAL, northing REAL, height REAL,"
    " code TEXT, description TEXT, road INTEGER, chainage REAL, offset REAL);"
    "CREATE TABLE IF NOT EXISTS strings ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, received TEXT DEFAULT CURRENT_TIMESTAMP, text BLOB);";

constexpr const char* kInsert =
    "INSERT OR REPLACE INTO points (number, easting, northing, height, code, description, road,"
    " chainage, offset) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)";

constexpr const char* kSelectColumns =
    "SELECT number, easting, northing, height, code, description, road, chainage, offset "
    "FROM points";

// A statement finalised when it goes out of scope.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

std::string Text(sqlite3_stmt* stmt, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  return text == nullptr
             ? std::string()
             : std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)));
}

StoredPoint ReadPoint(sqlite3_stmt* stmt) {
  StoredPoint point;
  point.number = sqlite3_column_int64(stmt, 0);
  point.east = sqlite3_column_double(stmt, 1);
  point.north = sqlite3_column_double(stmt, 2);
  point.height = sqlite3_column_double(stmt, 3);
  point.code = Text(stmt, 4);
  point.description = Text(stmt, 5);
  point.road = sqlite3_column_int64(stmt, 6);
  point.chainage = sqlite3_column_double(stmt, 7);
  point.offset = sqlite3_column_double(stmt, 8);
  return point;
}

bool InsertPoint(sqlite3_stmt* stmt, const StoredPoint& point) {
  sqlite3_reset(stmt);
  sqlite3_bind_int64(stmt, 1, point.number);
  sqlite3_bind_double(stmt, 2, point.east);
  sqlite3_bind_double(stmt, 3, point.north);
  sqlite3_bind_double(stmt, 4, point.height);
  sqlite3_bind_text(stmt, 5, point.code.data(), static_cast<int>(point.code.size()),
                    SQLITE_TRANSIENT);
  sqlite3_bind_text(stmt, 6, point.description.data(), static_cast<int>(point.description.size()),
                    SQLITE_TRANSIENT);
  sqlite3_bind_int64(stmt, 7, point.road);
  sqlite3_bind_double(stmt, 8, point.chainage);
  sqlite3_bind_double(stmt, 9, point.offset);
  return sqlite3_step(stmt) == SQLITE_DONE;
}

}  // namespace

StoredPoint ToStoredPoint(const PointRecord& record) {
  return {record.point,       record.east, record.north,    record.height, record.code,
          record.description, record.road, record.chainage, record.offset};
}

HostPointRecord ToHostRecord(const StoredPoint& point) {
  HostPointRecord record;
  record.point = static_cast<std::uint32_t>(point.number);
  record.east = point.east;
  record.north = point.north;
  record.height = static_cast<float>(point.height);
  record.code = point.code;
  record.description = point.description;
  record.road = static_cast<std::int16_t>(point.road);
  record.chainage = static_cast<float>(point.chainage);
  record.offset = static_cast<float>(point.offset);
  return record;
}

PointDatabase::~PointDatabase() { sqlite3_close(db_); }

bool PointDatabase::Exec(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool PointDatabase::Open(const std::string& path, std::string& error) {
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
          SQLITE_OK ||
      !Exec(kSchema)) {
    error = "cannot open the point database " + path + ": " + sqlite3_errmsg(db_);
    return false;
  }
  sqlite3_busy_timeout(db_, 5000);
  // Write-ahead logging: a store is still all or nothing (a transaction not
  // committed when the process dies is never seen), and commits are cheaper.
  Exec("PRAGMA journal_mode=WAL");
  Exec("PRAGMA synchronous=NORMAL");
  return true;
}

std::vector<HostPointRecord> PointDatabase::Lookup(const std::vector<std::uint32_t>& numbers) {
  std::vector<std::uint32_t> sorted(numbers);
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  std::unordered_map<std::uint32_t, HostPointRecord> found;
  found.reserve(sorted.size());
  Exec("BEGIN");  // one read snapshot
  if (!sorted.empty() && sorted.back() - sorted.front() <= kDenseSpan * sorted.size()) {
    // Numbers close together (a sheet's usual run): one pass over their span.
    const std::string sql = std::string(kSelectColumns) + " WHERE number BETWEEN ?1 AND ?2";
    Statement stmt(db_, sql.c_str());
    sqlite3_bind_int64(stmt.get(), 1, sorted.front());
    sqlite3_bind_int64(stmt.get(), 2, sorted.back());
    while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
      const auto number = static_cast<std::uint32_t>(sqlite3_column_int64(stmt.get(), 0));
      if (std::binary_search(sorted.begin(), sorted.end(), number))
        found.emplace(number, ToHostRecord(ReadPoint(stmt.get())));
    }
  } else {
    const std::string sql = std::string(kSelectColumns) + " WHERE number = ?1";
    Statement stmt(db_, sql.c_str());
    for (std::uint32_t number : sorted) {
      sqlite3_reset(stmt.get());
      sqlite3_bind_int64(stmt.get(), 1, number);
      if (sqlite3_step(stmt.get()) == SQLITE_ROW)
        found.emplace(number, ToHostRecord(ReadPoint(stmt.get())));
    }
  }
  Exec("COMMIT");
  // In the order asked, each once.
  std::vector<HostPointRecord> records;
  records.reserve(found.size());
  for (std::uint32_t number : numbers) {
    const auto entry = found.find(number);
    if (entry == found.end()) continue;
    records.push_back(std::move(entry->second));
    found.erase(entry);
  }
  return records;
}

std::uint32_t PointDatabase::HighestNumber() {
  Statement stmt(db_, "SELECT MAX(number) FROM points");
  if (sqlite3_step(stmt.get()) != SQLITE_ROW) return 0;
  return static_cast<std::uint32_t>(
      std::max<sqlite3_int64>(0, sqlite3_column_int64(stmt.get(), 0)));
}

int PointDatabase::Store(const std::vector<PointRecord>& records, void (*beforeCommit)()) {
  if (!Exec("BEGIN IMMEDIATE")) return -1;
  int stored = 0;
  {
    Statement stmt(db_, kInsert);
    for (const PointRecord& record : records) {
      if (record.point <= 0) continue;
      if (!InsertPoint(stmt.get(), ToStoredPoint(record))) {
        Exec("ROLLBACK");
        return -1;
      }
      ++stored;
    }
  }
  if (beforeCommit != nullptr) beforeCommit();
  if (!Exec("COMMIT")) {
    Exec("ROLLBACK");
    return -1;
  }
  return stored;
}

int PointDatabase::Import(const std::vector<StoredPoint>& points) {
  if (!Exec("BEGIN IMMEDIATE")) return -1;
  {
    Statement stmt(db_, kInsert);
    for (const StoredPoint& point : points) {
      if (!InsertPoint(stmt.get(), point)) {
        Exec("ROLLBACK");
        return -1;
      }
    }
  }
  if (!Exec("COMMIT")) return -1;
  return static_cast<int>(points.size());
}

bool PointDatabase::StoreStrings(const std::string& text) {
  Statement stmt(db_, "INSERT INTO strings (text) VALUES (?1)");
  sqlite3_bind_blob(stmt.get(), 1, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  return sqlite3_step(stmt.get()) == SQLITE_DONE;
}

std::vector<StoredPoint> PointDatabase::Points() {
  std::vector<StoredPoint> points;
  const std::string sql = std::string(kSelectColumns) + " ORDER BY number";
  Statement stmt(db_, sql.c_str());
  while (sqlite3_step(stmt.get()) == SQLITE_ROW) points.push_back(ReadPoint(stmt.get()));
  return points;
}

std::vector<std::string> PointDatabase::Strings() {
  std::vector<std::string> strings;
  Statement stmt(db_, "SELECT text FROM strings ORDER BY id");
  while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt.get(), 0));
    strings.emplace_back(
        bytes == nullptr
            ? ""
            : std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), 0))));
  }
  return strings;
}

}  // namespace kestrel
