#pragma once
// The keys of undo and redo in the entry grid: the desktop's own, and Ctrl+Y
// and Ctrl+Shift+Z for redo whatever the desktop's convention.
class QKeyEvent;

namespace kestrel {

bool IsUndoKey(const QKeyEvent& key);
bool IsRedoKey(const QKeyEvent& key);

}  // namespace kestrel
