#pragma once
// The view's commands that talk to the host's point database (Store Data in
// Database, Check for Duplicates, Store Observations as Strings, Get
// Database) and the point tools with dialogs of their own (Renumber Points,
// Replace Code Table). Each reaches the sheet through its Command codes and
// is enabled when the active kind carries them.
#include <functional>

class QWidget;

namespace kestrel {

class CKestrelDoc;
class CommandRouter;
class MyCug;

class HostLinkCommands {
 public:
  // `rowsChanged` runs after a command changed the sheet's rows.
  HostLinkCommands(CKestrelDoc& doc, MyCug& grid, QWidget& parent,
                   std::function<void()> rowsChanged);
  void Register(CommandRouter& router);

  void StoreDataInDatabase();
  void CheckForDuplicates();
  void StoreObservationsAsStrings();
  void GetDatabase();
  void RenumberPoints();
  void ReplaceCodeTable();

 private:
  bool Has(int code) const;
  void RowsChanged();

  CKestrelDoc& doc_;
  MyCug& grid_;
  QWidget& parent_;
  std::function<void()> rowsChanged_;
};

}  // namespace kestrel
