#pragma once
// Helpers shared by the desktop program's and the entry grid's tests: the
// test classes each file registers, stadia rows as a field book books them, a
// sheet file made of them, data-driven slots over a table of cases, and the
// page count of a PDF file.
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <cstdint>
#include <string>
#include <vector>

#include "sheets/sheet_test_context.h"
#include "sheets/stadia/stadia.h"

namespace kestrel::testing {

// The test classes of one program; each file registers its own, and main runs
// them all on one application object.
inline std::vector<int (*)(int, char**)>& TestClasses() {
  static std::vector<int (*)(int, char**)> classes;
  return classes;
}

template <typename Test>
bool RegisterTestClass() {
  TestClasses().push_back([](int argc, char** argv) {
    Test test;
    return QTest::qExec(&test, argc, argv);
  });
  return true;
}

inline int RunTestClasses(int argc, char** argv) {
  int failures = 0;
  for (const auto run : TestClasses()) failures += run(argc, argv);
  return failures == 0 ? 0 : 1;
}

inline StadiaRow Station(std::uint32_t point, double east, double north, double height) {
  return {.type = kStadiaStn, .point = point, .east = east, .north = north, .height = height};
}

inline StadiaRow Setup(std::uint32_t at, std::uint32_t backsight, double reading, double heightIn) {
  StadiaRow row{.type = kStadiaAtBs, .point = at, .hz = reading, .dist = heightIn};
  SetBacksightNumber(row, backsight);
  return row;
}

inline StadiaRow Shot(std::uint32_t point, double hz, double vertical, double slope,
                      double target) {
  return {.type = kStadiaSdHt,
          .point = point,
          .hz = hz,
          .obs2 = vertical,
          .dist = slope,
          .targetHt = target};
}

// `count` stations numbered from 1, enough to fill a sheet of that size.
inline std::vector<StadiaRow> Stations(int count) {
  std::vector<StadiaRow> rows;
  for (int i = 0; i < count; ++i) rows.push_back(Station(i + 1, 1000.0 + i, 2000.0, 50.0));
  return rows;
}

inline bool WriteSheet(const QString& path, const std::vector<StadiaRow>& rows) {
  SheetTestContext context;
  Stadia sheet(context.ctx);
  sheet.Rows() = rows;
  sheet.SaveToFile(path.toStdString());
  return context.messages.texts.empty();  // a failed save says so
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The data slot of a table of cases: one row per case, named by its `name`,
// holding its index; the test slot takes it with CaseAt.
template <typename Case, std::size_t N>
void AddCaseRows(const Case (&cases)[N]) {
  QTest::addColumn<int>("index");
  for (std::size_t i = 0; i < N; ++i) QTest::newRow(cases[i].name) << static_cast<int>(i);
}

template <typename Case, std::size_t N>
const Case& CaseAt(const Case (&cases)[N]) {
  return cases[*static_cast<const int*>(QTest::qData("index", qMetaTypeId<int>()))];
}

// Pages of a PDF file: its page objects ("/Type /Page", not "/Pages").
inline int PdfPageCount(const QString& path) {
  static const QRegularExpression page("/Type\\s*/Page(?![a-zA-Z])");
  int pages = 0;
  for (auto it = page.globalMatch(QString::fromLatin1(ReadFile(path))); it.hasNext(); it.next()) {
    ++pages;
  }
  return pages;
}

}  // namespace kestrel::testing
