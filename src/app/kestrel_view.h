#pragma once
// The view: the entry grid on the document's active sheet, the view's
// commands (each reaching the sheet as a Command code) and printing.
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

class QPrinter;

namespace kestrel {

class CKestrelDoc;
class CommandRouter;
class CUGDataSource;
class HostLinkCommands;
class MyCug;
class TraverseBarCommands;
struct DesktopSheetKind;

// What the status bar says after Calculate.
QString CalculationSummary(CUGDataSource& sheet, const DesktopSheetKind* kind);

class CKestrelView : public QWidget {
  Q_OBJECT

 public:
  // Registers the view's commands with the router.
  CKestrelView(CKestrelDoc& doc, CommandRouter& router, QWidget* parent = nullptr);
  ~CKestrelView() override;

  MyCug* Grid() const { return grid_; }
  // The traverse bars' commands (enabled only on a traverse sheet).
  TraverseBarCommands& TraverseCommands() const { return *traverse_; }
  CKestrelDoc& Document() const { return doc_; }

  // Attaches the document's active sheet to the grid and sizes the grid
  // ((rows / 100) * 100 + 100 grid rows).
  void OnInitialUpdate();
  // Sizes the grid again (after a load, or when the coordinate columns are
  // shown or hidden).
  void OnUpdate();
  // Draws every cell again (after the unit selectors changed).
  void RedrawAll();

  bool ShowCoordinates() const { return showCoordinates_; }
  // The row searches start from: the current row + 1, or 0 when there is no
  // current row or it lies past the grid's last row.
  int SearchStartRow() const;

  // The commands without their dialogs.
  void GetPoint(std::int64_t number);
  void FindSetup();
  void FindPointCode(const std::string& code);
  void ReplacePointCode(const std::string& oldCode, const std::string& newCode);
  void ApplyEntryType(int type);
  void SetShowCoordinates(bool show);
  void CalculateCoordinates();
  void PrintToFile();
  // Adds the rows of the sheet file chosen in the table selection dialog.
  void AppendSheet();
  // The listing in a PDF file with the print options of the document;
  // returns the number of pages.
  int PrintToPdf(const QString& path);
  // The listing on `printer` with the print options of the document.
  int PrintPages(QPrinter& printer);

 signals:
  // The sheet's rows changed through a command.
  void SheetChanged();
  // A line for the status bar about the computed results: out of date, or
  // what the last Calculate found. Empty clears it.
  void ResultsNote(const QString& note);

 public:
  // True while the observations have changed since the last Calculate.
  bool ResultsStale() const { return resultsStale_; }

 private:
  CUGDataSource* Sheet() const;
  const DesktopSheetKind* Kind() const;
  bool SheetHas(int code) const;
  void RegisterCommands(CommandRouter& router);
  void RegisterSheetCommand(CommandRouter& router, int id, int code, void (CKestrelView::*run)());
  void GoToRow(int row);
  void Changed();
  // The observations changed: computed columns show in grey until the next
  // Calculate. Calculate (or printing, which recalculates) makes them current.
  void MarkResultsStale();
  void MarkResultsCurrent();
  // A command recomputed the sheet; `typedValuesChanged` when it also
  // rewrote typed values (as a step of the grid's undo stack).
  void Recalculated(bool typedValuesChanged);
  int FirstComputedColumn() const;
  bool AskPrintOptions();

  void OnGetPoint();
  void OnFindSetup();
  void OnPointCode();
  void OnReplaceCode();
  void OnEntryType();
  void OnTolerance();
  void OnShowCoordinates();
  void OnCalculate();
  void OnCopy();
  void OnCut();
  void OnPaste();
  void OnPrintToFile();
  void OnCheckShotReport();
  void OnExportLandXml();
  void OnAppendSheet();
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnFilePrintSetup();
  void OnPrintToPdf();

  CKestrelDoc& doc_;
  MyCug* grid_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<HostLinkCommands> hostLink_;  // the host database and point tools
  std::unique_ptr<TraverseBarCommands> traverse_;
  bool showCoordinates_ = false;
  bool resultsStale_ = false;
};

}  // namespace kestrel
