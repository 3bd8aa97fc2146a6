#include "app/replace_table.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/qt_ports.h"

namespace kestrel {

CReplaceTable::CReplaceTable(std::string path, Messages& messages, QWidget* parent)
    : QDialog(parent),
      path_(std::move(path)),
      messages_(messages),
      table_(new QTableWidget(kCodeTableRows, 2, this)) {
  setWindowTitle("Replace Table");
  table_->setHorizontalHeaderLabels({"Code", "Replace"});
  QStringList rowHeadings;
  for (int row = 0; row < kCodeTableRows; ++row) rowHeadings << QString::number(row);
  table_->setVerticalHeaderLabels(rowHeadings);
  const std::vector<CodeTableRow> rows = ReadCodeTable(path_);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    table_->setItem(static_cast<int>(row), 0, new QTableWidgetItem(ToQt(rows[row].code)));
    table_->setItem(static_cast<int>(row), 1, new QTableWidgetItem(ToQt(rows[row].replacement)));
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CReplaceTable::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CReplaceTable::reject);
}

std::vector<CodeTableRow> CReplaceTable::Rows() const {
  std::vector<CodeTableRow> rows;
  for (int row = 0; row < kCodeTableRows; ++row) {
    const QTableWidgetItem* code = table_->item(row, 0);
    const QTableWidgetItem* replacement = table_->item(row, 1);
    rows.push_back({code ? FromQt(code->text()) : std::string(),
                    replacement ? FromQt(replacement->text()) : std::string()});
  }
  return rows;
}

void CReplaceTable::Save() { WriteCodeTable(path_, Rows()); }

void CReplaceTable::accept() {
  Save();
  QDialog::accept();
}

void CReplaceTable::reject() {
  if (messages_.AskYesNo("Do you wish to save table")) Save();
  QDialog::reject();
}

}  // namespace kestrel
