#include "setup/window/display_font_check.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <QMessageBox>
#include <QString>
#include <QWidget>

#include "common/system/atomic_file.h"
#include "platform/x11qt/x11_resources.h"
#include "setup/model/display_resolution.h"

namespace tw {
namespace {

constexpr const char* kTitle = "Tarnwick Setup Manager";

// Sets the resolution in the user's resource file, keeping every other line; the error
// text, or empty.
QString WriteUserResources(const QString& path) {
  int error = 0;
  const std::optional<std::string> old = ReadWholeFile(path.toStdString(), &error);
  if (!old && error != ENOENT) return path + ": " + QString::fromLocal8Bit(std::strerror(error));
  const std::string updated = WithResource(old.value_or(""), kFontResolutionResource, "96");
  if (!ReplaceFileAtomically(path.toStdString(), updated)) return path + " could not be written";
  return {};
}

}  // namespace

void RunDisplayFontCheck(QWidget* parent) {
  const X11Display display;
  const std::optional<std::string> resources = ReadServerResources(display);
  // Without an X display (or its database) there is nothing the kiosk would be scaled by.
  if (!resources || !ScalesTheKiosk(*resources)) return;
  const QString dpi = QString::fromStdString(ResourceValue(*resources, kFontResolutionResource).value_or(""));
  if (QMessageBox::information(
          parent, kTitle,
          "Setup Manager has detected that your system is not using small fonts (the display's font resolution, "
          "Xft.dpi, is " +
              dpi +
              " instead of 96, so the kiosk's windows would be drawn larger than they are laid "
              "out). You can make these changes yourself in your desktop's display settings or Setup Manager can make "
              "them for you.\n\nWould you like Setup Manager to change your display settings now?",
          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
    return;
  }
  const QString user_file = QDir::homePath() + "/.Xresources";
  const bool server_written = WriteServerResources(display, WithResource(*resources, kFontResolutionResource, "96"));
  // Verified, not assumed: the server is asked again.
  const std::optional<std::string> now = ReadServerResources(display);
  const bool server_ok = server_written && now && !ScalesTheKiosk(*now);
  const QString file_error = WriteUserResources(user_file);
  if (!server_ok || !file_error.isEmpty()) {
    QMessageBox::warning(
        parent, kTitle,
        "Setup Manager was unable to make the neccessary changes. \n\nTo effect them yourself put the line "
        "\"Xft.dpi: 96\" into ~/.Xresources of the kiosk's user and load it with \"xrdb -merge ~/.Xresources\"." +
            (file_error.isEmpty() ? QString() : "\n\n" + file_error));
    return;
  }
  QMessageBox::information(parent, kTitle,
                           "Your system font settings have been updated: the display's font resolution is 96 for "
                           "programs started from now on, and " +
                               user_file + " sets it for the next session. The kiosk uses it when it is restarted.");
}

}  // namespace tw
