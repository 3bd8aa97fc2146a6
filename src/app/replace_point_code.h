#pragma once
// "Replace Point Code": the code to replace and its replacement.
#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace kestrel {

struct CodeReplacement {
  std::string oldCode;  // Windows-1252
  std::string newCode;
};

class CReplacePointCode : public QDialog {
  Q_OBJECT

 public:
  explicit CReplacePointCode(QWidget* parent = nullptr);
  CodeReplacement Replacement() const;

 private:
  QLineEdit* oldCode_;
  QLineEdit* newCode_;
};

// Shows the dialog; nullopt on Cancel.
std::optional<CodeReplacement> AskCodeReplacement(QWidget* parent);

}  // namespace kestrel
