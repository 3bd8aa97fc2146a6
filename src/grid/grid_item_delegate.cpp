#include "grid/grid_item_delegate.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringList>
#include <QUndoStack>

#include "grid/grid_commands.h"
#include "grid/grid_font.h"
#include "grid/sheet_table_model.h"
#include "grid/undo_keys.h"
#include "platform/text_encoding.h"

namespace kestrel {

namespace {

// The editor remembers its row: the type keys act on that row of the sheet.
constexpr const char* kRowProperty = "kestrelSheetRow";

// The keywords of a "\n"-terminated choice list.
QStringList ChoiceItems(const std::string& choices) {
  return QString::fromStdString(Cp1252ToUtf8(choices)).split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace

GridItemDelegate::GridItemDelegate(SheetTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QWidget* GridItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
  QWidget* editor = nullptr;
  if (index.column() == 0) {
    auto* list = new QComboBox(parent);
    list->setEditable(false);
    list->addItems(ChoiceItems(model_.Cell(index.row(), 0).choices));
    editor = list;
  } else {
    editor = QStyledItemDelegate::createEditor(parent, option, index);
  }
  if (editor != nullptr) {
    editor->setFont(GridCellFont());
    editor->setProperty(kRowProperty, index.row());
  }
  return editor;
}

void GridItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    list->setCurrentIndex(list->findText(index.data(Qt::EditRole).toString()));
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void GridItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    // A drop list with nothing chosen leaves the type as it is.
    if (list->currentIndex() >= 0) model->setData(index, list->currentText(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

void GridItemDelegate::CycleType(QWidget* editor, char key) {
  auto* list = qobject_cast<QComboBox*>(editor);
  QUndoStack* stack = model_.UndoStack();
  if (list == nullptr || stack == nullptr) return;
  const int row = editor->property(kRowProperty).toInt();
  CycleRowType(model_, *stack, row, key);
  const CellValue& cell = model_.Cell(row, 0);
  if (list->count() == 0) list->addItems(ChoiceItems(cell.choices));
  list->setCurrentIndex(list->findText(QString::fromStdString(Cp1252ToUtf8(cell.text))));
}

bool GridItemDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(object);
  if (editor != nullptr && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      emit commitData(editor);
      emit closeEditor(editor, QAbstractItemDelegate::NoHint);
      emit EnterPressed();
      return true;
    }
    if (qobject_cast<QComboBox*>(editor) != nullptr) {
      // The drop list has no undo of its own: the grid's steps answer the
      // keys, and the list then shows the type put back.
      if (QUndoStack* stack = model_.UndoStack(); stack != nullptr) {
        if (IsUndoKey(*key)) {
          stack->undo();
          return true;
        }
        if (IsRedoKey(*key)) {
          stack->redo();
          return true;
        }
      }
      const QString text = key->text();
      if (text == QStringLiteral(" ") || text == QStringLiteral("+") ||
          text == QStringLiteral("-")) {
        CycleType(editor, static_cast<char>(text.at(0).unicode()));
        return true;
      }
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace kestrel
