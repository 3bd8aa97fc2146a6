#pragma once
// The frame every sheet's listing shares: the page header and the rows on a
// printed page, and the listing written as an RTF report in the job folder
// and opened.
#include <string>
#include <vector>

#include "platform/ports.h"
#include "report/report_writer.h"
#include "sheets/data_source.h"
#include "sheets/sheet_context.h"

namespace kestrel {

// Command 12 with a page: the title, one line lower the file label and the
// sheet's path (native, drawn in the page's Windows-1252), and below them the
// column line when there is one.
void DrawListingHeader(PageCanvas& canvas, const char* title, const std::string& fileLabel,
                       const std::string& documentPath, const char* columnLine = nullptr);

// Command 13 with a page: the lines one text line apart below the header.
void DrawListingLines(PageCanvas& canvas, const std::vector<std::string>& lines);

// The lines [first, end) of a listing of `count` lines, clipped to it.
struct LineRange {
  int first;
  int end;
};
LineRange ClipToListing(const RowRange& range, int count);

// Writes `lines` as a new RTF report at `path` and opens it when written.
void WriteAndOpenReport(SheetContext& ctx, const std::vector<std::string>& lines, std::string path,
                        bool landscape, const ReportSettings& settings = {});

}  // namespace kestrel
