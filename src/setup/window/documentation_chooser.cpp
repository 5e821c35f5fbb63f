#include "setup/window/documentation_chooser.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include "common/texts/rtf_reader.h"

namespace tw {
namespace {

constexpr const char* kTitle = "Tarnwick Technical Documentation";
constexpr const char* kGuideTitle = "Getting started with Tarnwick in Ten Minutes";
constexpr const char* kDocumentError =
    "Setup Manager tried to view your Tarnwick Technical Documentation. The following error occurred.\n\n";
constexpr const char* kGuideError =
    "Setup Manager tried to view your Tarnwick Ten Minute Guide. The following error occurred.\n\n";

}  // namespace

DocumentationChooser::DocumentationChooser(const QString& folder, QWidget* parent)
    : QDialog(parent),
      folder_(folder),
      text_(new QLabel(this)),
      prompt_(new QLabel("Please select a document.", this)),
      guide_(new QTextBrowser(this)),
      html_(new QPushButton("HTML", this)),
      guide_button_(new QPushButton("10 Minute Guide", this)),
      cancel_(new QPushButton("Cancel", this)),
      print_(new QPushButton("Print", this)) {
  setWindowTitle(kTitle);
  // There is one full document, in HTML; the description's second format has no
  // counterpart here, so its button is left out rather than offered and always failing.
  text_->setText(
      "The technical documentation for Tarnwick is provided as an HTML web page. Additionally you might "
      "wish to view our 10 minute guide to Tarnwick.");
  text_->setWordWrap(true);
  text_->setGeometry(12, 12, 336, 54);
  prompt_->setGeometry(12, 72, 336, 20);
  html_->setGeometry(12, 104, 104, 28);
  guide_button_->setGeometry(124, 104, 120, 28);
  cancel_->setGeometry(252, 104, 96, 28);
  guide_->hide();
  print_->hide();
  setFixedSize(360, 144);
  connect(html_, &QPushButton::clicked, this, [this] {
    chosen_ = kHtmlFile;
    accept();
  });
  connect(guide_button_, &QPushButton::clicked, this, &DocumentationChooser::ShowGuide);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(print_, &QPushButton::clicked, this, &DocumentationChooser::PrintGuide);
}

void DocumentationChooser::ShowGuide() {
  const QString path = folder_ + kGuideFile;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    QMessageBox::critical(this, windowTitle(),
                          QString(kGuideError) + (QFileInfo::exists(path)
                                                      ? "The file " + path + " could not be read: " + file.errorString()
                                                      : "The specified file, " + path + " was not found."));
    reject();
    return;
  }
  const QByteArray rtf = file.readAll();
  setWindowTitle(kGuideTitle);
  text_->hide();
  prompt_->hide();
  html_->hide();
  guide_button_->hide();
  guide_->setHtml(
      QString::fromStdString(RtfToHtml(std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size())))));
  guide_->setGeometry(12, 12, 621, 500);
  guide_->show();
  cancel_->setText("OK");
  cancel_->setGeometry(325, 524, 96, 28);
  print_->setGeometry(218, 524, 96, 28);
  print_->show();
  setFixedSize(645, 582);
  if (const QScreen* screen = this->screen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void DocumentationChooser::PrintGuide() {
  if (QPrinterInfo::defaultPrinter().isNull()) {
    QMessageBox::warning(this, windowTitle(), "No printer is set up on this computer, so the guide cannot be printed.");
    return;
  }
  QPrinter printer;
  printer.setDocName(QString(kGuideTitle) + ".");
  guide_->document()->print(&printer);
}

QString DocumentationChooser::OpenDocument(const QString& folder, const QString& file) {
  if (!QFileInfo(folder).isDir()) return QString(kDocumentError) + "The specified path, " + folder + " was not found.";
  const QString path = folder + file;
  const QFileInfo info(path);
  if (!info.exists()) return QString(kDocumentError) + "The specified file, " + path + " was not found.";
  if (!info.isReadable()) return QString(kDocumentError) + "The operating system denied access to " + path + ".";
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    return QString(kDocumentError) + "No program to show " + path + " was found.";
  }
  return {};
}

}  // namespace tw
