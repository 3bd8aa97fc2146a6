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

}  // namespace

// How much the listing must shrink to fit across the page: 1 when it fits;
// otherwise the page's width over the width of the widest line with the
// same margin on the right as on the left. Every row is measured, so that no
// page is cut and all pages share one size.
double ListingFitScale(QPainter& painter, CUGDataSource& sheet, const DesktopSheetKind& kind,
                       const PrintOptions& options) {
  const bool small = kind.smallFontWhenCorrected && options.corrected;
  painter.setFont(PrintFont(small ? kCorrectedFontPoints : kListingFontPoints));
  QtPageCanvas measure(painter, 1.0, true);
  PageCanvas* device = &measure;
  sheet.Command(kCmdPrintHeader, device);
  sheet.Command(kCmdPrintRows, device, RowRange{0, sheet.RowCount(), options.corrected ? 1 : 0});
  const int needed = measure.RightmostTwips() + kPageNumberX;
  const int page = measure.PageWidthTwips();
  if (needed <= page || needed <= 0 || page <= 0) return 1.0;
  return static_cast<double>(page) / needed;
}

namespace {

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
  if (kind.recalculateBeforePage) RecalculateQuietly(sheet, app);
  // A listing wider than the page (coordinates and corrected bearings on a
  // portrait page) is drawn smaller rather than cut at the right edge.
  const double scale = ListingFitScale(painter, sheet, kind, options);
  int printed = 0;
  for (int page = 1; page <= pages; ++page) {
    if (page > 1 && !printer.newPage()) break;
    painter.resetTransform();
    painter.scale(scale, scale);
    if (kind.recalculateBeforePage) RecalculateQuietly(sheet, app);
    painter.setFont(PrintFont(small ? kCorrectedFontPoints : kListingFontPoints));
    QtPageCanvas canvas(painter, scale);
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
