#pragma once
// Printing a sheet's listing page by page on a printer, in the print preview
// or into a PDF file.
#include <QString>

#include "app/print_report_options.h"

class QPainter;
class QPrinter;

namespace kestrel {

class CUGDataSource;
struct ApplicationState;
struct DesktopSheetKind;

// Pages a listing of `rows` takes: rows / linesPerPage + 1 (a page count of at
// least one; lines per page below 1 count as 1).
int PageCount(int rows, int linesPerPage);

// Prints every page: before each page the sheet's coordinates are worked out
// again (for kinds that ask for it) with the error report switched off, then
// the sheet draws its header and the page's rows, and the page number is
// printed at the foot. A listing wider than the page is drawn smaller, all
// pages alike, so that nothing is cut. Returns the number of pages printed, 0
// when the printer could not be started.
int PrintSheetPages(QPrinter& printer, CUGDataSource& sheet, const DesktopSheetKind& kind,
                    ApplicationState& app, const PrintOptions& options);

// The factor by which the whole listing must shrink to fit across the
// painter's page (1 when it fits), measured over every row in the listing's
// font.
double ListingFitScale(QPainter& painter, CUGDataSource& sheet, const DesktopSheetKind& kind,
                       const PrintOptions& options);

// The same pages into a PDF file, with the page layout of `layoutFrom`.
int PrintSheetToPdf(const QString& path, const QPrinter& layoutFrom, CUGDataSource& sheet,
                    const DesktopSheetKind& kind, ApplicationState& app,
                    const PrintOptions& options);

}  // namespace kestrel
