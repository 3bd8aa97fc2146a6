#pragma once
// "Replace Table": the code replacement table, 200 rows of code and
// replacement, read from and written back to the "codenines" file.
#include <QDialog>
#include <string>
#include <vector>

#include "hostlink/code_table.h"
#include "platform/ports.h"

class QTableWidget;

namespace kestrel {

class CReplaceTable : public QDialog {
  Q_OBJECT

 public:
  // Filled from `path` when the file exists.
  CReplaceTable(std::string path, Messages& messages, QWidget* parent = nullptr);

  QTableWidget* Table() const { return table_; }
  std::vector<CodeTableRow> Rows() const;

  // OK writes the file; Cancel asks "Do you wish to save table" and writes
  // it on Yes. Either way the caller replaces only after OK.
  void accept() override;
  void reject() override;

 private:
  void Save();

  std::string path_;
  Messages& messages_;
  QTableWidget* table_;
};

}  // namespace kestrel
