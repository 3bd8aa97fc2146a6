#pragma once
// Helpers for the desktop program's tests: stadia sheet files written byte by
// byte from the file layout (independently of the sheet's own writer), the
// coordinates read back from a saved file, a scratch folder, the profile
// emptied between tests, and the page count of a PDF file.
#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace kestrel::testing {

// A never-entered value: 1e15 rounded to single precision.
inline constexpr double kEmpty = 999999986991104.0;

struct FileRow {
  std::int8_t type = 0;
  std::uint32_t point = 0xFFFFFFFFu;
  double hz = kEmpty;
  double obs2 = kEmpty;
  double dist = kEmpty;
  double targetHt = kEmpty;
  double east = kEmpty;
  double north = kEmpty;
  double height = kEmpty;
  std::string code;
  std::string comment;
  std::string note;
  // AT/BS rows: the backsight number in the first four bytes of obs2.
  std::uint32_t backsight = 0;
};

inline FileRow Station(std::uint32_t point, double east, double north, double height) {
  FileRow row;
  row.type = 0;
  row.point = point;
  row.east = east;
  row.north = north;
  row.height = height;
  return row;
}

inline FileRow Setup(std::uint32_t at, std::uint32_t backsight, double reading, double heightIn) {
  FileRow row;
  row.type = 1;
  row.point = at;
  row.backsight = backsight;
  row.hz = reading;
  row.dist = heightIn;
  return row;
}

inline FileRow SlopeShot(std::uint32_t point, double hz, double vertical, double slope,
                         double target) {
  FileRow row;
  row.type = 3;
  row.point = point;
  row.hz = hz;
  row.obs2 = vertical;
  row.dist = slope;
  row.targetHt = target;
  return row;
}

inline FileRow Note(const std::string& text) {
  FileRow row;
  row.type = 2;
  row.note = text;
  return row;
}

inline void PutBytes(QByteArray& out, const void* data, int size) {
  out.append(static_cast<const char*>(data), size);
}

inline void PutU32(QByteArray& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline void PutF64(QByteArray& out, double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i) out.append(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

inline void PutText(QByteArray& out, const std::string& text) {
  out.append(text.data(), static_cast<int>(text.size()));
  out.append('\0');
}

// A version 2 stadia file: the 43-byte header record (type 2, then zeros),
// two empty texts and "Version 2"; then per row 69 bytes and three texts.
inline QByteArray StadiaFileBytes(const std::vector<FileRow>& rows) {
  QByteArray out(43, '\0');
  out[0] = 2;
  PutText(out, "");
  PutText(out, "");
  PutText(out, "Version 2");
  for (const FileRow& row : rows) {
    PutBytes(out, &row.type, 1);
    PutU32(out, row.point);
    PutF64(out, row.hz);
    if (row.type == 1) {
      PutU32(out, row.backsight);
      PutU32(out, 0);
    } else {
      PutF64(out, row.obs2);
    }
    PutF64(out, kEmpty);  // spare
    PutF64(out, row.dist);
    PutF64(out, row.targetHt);
    PutF64(out, row.east);
    PutF64(out, row.north);
    PutF64(out, row.height);
    PutText(out, row.code);
    PutText(out, row.comment);
    PutText(out, row.note);
  }
  return out;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// `count` station rows numbered from 1, enough to fill a sheet of that size.
inline std::vector<FileRow> Stations(int count) {
  std::vector<FileRow> rows;
  for (int i = 0; i < count; ++i) rows.push_back(Station(i + 1, 1000.0 + i, 2000.0, 50.0));
  return rows;
}

struct SavedCoordinates {
  double east = 0;
  double north = 0;
  double height = 0;
};

// Every row's easting, northing and height from a version 2 stadia file.
inline std::vector<SavedCoordinates> CoordinatesInFile(const QByteArray& bytes) {
  std::vector<SavedCoordinates> rows;
  const auto skipText = [&bytes](int at) {
    while (at < bytes.size() && bytes[at] != '\0') ++at;
    return at + 1;
  };
  const auto f64 = [&bytes](int at) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) {
      bits |= std::uint64_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  };
  int at = skipText(skipText(skipText(43)));
  while (at + 69 <= bytes.size()) {
    rows.push_back({f64(at + 45), f64(at + 53), f64(at + 61)});
    at = skipText(skipText(skipText(at + 69)));
  }
  return rows;
}

// Pages of a PDF file: its page objects ("/Type /Page", not "/Pages").
inline int PdfPageCount(const QString& path) {
  static const QRegularExpression page("/Type\\s*/Page(?![a-zA-Z])");
  const QString text = QString::fromLatin1(ReadFile(path));
  int pages = 0;
  for (auto it = page.globalMatch(text); it.hasNext(); it.next()) ++pages;
  return pages;
}

// Every test starts from an empty profile.
inline void ClearProfile() { QSettings().clear(); }

}  // namespace kestrel::testing
