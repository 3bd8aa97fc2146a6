#pragma once
// The "Geodetic Values" dialog: the projection parameters with the named
// sets MGA and ISG and a custom one, and the editing flow that reads and
// saves them (the "Geoid parameters" command).
#include <QDialog>
#include <functional>
#include <string>

#include "adjust/geoid_parameters.h"

class QComboBox;
class QLineEdit;

namespace kestrel {

class Messages;

class CGeodeticValues : public QDialog {
  Q_OBJECT

 public:
  explicit CGeodeticValues(QWidget* parent = nullptr);

  void SetValues(const GeoidParameters& values);
  // The boxes read as numbers (text that is no number reads 0) and the
  // chosen name.
  GeoidParameters Values() const;

  QComboBox* NameList() const { return names_; }
  // Semi-major axis, flattening, zone width, central scale factor, false
  // easting, false northing.
  QLineEdit* Box(int index) const { return boxes_[index]; }

 private:
  void OnNameChosen(int index);

  QComboBox* names_;
  QLineEdit* boxes_[6];
};

// Reads the parameters file, lets `ask` edit them in the dialog and, when it
// returns true (OK), saves them; problems with the file are shown through
// `messages`. The file is written only when a value changed.
void EditGeodeticValues(const std::string& path, Messages& messages,
                        const std::function<bool(CGeodeticValues&)>& ask);

}  // namespace kestrel
