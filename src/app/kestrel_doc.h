#pragma once
// The document: one sheet of every registered kind for its whole life, of
// which the one whose type flag is set is read from and written to the
// document's file; the modified flag and the save prompt; the print options.
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/print_report_options.h"
#include "app/sheet_registry.h"
#include "platform/file_access.h"
#include "sheets/data_source.h"
#include "sheets/sheet_context.h"

namespace kestrel {

class CKestrelDoc : public QObject {
  Q_OBJECT

 public:
  enum class SaveAnswer { Save, Discard, Cancel };

  CKestrelDoc(SheetContext& context, const SheetRegistry& registry, QObject* parent = nullptr);
  ~CKestrelDoc() override;

  // The sheet whose type flag is set; nullptr when no flag is set or that kind
  // has no sheet in this build.
  CUGDataSource* ActiveSheet() const;
  const DesktopSheetKind* ActiveKind() const;
  CUGDataSource* Sheet(SheetType type) const;
  SheetContext& Context() const { return context_; }

  // An empty, untitled document.
  bool OnNewDocument();
  // Reads the file into the active sheet. A file that does not exist yet
  // gives an empty sheet under that name, so that saving creates it; a file
  // that exists but cannot be read gives an empty untitled sheet, so that
  // saving never overwrites it.
  bool OnOpenDocument(const std::string& path);
  // Writes the active sheet to `path`; true when the file was written. When
  // `path` is the document's file and another program changed it since it was
  // opened or saved, asks first; No leaves the file alone.
  bool OnSaveDocument(const std::string& path);
  // Empties every sheet.
  void DeleteContents();

  const std::string& PathName() const { return path_; }
  const SheetRegistry& Registry() const { return registry_; }
  void SetPathName(const std::string& path);
  // The file name shown in the title bar, or "Untitled".
  QString Title() const;

  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified = true);

  // Before the document is closed or replaced: offers to save a modified
  // document. False when the user cancels (or saving failed).
  bool SaveModified();
  // Saves under the document's name, asking for one when it has none.
  bool DoFileSave();
  // Asks for a name and saves under it.
  bool DoSaveAs();

  PrintOptions& Printing() { return printing_; }

  // The questions the document asks; the desktop's dialogs unless replaced.
  std::function<SaveAnswer(const QString& title)> askSave;
  std::function<std::optional<std::string>(const std::string& currentPath)> askSaveAsName;
  // Told of every file opened or saved (the recent-file list).
  std::function<void(const std::string& path)> fileUsed;

 signals:
  // A new or opened document: views attach the active sheet again.
  void DocumentChanged();
  void ModifiedChanged(bool modified);
  void TitleChanged();

 private:
  // A sheet opened from a file of a kind it also reads (precision stadia from
  // a stadia file) is saved under its own kind's name of the same job and
  // number.
  void MoveToOwnFileName();

  SheetContext& context_;
  const SheetRegistry& registry_;
  std::array<std::unique_ptr<CUGDataSource>, kSheetTypeCount> sheets_;
  std::string path_;
  // The document's file as it was last read or written here.
  std::optional<FileStamp> stamp_;
  bool modified_ = false;
  PrintOptions printing_;
};

// The name a document of `type` read from a file of the kind it also reads is
// saved under: the type's file name for the drive, folder, job and number the
// path holds ("c:\data\stad3.tst" -> "c:\data\tst.precisionstadia3").
// nullopt when the path needs no change.
std::optional<std::string> SavePathForKind(SheetType type, const std::string& path);

}  // namespace kestrel
