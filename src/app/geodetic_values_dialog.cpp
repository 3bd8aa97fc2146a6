#include "app/geodetic_values_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "adjust/geoid_data.h"
#include "app/qt_ports.h"
#include "platform/number_text.h"
#include "platform/ports.h"
#include "platform/printf_format.h"

namespace kestrel {

namespace {
constexpr const char* kLabels[6] = {"Semi-major Axis",      "Flattening",    "Zone Width",
                                    "Central Scale Factor", "False Easting", "False Northing"};
// The dialog's control numbers, kept as object names for tests and tools.
constexpr int kBoxIds[6] = {1059, 1060, 1061, 1062, 1064, 1063};
constexpr int kNameListId = 1065;

double* Field(GeoidParameters& v, int index) {
  double* fields[6] = {&v.a, &v.invF, &v.zoneWidth, &v.k0, &v.FE, &v.FN};
  return fields[index];
}
}  // namespace

CGeodeticValues::CGeodeticValues(QWidget* parent) : QDialog(parent), names_(new QComboBox(this)) {
  setWindowTitle("Geodetic Values");
  auto* form = new QFormLayout;
  names_->setObjectName(QString::number(kNameListId));
  names_->addItems({kPresetCustom, kPresetIsg, kPresetMga});
  form->addRow(names_);
  for (int i = 0; i < 6; ++i) {
    boxes_[i] = new QLineEdit(this);
    boxes_[i]->setObjectName(QString::number(kBoxIds[i]));
    form->addRow(kLabels[i], boxes_[i]);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(names_, &QComboBox::activated, this, &CGeodeticValues::OnNameChosen);
}

void CGeodeticValues::SetValues(const GeoidParameters& values) {
  GeoidParameters v = values;
  for (int i = 0; i < 6; ++i) {
    boxes_[i]->setText(QString::fromStdString(Sprintf("%.10g", *Field(v, i))));
  }
  const int index = names_->findText(ToQt(values.name));
  names_->setCurrentIndex(index >= 0 ? index : 0);
}

GeoidParameters CGeodeticValues::Values() const {
  GeoidParameters v;
  for (int i = 0; i < 6; ++i) *Field(v, i) = ReadDouble(FromQt(boxes_[i]->text()));
  v.name = FromQt(names_->currentText());
  return v;
}

// A named set fills the boxes; CUSTOM leaves them as typed.
void CGeodeticValues::OnNameChosen(int index) {
  GeoidParameters preset;
  if (!PresetGeoidParameters(FromQt(names_->itemText(index)), preset)) return;
  SetValues(preset);
}

void EditGeodeticValues(const std::string& path, Messages& messages,
                        const std::function<bool(CGeodeticValues&)>& ask) {
  CGeoidData data(path);
  if (!data.ReadMessage().empty()) messages.Show(data.ReadMessage());
  CGeodeticValues dialog;
  dialog.SetValues(data.values);
  if (!ask(dialog)) return;
  data.values = dialog.Values();
  if (const std::string problem = data.Store(); !problem.empty()) messages.Show(problem);
}

}  // namespace kestrel
