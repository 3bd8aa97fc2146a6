#include "app/page_printer.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "app/app_fonts.h"
#include "app/qt_ports.h"
#include "app/sheet_registry.h"
#include "job/application_state.h"
#include "platform/printf_format.h"
#include "sheets/command_codes.h"
#include "sheets/data_source.h"

namespace kestrel {
namespace {

constexpr int kListingFontPoints = 9;
constexpr int kCorrectedFontPoints = 7;
// The page number sits at the listing's left edge, two lines above the foot
// of the printable area.
constexpr int kPageNumberX = 360;

// The coordinates are recalculated without writing or opening an error report.
void RecalculateQuietly(CUGDataSource& sheet, ApplicationState& app) {
  app.errorReport = false;
  sheet.Command(kCmdCalculate);
  app.errorReport = true;
}

void PrintPage(int page, QtPageCanvas& canvas, CUGDataSource& sheet, const PrintOptions& options) {
  PageCanvas* device = &canvas;
  sheet.Command(kCmdPrintHeader, device);
  const int lines = std::max(options.linesPerPage, 1);
  const RowRange range{(page - 1) * lines, page * lines, options.corrected ? 1 : 0};
  sheet.Command(kCmdPrintRows, device, range);
  const int footY = -(canvas.PageHeightTwips() - 2 * canvas.LineHeight());
  canvas.DrawText(kPageNumberX, footY, Sprintf("Page %3d", page));
}

}  // namespace

int PageCount(int rows, int linesPerPage) {
  return std::max(rows, 0) / std::max(linesPerPage, 1) + 1;
}

int PrintSheetPages(QPrinter& printer, CUGDataSource& sheet, const DesktopSheetKind& kind,
                    ApplicationState& app, const PrintOptions& options) {
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  const bool small = kind.smallFontWhenCorrected && options.corrected;
  const int pages = PageCount(sheet.RowCount(), options.linesPerPage);
  int printed = 0;
  for (int page = 1; page <= pages; ++page) {
    if (page > 1 && !printer.newPage()) break;
    if (kind.recalculateBeforePage) RecalculateQuietly(sheet, app);
    painter.setFont(PrintFont(small ? kCorrectedFontPoints : kListingFontPoints));
    QtPageCanvas canvas(painter);
    PrintPage(page, canvas, sheet, options);
    ++printed;
  }
  painter.end();
  return printed;
}

int PrintSheetToPdf(const QString& path, const QPrinter& layoutFrom, CUGDataSource& sheet,
                    const DesktopSheetKind& kind, ApplicationState& app,
                    const PrintOptions& options) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageLayout(layoutFrom.pageLayout());
  printer.setOutputFileName(path);
  return PrintSheetPages(printer, sheet, kind, app, options);
}

}  // namespace kestrel
