#pragma once
// "Point Code to Get": the point code the grid searches for.
#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace kestrel {

class CGetPointCode : public QDialog {
  Q_OBJECT

 public:
  explicit CGetPointCode(QWidget* parent = nullptr);
  // The code as the sheet holds texts (Windows-1252).
  std::string Code() const;

 private:
  QLineEdit* code_;
};

// Shows the dialog; nullopt on Cancel.
std::optional<std::string> AskPointCode(QWidget* parent);

}  // namespace kestrel
