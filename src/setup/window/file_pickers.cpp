#include "setup/window/file_pickers.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>

#include "common/addresses/local_url.h"
#include "setup/model/colour_value.h"

namespace tw {

std::optional<QString> PickFile(QWidget* parent, Picker picker, const QString& current, bool local_url) {
  const PickerSpec& spec = GetPickerSpec(picker);
  QString start = current;
  if (local_url) {
    const auto path = PathFromLocalUrl(current.toStdString());
    start = path && !path->drive_form ? QString::fromStdString(path->path) : QString();
  }
  QFileDialog dialog(parent, QString::fromUtf8(spec.title.data(), static_cast<int>(spec.title.size())));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(QString::fromUtf8(spec.filter.data(), static_cast<int>(spec.filter.size())));
  if (!spec.default_suffix.empty()) {
    dialog.setDefaultSuffix(
        QString::fromUtf8(spec.default_suffix.data(), static_cast<int>(spec.default_suffix.size())));
  }
  const QFileInfo info(start);
  if (!start.isEmpty()) {
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().first();
  if (local_url) return QString::fromStdString(LocalUrlFromPath(chosen.toStdString()));
  return chosen;
}

std::optional<QString> PickColour(QWidget* parent, const QString& current) {
  const Rgb rgb = RgbFromColourValue(current.toStdString());
  const QColor chosen = QColorDialog::getColor(QColor(rgb.red, rgb.green, rgb.blue), parent);
  if (!chosen.isValid()) return std::nullopt;
  return QString::fromStdString(
      ColourValueFromRgb({static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
                          static_cast<std::uint8_t>(chosen.blue())}));
}

}  // namespace tw
