#include "sheets/row_sheet.h"

#include <new>

#include "platform/file_access.h"
#include "platform/printf_format.h"

namespace kestrel {

int EntryColumnKind(int column, int lastNumberColumn) {
  if (column == 1) return 3;
  return column >= 2 && column <= lastNumberColumn ? 5 : 0;
}

int ColumnWidthOf(std::span<const int> widths, int column) {
  return column >= 0 && static_cast<std::size_t>(column) < widths.size()
             ? widths[static_cast<std::size_t>(column)]
             : 0;
}

bool FrameCellText(const CUGDataSource& sheet, int column, int row, CellValue& cell) {
  // Emptied in place: a caller that asks for cell after cell keeps the texts'
  // buffers instead of freeing and allocating them for every cell.
  cell.text.clear();
  cell.choices.clear();
  cell.textColor = kBlackText;
  cell.joinNote = false;
  cell.doubt.clear();
  if (column == -1 && row == -1) return true;
  if (column == -1) {
    cell.text = Sprintf("%1d", row + 1);
    return true;
  }
  if (row == -1) {
    cell.text = sheet.StoredHeading(column);
    return true;
  }
  return false;
}

bool SaveSheetFile(const std::string& path, Messages& messages, const char* what,
                   const std::function<void(ArchiveWriter&)>& write) {
  AtomicFileWriter file;
  bool saved = file.Begin(path);
  if (saved) {
    ArchiveWriter out(file.Get());
    write(out);
    if (!out.Flush()) file.NoteWriteFailure();
  }
  saved = saved && file.Commit();
  if (!saved) {
    messages.Show(
        Sprintf("Could not save the %s to %s: %s", what, path.c_str(), file.Reason().c_str()));
  }
  return saved;
}

SheetFileRead ReadSheetFile(const std::string& path, Messages& messages,
                            const std::function<void(ArchiveReader&)>& read) {
  ExclusiveFile file;
  if (!file.Open(path, ExclusiveFile::Mode::Read)) return SheetFileRead::NotOpened;
  try {
    ArchiveReader in(file.Get());
    read(in);
    if (in.ReadError() != 0) {
      messages.Show(
          Sprintf("Could not read all of %s: %s", path.c_str(), ErrorText(in.ReadError()).c_str()));
      return SheetFileRead::Failed;
    }
  } catch (const std::bad_alloc&) {
    messages.Show(Sprintf("Not enough memory to read %s", path.c_str()));
    return SheetFileRead::Failed;
  }
  return SheetFileRead::Read;
}

}  // namespace kestrel
