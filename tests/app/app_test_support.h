#pragma once
// Helpers shared by the desktop program's and the entry grid's tests: a sheet
// file of stadia rows, data-driven slots over a table of cases, and the page
// count of a PDF file.
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <cstdint>
#include <string>
#include <vector>

#include "sheets/sheet_test_context.h"
#include "sheets/stadia/stadia.h"
#include "sheets/stadia_test_rows.h"

namespace kestrel::testing {

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
