// The document and its view: printing page by page, and recalculating
// without an error report while printing.
#include <QBrush>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUndoStack>

#include "app_tests.h"
#include "grid/my_cug.h"

namespace kestrel::testing {
namespace {

struct PagesCase {
  const char* name;
  int rows, linesPerPage, pages;
};
// One page more than whole pages of rows.
const PagesCase kPages[] = {
    {"130 rows at 40 lines", 130, 40, 4},
};

class DocumentViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearProfile(); }

  void printedPages_data() { AddCaseRows(kPages); }
  void printedPages() {
    const PagesCase& c = CaseAt(kPages);
    std::vector<StadiaRow> stations;
    for (int i = 0; i < c.rows; ++i) stations.push_back(Stn(i + 1, 1000.0 + i, 2000.0, 50.0));
    StadiaDocument document(stations);
    QVERIFY(document.opened);
    document.doc->Printing().linesPerPage = c.linesPerPage;

    const QString pdf = document.scratch.filePath("listing.pdf");
    QCOMPARE(document.view->PrintToPdf(pdf), c.pages);
    // The file's page objects ("/Type /Page", not "/Pages").
    QCOMPARE(QString::fromLatin1(ReadFile(pdf)).count(QRegularExpression("/Type\\s*/Page(?!s)")),
             c.pages);
  }

  // The set-up on the unknown point 99 is a problem that the reduction
  // reports, except while printing.
  void printingRecalculatesWithoutErrorReport() {
    StadiaDocument document({Stn(1, 1000, 2000, 50), Stn(2, 1000, 2100, 50), AtBs(1, 2, 0.0, 1.5),
                             Shot(kStadiaSdHt, 3, 90.0, 90.0, 10, 1.5), AtBs(99, 2, 0.0, 1.5)});
    QVERIFY(document.opened);
    QCOMPARE(document.view->PrintToPdf(document.scratch.filePath("listing.pdf")), 1);
    QVERIFY(document.context.shell.opened.empty());
    QVERIFY(document.context.app.errorReport);
    document.view->CalculateCoordinates();
    QCOMPARE(document.context.shell.opened.size(), std::size_t{1});
  }

  // Another sheet file's rows come after the open sheet's as one step that
  // Undo takes back whole; the document stays the open file, and the kind
  // stays as it was.
  void appendAddsTheChosenSheetAfterTheRows() {
    StadiaDocument document({Stn(1, 1000, 2000, 50), Stn(2, 1000, 2100, 50)});
    QVERIFY(document.opened);
    const QString other = document.scratch.filePath("other/stad7.abc");
    QVERIFY(QDir(document.scratch.path()).mkdir("other"));
    QVERIFY(WriteSheet(other, {Stn(7, 1, 2, 3), Stn(8, 4, 5, 6), Stn(9, 7, 8, 9)}));
    document.context.chooser.answer = SheetChoice{SheetType::Traverse, PathFromQt(other)};
    const std::string path = document.doc->PathName();
    auto& sheet = dynamic_cast<Stadia&>(*document.doc->ActiveSheet());

    document.view->Grid()->UndoStack()->clear();
    document.doc->SetModifiedFlag(false);
    document.context.app.flags.Set(SheetType::Stadia);
    document.view->AppendSheet();
    std::vector<std::uint32_t> points;
    for (const StadiaRow& row : sheet.Rows()) points.push_back(row.point);
    QCOMPARE(points, (std::vector<std::uint32_t>{1, 2, 7, 8, 9}));
    QCOMPARE(document.doc->PathName(), path);
    QVERIFY(document.doc->IsModified());
    QVERIFY(document.context.app.flags.stadia && !document.context.app.flags.traverse);

    QCOMPARE(document.view->Grid()->UndoStack()->count(), 1);
    document.view->Grid()->UndoStack()->undo();
    QCOMPARE(sheet.Rows().size(), std::size_t{2});
  }

  // An edited observation greys the computed columns and says so until the
  // next Calculate, which counts the shots it reduced.
  void resultsGoStaleUntilCalculate() {
    StadiaDocument document({Stn(1, 1000, 2000, 50), Stn(2, 1000, 2100, 50), AtBs(1, 2, 0.0, 1.5),
                             Shot(kStadiaSdHt, 3, 90.0, 90.0, 10, 1.5),
                             Shot(kStadiaSdHt, 4, 180.0, 90.0, 20, 1.5)});
    QVERIFY(document.opened);
    QString note;
    connect(document.view.get(), &CKestrelView::ResultsNote, [&](const QString& n) { note = n; });
    document.view->SetShowCoordinates(true);
    MyCug& grid = *document.view->Grid();
    const auto eastColour = [&] {
      return grid.model()->index(3, 8).data(Qt::ForegroundRole).value<QBrush>().color();
    };

    document.view->CalculateCoordinates();
    QCOMPARE(note, QString("2 points computed, no problems"));
    QVERIFY(!document.view->ResultsStale());
    const QColor current = eastColour();

    grid.model()->setData(grid.model()->index(3, 4), "12.000");
    QVERIFY(document.view->ResultsStale());
    QCOMPARE(note, QString("coordinates out of date ") + QChar(0x2014) + " Calculate (F9)");
    QVERIFY(eastColour() != current);
    QCOMPARE(grid.model()->index(3, 4).data(Qt::ForegroundRole).value<QBrush>().color(), current);

    document.view->CalculateCoordinates();
    QVERIFY(!document.view->ResultsStale());
    QCOMPARE(eastColour(), current);
  }
};

[[maybe_unused]] const bool kRegistered = RegisterTestClass<DocumentViewTest>();

}  // namespace
}  // namespace kestrel::testing

#include "document_view_test.moc"
