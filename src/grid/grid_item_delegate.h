#pragma once
// The entry grid's in-cell editors. Column 0 edits with a drop list of the
// sheet's row-type keywords, in which space, "+" and "-" step the row's type at
// once; every other column edits with a line editor. Enter in either hands the
// text to the sheet and asks the grid for the Enter key's movement.
#include <QStyledItemDelegate>

namespace kestrel {

class SheetTableModel;

class GridItemDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  GridItemDelegate(SheetTableModel& model, QObject* parent = nullptr);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 signals:
  // Enter was pressed in an editor; its text has been handed to the sheet and
  // the editor closed.
  void EnterPressed();

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  // Steps the type of the drop list's row and shows the row's new keyword.
  void CycleType(QWidget* editor, char key);

  SheetTableModel& model_;
};

}  // namespace kestrel
