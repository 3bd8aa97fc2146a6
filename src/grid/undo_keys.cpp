#include "grid/undo_keys.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace kestrel {

bool IsUndoKey(const QKeyEvent& key) { return key.matches(QKeySequence::Undo); }

bool IsRedoKey(const QKeyEvent& key) {
  if (key.matches(QKeySequence::Redo)) return true;
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (key.key() == Qt::Key_Y && modifiers == Qt::ControlModifier) return true;
  return key.key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
}

}  // namespace kestrel
