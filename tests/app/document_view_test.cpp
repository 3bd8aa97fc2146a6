// The document and its view: the grid's size for a sheet read from its file,
// and printing page by page.
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/command_router.h"
#include "app/kestrel_doc.h"
#include "app/kestrel_view.h"
#include "app/qt_ports.h"
#include "app/sheet_registry.h"
#include "app_test_support.h"
#include "app_tests.h"
#include "grid/my_cug.h"
#include "sheets/command_codes.h"
#include "sheets/sheet_test_context.h"

namespace kestrel::testing {
namespace {

// A stadia document with its view on recording ports.
struct StadiaDocument {
  StadiaDocument() {
    RegisterBuiltinSheets(registry);
    context.app.flags.Set(SheetType::Stadia);
    doc = std::make_unique<CKestrelDoc>(context.ctx, registry);
    view = std::make_unique<CKestrelView>(*doc, router);
  }

  bool Open(const QString& path) { return doc->OnOpenDocument(PathFromQt(path)); }

  SheetTestContext context;
  SheetRegistry registry;
  CommandRouter router;
  std::unique_ptr<CKestrelDoc> doc;
  std::unique_ptr<CKestrelView> view;
};

}  // namespace

void DocumentViewTest::init() { ClearProfile(); }

void DocumentViewTest::gridRowsFollowSheetRows_data() {
  QTest::addColumn<int>("rows");  // -1: a new sheet file holding "empty"
  QTest::addColumn<int>("gridRows");
  QTest::newRow("new sheet file") << -1 << 100;
  QTest::newRow("99 rows") << 99 << 100;
  QTest::newRow("100 rows") << 100 << 200;
  QTest::newRow("250 rows") << 250 << 300;
}

void DocumentViewTest::gridRowsFollowSheetRows() {
  QFETCH(int, rows);
  QFETCH(int, gridRows);
  QTemporaryDir scratch;
  QVERIFY(scratch.isValid());
  const QString path = scratch.filePath("stad1.tst");
  QVERIFY(WriteFile(path, rows < 0 ? QByteArray("empty") : StadiaFileBytes(Stations(rows))));
  StadiaDocument document;

  QVERIFY(document.Open(path));

  QCOMPARE(document.doc->ActiveSheet()->RowCount(), std::max(rows, 0));
  MyCug& grid = *document.view->Grid();
  QCOMPARE(grid.GridRowCount(), gridRows);
  // The grid rows past the sheet's last row are empty.
  const QModelIndex past = grid.model()->index(gridRows - 1, 1);
  QCOMPARE(grid.model()->data(past).toString(), QString());
  QVERIFY(!document.doc->IsModified());
}

void DocumentViewTest::printedPages_data() {
  QTest::addColumn<int>("rows");
  QTest::addColumn<int>("linesPerPage");
  QTest::addColumn<int>("pages");
  QTest::newRow("130 rows at 60 lines") << 130 << 60 << 3;
  QTest::newRow("130 rows at 40 lines") << 130 << 40 << 4;
  QTest::newRow("120 rows at 60 lines") << 120 << 60 << 3;
  QTest::newRow("59 rows at 60 lines") << 59 << 60 << 1;
}

void DocumentViewTest::printedPages() {
  QFETCH(int, rows);
  QFETCH(int, linesPerPage);
  QFETCH(int, pages);
  QTemporaryDir scratch;
  QVERIFY(scratch.isValid());
  QVERIFY(WriteFile(scratch.filePath("stad1.tst"), StadiaFileBytes(Stations(rows))));
  StadiaDocument document;
  QVERIFY(document.Open(scratch.filePath("stad1.tst")));
  document.doc->Printing().linesPerPage = linesPerPage;

  const QString pdf = scratch.filePath("listing.pdf");
  QCOMPARE(document.view->PrintToPdf(pdf), pages);
  QCOMPARE(PdfPageCount(pdf), pages);
}

// Station 1 at (1000, 2000, 50) sees its backsight, station 2, due north with
// the circle reading 0; shot 3 at 90 degrees, level (vertical reading 90),
// 10 along the slope, with instrument and target heights equal, lies at
// (1010, 2000, 50). The set-up on the unknown point 99 is a problem that the
// reduction reports, except while printing.
void DocumentViewTest::printingRecalculatesWithoutErrorReport() {
  QTemporaryDir scratch;
  QVERIFY(scratch.isValid());
  const QString path = scratch.filePath("stad1.tst");
  QVERIFY(WriteFile(path, StadiaFileBytes({Station(1, 1000, 2000, 50), Station(2, 1000, 2100, 50),
                                           Setup(1, 2, 0.0, 1.5), SlopeShot(3, 90.0, 90.0, 10, 1.5),
                                           Setup(99, 2, 0.0, 1.5)})));
  StadiaDocument document;
  document.context.app.job = {"", PathFromQt(scratch.path()) + "/", "tst"};
  QVERIFY(document.Open(path));

  QCOMPARE(document.view->PrintToPdf(scratch.filePath("listing.pdf")), 1);

  QVERIFY(document.context.shell.opened.empty());
  QVERIFY(document.context.app.errorReport);
  const QString saved = scratch.filePath("saved.tst");
  QVERIFY(document.doc->OnSaveDocument(PathFromQt(saved)));
  const std::vector<SavedCoordinates> rows = CoordinatesInFile(ReadFile(saved));
  QCOMPARE(rows.size(), std::size_t{5});
  QVERIFY(std::abs(rows[3].east - 1010.0) < 1e-9);
  QVERIFY(std::abs(rows[3].north - 2000.0) < 1e-9);
  QCOMPARE(rows[3].height, 50.0);

  // Outside printing the same sheet reports its problem.
  document.view->CalculateCoordinates();
  QCOMPARE(document.context.shell.opened.size(), std::size_t{1});
}

}  // namespace kestrel::testing
