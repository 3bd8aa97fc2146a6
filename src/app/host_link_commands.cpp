#include "app/host_link_commands.h"

#include <QUndoStack>
#include <QWidget>

#include "app/command_ids.h"
#include "app/command_router.h"
#include "app/imported_points_dialog.h"
#include "app/kestrel_doc.h"
#include "app/renumber_points.h"
#include "app/replace_table.h"
#include "app/sheet_registry.h"
#include "grid/my_cug.h"
#include "hostlink/code_table.h"
#include "hostlink/host_link_view.h"
#include "sheets/command_codes.h"

namespace kestrel {

HostLinkCommands::HostLinkCommands(CKestrelDoc& doc, MyCug& grid, QWidget& parent,
                                   std::function<void()> rowsChanged)
    : doc_(doc), grid_(grid), parent_(parent), rowsChanged_(std::move(rowsChanged)) {}

bool HostLinkCommands::Has(int code) const {
  const DesktopSheetKind* kind = doc_.ActiveKind();
  return doc_.ActiveSheet() != nullptr && kind != nullptr && kind->Implements(code);
}

void HostLinkCommands::Register(CommandRouter& router) {
  const auto add = [&](int id, int code, void (HostLinkCommands::*run)()) {
    router.Register(id, {[this, run] { (this->*run)(); }, [this, code] { return Has(code); }, {}});
  };
  add(kIdStoreInDatabase, kCmdFirstPoint, &HostLinkCommands::StoreDataInDatabase);
  add(kIdCheckDuplicates, kCmdFirstPoint, &HostLinkCommands::CheckForDuplicates);
  add(kIdObservationStrings, kCmdObservationStrings, &HostLinkCommands::StoreObservationsAsStrings);
  add(kIdGetDatabase, kCmdCollectMissing, &HostLinkCommands::GetDatabase);
  add(kIdRenumberPoints, kCmdRenumber, &HostLinkCommands::RenumberPoints);
  add(kIdReplaceCodeTable, kCmdCodeTable, &HostLinkCommands::ReplaceCodeTable);
}

void HostLinkCommands::RowsChanged() {
  grid_.UndoStack()->clear();  // rows changed outside the grid's own edits
  grid_.Refresh();
  grid_.RedrawAll();
  if (rowsChanged_) rowsChanged_();
}

void HostLinkCommands::StoreDataInDatabase() {
  SheetContext& context = doc_.Context();
  DialogReconciler reconciler(&parent_);
  HostLinkView view(*doc_.ActiveSheet());
  const SheetType type = doc_.ActiveKind()->type;
  const bool calculateFirst = type != SheetType::Traverse && Has(kCmdCalculate);
  view.StoreDataInDatabase({context.messages, context.shell, reconciler}, context.app.job,
                           calculateFirst, type == SheetType::Stadia);
  grid_.RedrawAll();  // the coordinates were calculated
}

void HostLinkCommands::CheckForDuplicates() {
  SheetContext& context = doc_.Context();
  HostLinkView view(*doc_.ActiveSheet());
  view.CheckForDuplicates(context.messages, context.shell, context.app.job);
}

void HostLinkCommands::StoreObservationsAsStrings() {
  HostLinkView view(*doc_.ActiveSheet());
  view.StoreObservationsAsStrings(doc_.Context().messages);
}

// The host's points go in at the top of the sheet as one step that Undo
// takes back.
void HostLinkCommands::GetDatabase() {
  CUGDataSource& sheet = *doc_.ActiveSheet();
  HostLinkView view(sheet);
  const int before = sheet.RowCount();
  if (view.GetDatabase(doc_.Context().messages) <= 0) return;
  grid_.RecordInsertedRows(0, sheet.RowCount() - before, QStringLiteral("Get Database"));
  grid_.Refresh();
  if (rowsChanged_) rowsChanged_();
}

void HostLinkCommands::RenumberPoints() {
  const std::optional<Renumbering> choice = AskRenumbering(&parent_);
  if (!choice) return;
  doc_.ActiveSheet()->Command(kCmdRenumber, choice->range, choice->start);
  RowsChanged();
}

void HostLinkCommands::ReplaceCodeTable() {
  CReplaceTable dialog(CodeTablePath(), doc_.Context().messages, &parent_);
  if (dialog.exec() != QDialog::Accepted) return;
  ApplyCodeTable(*doc_.ActiveSheet(), dialog.Rows());
  RowsChanged();
}

}  // namespace kestrel
