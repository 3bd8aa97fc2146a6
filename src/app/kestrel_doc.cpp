#include "app/kestrel_doc.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/qt_ports.h"
#include "job/path_parts.h"
#include "job/table_selection.h"
#include "platform/file_access.h"
#include "platform/number_text.h"
#include "platform/printf_format.h"

namespace kestrel {
namespace {

CKestrelDoc::SaveAnswer AskSaveOnScreen(const QString& title) {
  const auto answer = QMessageBox::question(
      nullptr, "Kestrel", QString("Save changes to %1?").arg(title),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Yes) return CKestrelDoc::SaveAnswer::Save;
  if (answer == QMessageBox::No) return CKestrelDoc::SaveAnswer::Discard;
  return CKestrelDoc::SaveAnswer::Cancel;
}

std::optional<std::string> AskSaveAsNameOnScreen(const std::string& currentPath) {
  const QString chosen = QFileDialog::getSaveFileName(nullptr, "Save As", PathToQt(currentPath));
  if (chosen.isEmpty()) return std::nullopt;
  return PathFromQt(chosen);
}

}  // namespace

std::optional<std::string> SavePathForKind(SheetType type, const std::string& path) {
  const std::optional<SheetType> reads = SheetTypeInfoOf(type).readsFilesOf;
  const std::optional<SheetNameMatch> match = RecognizeSheetFile(path);
  if (!reads || !match || match->type != *reads) return std::nullopt;
  return RebuildSheetPath(path, type, match->number);
}

CKestrelDoc::CKestrelDoc(SheetContext& context, const SheetRegistry& registry, QObject* parent)
    : QObject(parent),
      askSave(AskSaveOnScreen),
      askSaveAsName(AskSaveAsNameOnScreen),
      context_(context),
      registry_(registry) {
  for (const SheetTypeInfo& info : SheetTypeTable()) {
    sheets_[static_cast<int>(info.type)] = registry_.Core().Make(info.type, context_);
  }
}

CKestrelDoc::~CKestrelDoc() = default;

CUGDataSource* CKestrelDoc::ActiveSheet() const {
  const std::optional<SheetType> type = context_.app.flags.First();
  return type ? Sheet(*type) : nullptr;
}

const DesktopSheetKind* CKestrelDoc::ActiveKind() const {
  const std::optional<SheetType> type = context_.app.flags.First();
  return type ? registry_.Find(*type) : nullptr;
}

CUGDataSource* CKestrelDoc::Sheet(SheetType type) const {
  return sheets_[static_cast<int>(type)].get();
}

bool CKestrelDoc::OnNewDocument() {
  DeleteContents();
  SetPathName({});
  SetModifiedFlag(false);
  emit DocumentChanged();
  return true;
}

bool CKestrelDoc::OnOpenDocument(const std::string& path) {
  DeleteContents();
  CUGDataSource* sheet = ActiveSheet();
  std::string name = path;
  // Taken before reading: a change while the file is read counts as a change.
  stamp_ = StampOf(path);
  if (sheet != nullptr && FileExists(path) && sheet->LoadFromFile(path) != 1) {
    context_.messages.Show(Sprintf("failed to open file %s", path.c_str()));
    DeleteContents();
    name.clear();
  }
  SetPathName(name);
  SetModifiedFlag(false);
  if (!name.empty() && fileUsed) fileUsed(name);
  emit DocumentChanged();
  return !name.empty();
}

bool CKestrelDoc::OnSaveDocument(const std::string& path) {
  CUGDataSource* sheet = ActiveSheet();
  if (sheet == nullptr) return false;
  // Another program (or another Kestrel) wrote the file since it was opened:
  // saving now would throw its work away unasked.
  if (path == path_ && StampOf(path) != stamp_ &&
      !context_.messages.AskYesNo(
          Sprintf("%s has been changed by another program since it was opened.\n"
                  "Save over it?",
                  path.c_str()))) {
    return false;
  }
  if (sheet->SaveToFile(path) != 1) return false;
  stamp_ = StampOf(path);
  SetPathName(path);
  SetModifiedFlag(false);
  if (fileUsed) fileUsed(path);
  return true;
}

// Rows are removed from the end, so that emptying a long sheet stays linear.
void CKestrelDoc::DeleteContents() {
  for (const std::unique_ptr<CUGDataSource>& sheet : sheets_) {
    if (!sheet) continue;
    for (int row = sheet->RowCount() - 1; row >= 0; --row) sheet->DeleteRow(row);
  }
}

void CKestrelDoc::SetPathName(const std::string& path) {
  if (path == path_) return;
  path_ = path;
  emit TitleChanged();
}

QString CKestrelDoc::Title() const {
  return path_.empty() ? QString("Untitled") : QFileInfo(PathToQt(path_)).fileName();
}

void CKestrelDoc::SetModifiedFlag(bool modified) {
  if (modified == modified_) return;
  modified_ = modified;
  emit ModifiedChanged(modified_);
}

void CKestrelDoc::MoveToOwnFileName() {
  const std::optional<SheetType> type = context_.app.flags.First();
  if (!type || path_.empty()) return;
  const std::optional<std::string> moved = SavePathForKind(*type, path_);
  if (!moved) return;
  stamp_ = StampOf(*moved);
  SetPathName(*moved);
  if (fileUsed) fileUsed(*moved);
}

bool CKestrelDoc::SaveModified() {
  MoveToOwnFileName();
  if (!modified_) return true;
  switch (askSave(Title())) {
    case SaveAnswer::Save:
      return DoFileSave();
    case SaveAnswer::Discard:
      return true;
    case SaveAnswer::Cancel:
      break;
  }
  return false;
}

bool CKestrelDoc::DoFileSave() {
  if (path_.empty()) return DoSaveAs();
  return OnSaveDocument(path_);
}

bool CKestrelDoc::DoSaveAs() {
  const std::optional<std::string> path = askSaveAsName(path_);
  return path && OnSaveDocument(*path);
}

}  // namespace kestrel
