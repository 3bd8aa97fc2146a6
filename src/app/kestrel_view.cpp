#include "app/kestrel_view.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "app/app_fonts.h"
#include "app/command_ids.h"
#include "app/command_router.h"
#include "app/get_point_code.h"
#include "app/get_point_number.h"
#include "app/host_link_commands.h"
#include "app/kestrel_doc.h"
#include "app/page_printer.h"
#include "app/replace_point_code.h"
#include "app/sheet_registry.h"
#include "app/starting_folder.h"
#include "app/traverse_bar_commands.h"
#include "grid/my_cug.h"
#include "job/choose_sheet.h"
#include "job/job_location.h"
#include "platform/printf_format.h"
#include "sheets/command_codes.h"

namespace kestrel {

// "14 points computed, no problems", or the count of problems the error report
// lists; a kind without counts says only that it was calculated.
QString CalculationSummary(CUGDataSource& sheet, const DesktopSheetKind* kind) {
  if (kind == nullptr || kind->core == nullptr || !kind->core->counts) return "Calculated";
  const int points = kind->core->counts(sheet).pointsComputed;
  const std::size_t problems =
      kind->core->messageLines ? kind->core->messageLines(sheet).size() : 0;
  const QString computed = QString("%1 point%2 computed, ").arg(points).arg(points == 1 ? "" : "s");
  if (problems == 0) return computed + "no problems";
  return computed +
         QString("%1 problem%2 (see the error report)").arg(problems).arg(problems == 1 ? "" : "s");
}

CKestrelView::CKestrelView(CKestrelDoc& doc, CommandRouter& router, QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      grid_(new MyCug(this)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_);  // the grid fills the view
  grid_->setFont(GridFont());
  connect(grid_, &MyCug::SheetModified, this, [this] {
    doc_.SetModifiedFlag(true);
    MarkResultsStale();
  });
  connect(&doc_, &CKestrelDoc::DocumentChanged, this, &CKestrelView::OnInitialUpdate);
  RegisterCommands(router);
  hostLink_ = std::make_unique<HostLinkCommands>(doc_, *grid_, *this, [this] { Changed(); });
  hostLink_->Register(router);
  traverse_ = std::make_unique<TraverseBarCommands>(
      doc_, *grid_, *this, [this](bool typedValuesChanged) { Recalculated(typedValuesChanged); });
  traverse_->Register(router);
}

CKestrelView::~CKestrelView() { grid_->AttachSource(nullptr); }

void CKestrelView::OnInitialUpdate() {
  CUGDataSource* sheet = Sheet();
  // The sheet keeps its own copy of the coordinate columns' state.
  if (SheetHas(kCmdShowCoordinates)) sheet->Command(kCmdShowCoordinates, showCoordinates_ ? 1 : 0);
  const DesktopSheetKind* kind = Kind();
  grid_->SetWidthProfileKey(
      kind != nullptr && kind->core != nullptr ? QString(kind->core->Info().keyword) : QString());
  resultsStale_ = false;
  grid_->SetStaleFromColumn(-1);
  grid_->AttachSource(sheet);
  emit ResultsNote(QString());
}

void CKestrelView::OnUpdate() { grid_->Refresh(); }

void CKestrelView::RedrawAll() { grid_->RedrawAll(); }

int CKestrelView::SearchStartRow() const {
  const int current = grid_->currentIndex().row();
  if (current < 0 || current + 1 >= grid_->GridRowCount()) return 0;
  return current + 1;
}

CUGDataSource* CKestrelView::Sheet() const { return doc_.ActiveSheet(); }

const DesktopSheetKind* CKestrelView::Kind() const { return doc_.ActiveKind(); }

bool CKestrelView::SheetHas(int code) const {
  const DesktopSheetKind* kind = Kind();
  return Sheet() != nullptr && kind != nullptr && kind->Implements(code);
}

void CKestrelView::GoToRow(int row) {
  if (row < 0) return;
  grid_->GoToCell(row, 0);
  grid_->RedrawAll();
}

void CKestrelView::Changed() {
  doc_.SetModifiedFlag(true);
  MarkResultsStale();
  emit SheetChanged();
}

// The columns that Show Coordinates adds hold what Calculate computes; -1
// while they are hidden or the kind has none.
int CKestrelView::FirstComputedColumn() const {
  if (!showCoordinates_ || !SheetHas(kCmdShowCoordinates)) return -1;
  CUGDataSource* sheet = Sheet();
  sheet->Command(kCmdShowCoordinates, 0);
  const int first = sheet->ColumnCount();
  sheet->Command(kCmdShowCoordinates, 1);
  return first;
}

void CKestrelView::MarkResultsStale() {
  if (!SheetHas(kCmdCalculate)) return;
  resultsStale_ = true;
  grid_->SetStaleFromColumn(FirstComputedColumn());
  emit ResultsNote(QString("coordinates out of date ") + QChar(0x2014) + " Calculate (F9)");
}

void CKestrelView::MarkResultsCurrent() {
  resultsStale_ = false;
  grid_->SetStaleFromColumn(-1);
}

void CKestrelView::Recalculated(bool typedValuesChanged) {
  if (typedValuesChanged) emit SheetChanged();
  MarkResultsCurrent();
  grid_->RedrawAll();
  emit ResultsNote(QString());
}

void CKestrelView::GetPoint(std::int64_t number) {
  if (Sheet() == nullptr) return;
  GoToRow(Sheet()->Command(kCmdFindPoint, number));
}

void CKestrelView::FindSetup() {
  if (Sheet() == nullptr) return;
  GoToRow(Sheet()->Command(kCmdFindSetup, std::int64_t{SearchStartRow()}));
}

void CKestrelView::FindPointCode(const std::string& code) {
  if (Sheet() == nullptr) return;
  GoToRow(Sheet()->Command(kCmdFindCode, std::int64_t{SearchStartRow()}, code));
}

void CKestrelView::ReplacePointCode(const std::string& oldCode, const std::string& newCode) {
  if (Sheet() == nullptr) return;
  Sheet()->Command(kCmdReplaceCode, oldCode, newCode);
  grid_->UndoStack()->clear();  // rows changed outside the grid's own edits
  grid_->RedrawAll();
  Changed();
}

// A type outside the kind's list (the dialog closed without a choice) leaves
// the default type and the row alone.
void CKestrelView::ApplyEntryType(int type) {
  if (type < 0) return;
  grid_->ApplyDefaultRowType(type);
  Changed();
}

void CKestrelView::SetShowCoordinates(bool show) {
  if (Sheet() == nullptr) return;
  showCoordinates_ = show;
  Sheet()->Command(kCmdShowCoordinates, show ? 1 : 0);
  if (resultsStale_) grid_->SetStaleFromColumn(FirstComputedColumn());
  OnUpdate();
}

void CKestrelView::CalculateCoordinates() {
  CUGDataSource* sheet = Sheet();
  if (sheet == nullptr) return;
  sheet->Command(kCmdCalculate);
  MarkResultsCurrent();
  grid_->FitColumnsToContent();
  grid_->RedrawAll();
  doc_.SetModifiedFlag(true);
  emit SheetChanged();
  emit ResultsNote(CalculationSummary(*sheet, Kind()));
}

// The listing goes to the sheet's own RTF file: the header command without a
// page empties the sheet's line list, then every row is listed.
void CKestrelView::PrintToFile() {
  CUGDataSource* sheet = Sheet();
  if (sheet == nullptr) return;
  sheet->Command(kCmdPrintHeader);
  const RowRange all{0, sheet->RowCount(), doc_.Printing().corrected ? 1 : 0};
  sheet->Command(kCmdPrintRows, {}, all);
}

int CKestrelView::PrintToPdf(const QString& path) {
  if (Sheet() == nullptr || Kind() == nullptr) return 0;
  return PrintSheetToPdf(path, *printer_, *Sheet(), *Kind(), doc_.Context().app, doc_.Printing());
}

int CKestrelView::PrintPages(QPrinter& printer) {
  if (Sheet() == nullptr || Kind() == nullptr) return 0;
  const int pages =
      PrintSheetPages(printer, *Sheet(), *Kind(), doc_.Context().app, doc_.Printing());
  if (Kind()->recalculateBeforePage && pages > 0) {
    MarkResultsCurrent();
    emit ResultsNote(QString());
  }
  grid_->RedrawAll();  // the pages recalculated the coordinates
  return pages;
}

void CKestrelView::RegisterSheetCommand(CommandRouter& router, int id, int code,
                                        void (CKestrelView::*run)()) {
  router.Register(id,
                  {[this, run] { (this->*run)(); }, [this, code] { return SheetHas(code); }, {}});
}

void CKestrelView::RegisterCommands(CommandRouter& router) {
  RegisterSheetCommand(router, kIdGetPoint, kCmdFindPoint, &CKestrelView::OnGetPoint);
  RegisterSheetCommand(router, kIdFindSetup, kCmdFindSetup, &CKestrelView::OnFindSetup);
  RegisterSheetCommand(router, kIdPointCode, kCmdFindCode, &CKestrelView::OnPointCode);
  RegisterSheetCommand(router, kIdReplaceCode, kCmdReplaceCode, &CKestrelView::OnReplaceCode);
  RegisterSheetCommand(router, kIdCalculateCoordinates, kCmdCalculate, &CKestrelView::OnCalculate);
  RegisterSheetCommand(router, kIdEditCopy, kCmdCopy, &CKestrelView::OnCopy);
  RegisterSheetCommand(router, kIdEditCut, kCmdCut, &CKestrelView::OnCut);
  RegisterSheetCommand(router, kIdEditPaste, kCmdPaste, &CKestrelView::OnPaste);
  RegisterSheetCommand(router, kIdPrintToFile, kCmdPrintRows, &CKestrelView::OnPrintToFile);
  RegisterSheetCommand(router, kIdCheckShotReport, kCmdCheckReport,
                       &CKestrelView::OnCheckShotReport);
  RegisterSheetCommand(router, kIdExportLandXml, kCmdLandXml, &CKestrelView::OnExportLandXml);
  RegisterSheetCommand(router, kIdAppendSheet, kCmdAppendSheet, &CKestrelView::OnAppendSheet);
  RegisterSheetCommand(router, kIdFilePrint, kCmdPrintRows, &CKestrelView::OnFilePrint);
  RegisterSheetCommand(router, kIdFilePrintPreview, kCmdPrintRows,
                       &CKestrelView::OnFilePrintPreview);
  RegisterSheetCommand(router, kIdPrintToPdf, kCmdPrintRows, &CKestrelView::OnPrintToPdf);
  router.Register(kIdFilePrintSetup, {[this] { OnFilePrintSetup(); }, {}, {}});

  router.Register(kIdEntryType,
                  {[this] { OnEntryType(); },
                   [this] { return SheetHas(kCmdSetDefaultType) && Kind()->entryTypeDialog; },
                   {}});
  router.Register(kIdTraditionalTolerance,
                  {[this] { OnTolerance(); },
                   [this] { return SheetHas(kCmdCodeTable) && Kind()->toleranceDialog; },
                   {}});
  router.Register(kIdShowCoordinates, {[this] { OnShowCoordinates(); },
                                       [this] { return SheetHas(kCmdShowCoordinates); },
                                       [this] { return showCoordinates_; }});

  const auto attached = [this] { return Sheet() != nullptr; };
  router.Register(kIdMoveToStart, {[this] { grid_->MoveToStartOfData(); }, attached, {}});
  router.Register(kIdMoveToEnd, {[this] { grid_->MoveToDataEnd(); }, attached, {}});
  router.Register(kIdPageUp, {[this] { grid_->PageUpRows(); }, attached, {}});
  router.Register(kIdPageDown, {[this] { grid_->PageDownRows(); }, attached, {}});
  router.Register(kIdEditUndo, {[this] { grid_->UndoStack()->undo(); },
                                [this] { return grid_->UndoStack()->canUndo(); },
                                {}});
  router.Register(kIdEditRedo, {[this] { grid_->UndoStack()->redo(); },
                                [this] { return grid_->UndoStack()->canRedo(); },
                                {}});
}

void CKestrelView::OnGetPoint() {
  if (const std::optional<std::int64_t> number = AskPointNumber(this)) GetPoint(*number);
}

void CKestrelView::OnFindSetup() { FindSetup(); }

void CKestrelView::OnPointCode() {
  if (const std::optional<std::string> code = AskPointCode(this)) FindPointCode(*code);
}

void CKestrelView::OnReplaceCode() {
  if (const std::optional<CodeReplacement> codes = AskCodeReplacement(this)) {
    ReplacePointCode(codes->oldCode, codes->newCode);
  }
}

void CKestrelView::OnEntryType() { ApplyEntryType(Kind()->entryTypeDialog(this)); }

void CKestrelView::OnTolerance() {
  if (const std::optional<std::int64_t> value = Kind()->toleranceDialog(this)) {
    Sheet()->Command(kCmdCodeTable, *value);
    grid_->viewport()->update();  // rows out of tolerance change colour
  }
}

void CKestrelView::OnShowCoordinates() { SetShowCoordinates(!showCoordinates_); }

void CKestrelView::OnCalculate() { CalculateCoordinates(); }

void CKestrelView::OnCopy() {
  grid_->CopyRows();
  grid_->viewport()->update();
}

void CKestrelView::OnCut() {
  grid_->CutRows();
  grid_->viewport()->update();
}

void CKestrelView::OnPaste() {
  grid_->PasteRows();
  grid_->Refresh();
}

void CKestrelView::OnPrintToFile() { PrintToFile(); }

void CKestrelView::OnAppendSheet() { AppendSheet(); }

void CKestrelView::OnCheckShotReport() { Sheet()->Command(kCmdCheckReport); }

void CKestrelView::OnExportLandXml() { Sheet()->Command(kCmdLandXml); }

// The chosen file's rows are added after the open sheet's rows, as one step
// that Undo takes back; the document stays the open file, and the job and the
// sheet kind stay what they were whichever the dialog was left on.
void CKestrelView::AppendSheet() {
  ApplicationState& app = doc_.Context().app;
  const SheetTypeFlags flags = app.flags;
  const JobLocation job = app.job;
  std::string path;
  const int chosen = ChooseSheet(app, path, kNoSheetNumber, std::string(), doc_.Context().chooser);
  app.flags = flags;
  app.job = job;
  if (chosen == 0 || Kind() == nullptr) return;
  const std::unique_ptr<CUGDataSource> appended =
      doc_.Registry().Core().Make(Kind()->type, doc_.Context());
  if (appended == nullptr) return;
  if (appended->LoadFromFile(NativePath(path)) == 0) {
    doc_.Context().messages.Show(Sprintf("The file %s could not be read", path.c_str()));
    return;
  }
  std::vector<std::string> states;
  states.reserve(static_cast<std::size_t>(std::max(appended->RowCount(), 0)));
  for (int row = 0; row < appended->RowCount(); ++row) states.push_back(appended->RowState(row));
  grid_->AppendRows(states);
  OnUpdate();
  Changed();
}

bool CKestrelView::AskPrintOptions() {
  const std::optional<PrintOptions> options = kestrel::AskPrintOptions(doc_.Printing(), this);
  if (!options) return false;
  doc_.Printing() = *options;
  return true;
}

void CKestrelView::OnFilePrint() {
  if (!AskPrintOptions()) return;
  QPrintDialog dialog(printer_.get(), this);
  if (dialog.exec() == QDialog::Accepted) PrintPages(*printer_);
}

void CKestrelView::OnFilePrintPreview() {
  if (!AskPrintOptions()) return;
  QPrintPreviewDialog preview(printer_.get(), this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { PrintPages(*printer); });
  preview.exec();
}

void CKestrelView::OnFilePrintSetup() {
  QPageSetupDialog dialog(printer_.get(), this);
  dialog.exec();
}

void CKestrelView::OnPrintToPdf() {
  if (!AskPrintOptions()) return;
  const QString path = QFileDialog::getSaveFileName(
      this, "Print to PDF", PdfNameForSheet(doc_.PathName(), doc_.Context().app.job.NativeFolder()),
      "PDF files (*.pdf)");
  if (path.isEmpty()) return;
  PrintToPdf(path.endsWith(".pdf", Qt::CaseInsensitive) ? path : path + ".pdf");
}

}  // namespace kestrel
