// The entry grid's sizing and appearance: row and column counts, widths,
// growth at the bottom, joined note cells, headings, repaints.
#include "grid/my_cug.h"

#include <QEvent>
#include <QHeaderView>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

#include "grid/grid_font.h"
#include "grid/grid_item_delegate.h"
#include "grid/sheet_table_model.h"
#include "platform/printf_format.h"

namespace kestrel {

namespace {

// Rows added at a time when the user reaches the bottom of the grid.
constexpr int kGrowthRows = 100;
// The grid grows when the sheet reaches this close to its last row.
constexpr int kGrowthMargin = 10;

}  // namespace

MyCug::MyCug(QWidget* parent)
    : QTableView(parent),
      model_(new SheetTableModel(this)),
      delegate_(new GridItemDelegate(*model_, this)) {
  model_->SetUndoStack(&undoStack_);
  setModel(model_);
  setItemDelegate(delegate_);

  const QFont font = GridCellFont();
  horizontalHeader()->setFont(font);
  verticalHeader()->setFont(font);
  // Every row has the same height: nothing is measured, however long the sheet.
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(GridRowHeight());
  horizontalHeader()->setMinimumSectionSize(0);
  horizontalHeader()->setHighlightSections(false);

  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setShowGrid(true);
  QPalette colors = palette();
  colors.setColor(QPalette::Base, Qt::white);
  setPalette(colors);

  connect(model_, &SheetTableModel::SheetChanged, this, &MyCug::OnSheetChanged);
  connect(delegate_, &GridItemDelegate::EnterPressed, this, &MyCug::EnterMove);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) { RememberDraggedWidth(column, width); });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    UpdateNoteSpans();
    GrowAtBottom();
  });
}

MyCug::~MyCug() {
  // The steps refer to the model; they go first.
  undoStack_.clear();
}

int MyCug::StartingRowCount(int sheetRows) {
  return (std::max(sheetRows, 0) / kGrowthRows) * kGrowthRows + kGrowthRows;
}

void MyCug::AttachSource(CUGDataSource* source) {
  undoStack_.clear();
  clearSpans();
  spannedRows_.clear();
  spanColumns_ = 0;
  model_->SetSource(source, source != nullptr ? StartingRowCount(source->RowCount()) : 0);
  knownRowCount_ = source != nullptr ? source->RowCount() : 0;
  if (source == nullptr) return;
  MoveSilently(0, 0);
  UpdateHeadings();
  FitColumnsToContent();
  UpdateNoteSpans();
}

CUGDataSource* MyCug::Source() const { return model_->Source(); }

int MyCug::GridRowCount() const { return model_->GridRowCount(); }

QUndoStack* MyCug::UndoStack() { return &undoStack_; }

void MyCug::Refresh() {
  CUGDataSource* source = Source();
  if (source == nullptr) return;
  ForgetStepsIfRowsMovedBehindGrid();
  model_->SyncColumnCount();
  // The grid keeps rows it has grown to: its row count only grows.
  model_->GrowTo(StartingRowCount(source->RowCount()));
  spanColumns_ = 0;  // the joined cell may now end in another column
  UpdateHeadings();
  FitColumnsToContent();
  RedrawAll();
}

void MyCug::RedrawAll() {
  if (Source() == nullptr) return;
  ForgetStepsIfRowsMovedBehindGrid();
  GrowToFitSheet();
  model_->NotifyDisplayChanged();
  UpdateNoteSpans();
  horizontalHeader()->viewport()->update();
  viewport()->update();
}

void MyCug::SetStaleFromColumn(int firstColumn) {
  model_->SetStaleFromColumn(firstColumn);
  viewport()->update();
}

// Rows added to the sheet by an insert or a paste must have grid rows to
// show in, and the row after the last must be there to type into.
void MyCug::GrowToFitSheet() {
  CUGDataSource* source = Source();
  if (source == nullptr) return;
  if (source->RowCount() >= model_->GridRowCount()) {
    model_->GrowTo(StartingRowCount(source->RowCount()));
  }
}

// Scrolling has reached the grid's last row: a sheet that fills the grid to
// within a few rows gets another hundred rows to grow into.
void MyCug::GrowAtBottom() {
  CUGDataSource* source = Source();
  const int gridRows = model_->GridRowCount();
  if (source == nullptr || gridRows == 0 || viewport()->height() <= 0) return;
  const int lastShown = rowAt(viewport()->height() - 1);
  if (lastShown >= 0 && lastShown < gridRows - 1) return;
  if (source->RowCount() > gridRows - kGrowthMargin) model_->GrowTo(gridRows + kGrowthRows);
}

// A note row shows its columns 1 to 6 as one cell. Spans are set only for the
// rows in view, so that a sheet of many notes costs nothing more than one of
// none.
void MyCug::UpdateNoteSpans() {
  std::vector<int> rows;
  const int lastJoined = model_->LastJoinedColumn();
  const int gridRows = model_->GridRowCount();
  if (Source() != nullptr && lastJoined > 1 && gridRows > 0) {
    const int first = std::max(rowAt(0), 0);
    int last = rowAt(std::max(viewport()->height() - 1, 0));
    if (last < 0) last = gridRows - 1;
    for (int row = first; row <= last; ++row) {
      if (model_->IsJoinedNoteCell(row, 1)) rows.push_back(row);
    }
  }
  const int columns = lastJoined;  // columns 1 to lastJoined
  if (rows == spannedRows_ && columns == spanColumns_) return;
  clearSpans();
  for (int row : rows) setSpan(row, 1, 1, columns);
  spannedRows_ = std::move(rows);
  spanColumns_ = columns;
}

// The headings follow the type of the row the cursor is on; the sheet keeps
// the texts, and the heading row shows what it keeps.
void MyCug::UpdateHeadings() {
  CUGDataSource* source = Source();
  if (source == nullptr) return;
  const int row = currentIndex().isValid() ? currentIndex().row() : 0;
  for (int column = 0; column < model_->columnCount(); ++column) {
    std::string text = Sprintf("%d", row);
    source->ColumnHeading(column, text);
    source->StoreHeading(column, text);
  }
  model_->NotifyHeadingsChanged();
}

// The undo steps name rows by position; when the sheet gained or lost rows
// without the grid (a load, a point from the host), those positions are stale.
void MyCug::ForgetStepsIfRowsMovedBehindGrid() {
  CUGDataSource* source = Source();
  if (source == nullptr) return;
  if (source->RowCount() != knownRowCount_) undoStack_.clear();
  knownRowCount_ = source->RowCount();
}

void MyCug::OnSheetChanged(int focusRow) {
  CUGDataSource* source = Source();
  if (source == nullptr) return;
  knownRowCount_ = source->RowCount();
  GrowToFitSheet();
  if (focusRow >= 0 && focusRow < model_->GridRowCount()) {
    scrollTo(model_->index(focusRow, std::max(currentIndex().column(), 0)));
  }
  UpdateNoteSpans();
  UpdateHeadings();
  emit SheetModified();
}

bool MyCug::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Paint) {
    // The kept cell belongs to one paint; the next paint asks the sheet again.
    model_->ForgetCachedCell();
    ForgetStepsIfRowsMovedBehindGrid();
  }
  return QTableView::viewportEvent(event);
}

void MyCug::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  UpdateNoteSpans();
}

}  // namespace kestrel
