#include "grid/sheet_table_model.h"

#include <QBrush>
#include <QColor>
#include <QUndoStack>
#include <algorithm>

#include "grid/grid_commands.h"
#include "grid/grid_font.h"
#include "platform/text_encoding.h"

namespace kestrel {

namespace {

// The joined cell of a note row runs from column 1 to column 6.
constexpr int kFirstJoinedColumn = 1;
constexpr int kLastJoinedColumn = 6;

// Results computed from observations changed since: readable, but plainly
// not current.
const QColor kStaleText(150, 150, 150);
// A value that cannot be what was meant: a warning amber behind the text.
const QColor kDoubtBackground(255, 200, 120);

QColor ToQColor(const RgbColor& color) { return QColor(color.red, color.green, color.blue); }

QString ToQString(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

}  // namespace

SheetTableModel::SheetTableModel(QObject* parent)
    : QAbstractTableModel(parent), font_(GridCellFont()) {}

void SheetTableModel::SetSource(CUGDataSource* source, int gridRows) {
  beginResetModel();
  source_ = source;
  gridRows_ = source != nullptr ? std::max(gridRows, 0) : 0;
  columns_ = source != nullptr ? std::max(source->ColumnCount(), 0) : 0;
  cachedRow_ = cachedColumn_ = -1;
  endResetModel();
}

void SheetTableModel::GrowTo(int rows) {
  if (source_ == nullptr || rows <= gridRows_) return;
  beginInsertRows(QModelIndex(), gridRows_, rows - 1);
  gridRows_ = rows;
  endInsertRows();
}

void SheetTableModel::SyncColumnCount() {
  if (source_ == nullptr) return;
  const int columns = std::max(source_->ColumnCount(), 0);
  ForgetCachedCell();
  if (columns > columns_) {
    beginInsertColumns(QModelIndex(), columns_, columns - 1);
    columns_ = columns;
    endInsertColumns();
  } else if (columns < columns_) {
    beginRemoveColumns(QModelIndex(), columns, columns_ - 1);
    columns_ = columns;
    endRemoveColumns();
  }
}

const CellValue& SheetTableModel::Cell(int row, int column) const {
  if (row != cachedRow_ || column != cachedColumn_) {
    cached_ = CellValue{};
    if (source_ != nullptr) source_->CellText(column, row, cached_);
    cachedRow_ = row;
    cachedColumn_ = column;
  }
  return cached_;
}

int SheetTableModel::LastJoinedColumn() const { return std::min(kLastJoinedColumn, columns_ - 1); }

bool SheetTableModel::IsJoinedNoteCell(int row, int column) const {
  if (column < kFirstJoinedColumn || column > LastJoinedColumn()) return false;
  return Cell(row, column).joinNote;
}

void SheetTableModel::ForgetCachedCell() { cachedRow_ = cachedColumn_ = -1; }

void SheetTableModel::NotifyDisplayChanged() {
  ForgetCachedCell();
  if (gridRows_ > 0 && columns_ > 0) {
    // A range wider than one cell makes the view repaint what it shows, and
    // nothing more.
    emit dataChanged(index(0, 0), index(gridRows_ - 1, columns_ - 1));
  }
}

void SheetTableModel::NotifySheetChanged(int focusRow) {
  NotifyDisplayChanged();
  emit SheetChanged(focusRow);
}

void SheetTableModel::NotifyHeadingsChanged() {
  if (columns_ > 0) emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : gridRows_;
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
  if (source_ == nullptr || !index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return ToQString(Cell(index.row(), index.column()).text);
    case Qt::ForegroundRole:
      if (staleFrom_ >= 0 && index.column() >= staleFrom_) return QBrush(kStaleText);
      return QBrush(ToQColor(Cell(index.row(), index.column()).textColor));
    case Qt::BackgroundRole:
      if (IsJoinedNoteCell(index.row(), index.column())) return QBrush(ToQColor(kNoteBackground));
      return QBrush(Cell(index.row(), index.column()).doubt.empty() ? QColor(Qt::white)
                                                                    : kDoubtBackground);
    case Qt::ToolTipRole: {
      const std::string& doubt = Cell(index.row(), index.column()).doubt;
      return doubt.empty() ? QVariant() : QVariant(ToQString(doubt));
    }
    case Qt::FontRole:
      return font_;
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::FontRole) return font_;
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (source_ == nullptr) return {};
  return ToQString(source_->StoredHeading(section));
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  // The sheet's rows and the row after them take entries; further rows are
  // only room to scroll into.
  if (source_ != nullptr && index.row() <= source_->RowCount()) flags |= Qt::ItemIsEditable;
  return flags;
}

bool SheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (source_ == nullptr || !index.isValid() || role != Qt::EditRole) return false;
  const std::string text = Utf8ToCp1252(value.toString().toStdString());
  if (undo_ != nullptr) {
    EditCell(*this, *undo_, index.row(), index.column(), text);
  } else {
    QUndoStack unrecorded;
    EditCell(*this, unrecorded, index.row(), index.column(), text);
  }
  return true;
}

}  // namespace kestrel
