#include "kiosk/panels/error_dialog.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>

#include "common/geometry/scaled_geometry.h"
#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/picture_box.h"
#include "kiosk/panels/panel_button.h"
#include "kiosk/panels/toolbar_glyphs.h"
#include "widgets/tiled_bitmap.h"

namespace tw {
namespace {

constexpr int kGlyphSize = 24;  // design pixels of a built-in glyph frame

QFrame* Bevel(QWidget* parent, const char* name, QRect geometry, QFrame::Shadow shadow) {
  auto* bevel = new QFrame(parent);
  bevel->setObjectName(name);
  bevel->setFrameStyle(QFrame::Panel | shadow);
  bevel->setGeometry(geometry);
  return bevel;
}

}  // namespace

ErrorDialog::ErrorDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("DialogError");
  setAccessibleName("Error");
  setWindowTitle("DialogError");
  setModal(true);
  setFixedSize(432, 121);
  tiled_ = new TiledBitmap(this);
  tiled_->setObjectName("TiledBitmap");
  tiled_->setGeometry(0, 0, 432, 121);
  Bevel(this, "Bevel1", QRect(0, 0, 432, 121), QFrame::Raised);
  Bevel(this, "Bevel2", QRect(8, 8, 417, 41), QFrame::Sunken);
  Bevel(this, "Bevel3", QRect(8, 56, 417, 57), QFrame::Sunken);
  message_ = new QLabel(this);
  message_->setObjectName("ErrorMessage");
  message_->setAlignment(Qt::AlignCenter);
  message_->setGeometry(16, 17, 401, 20);
  QFont f = message_->font();
  f.setPixelSize(16);
  message_->setFont(f);
  ok_ = new PanelButton(this);
  ok_->setObjectName("BOK");
  ok_->setText("OK");
  ok_->setGeometry(360, 64, 57, 41);
  cancel_ = new PanelButton(this);
  cancel_->setObjectName("BCancel");
  cancel_->setText("Cancel");
  cancel_->setGeometry(296, 64, 57, 41);
  cancel_->hide();
  connect(ok_, &QAbstractButton::clicked, this, &ErrorDialog::OkClicked);
  connect(cancel_, &QAbstractButton::clicked, this, &ErrorDialog::CancelClicked);
  timer_.setInterval(1000);
  connect(&timer_, &QTimer::timeout, this, &ErrorDialog::SecondTick);
}

void ErrorDialog::SetSoundPlayer(ButtonSoundPlayer* player) {
  ok_->SetSoundPlayer(player);
  cancel_->SetSoundPlayer(player);
}

void ErrorDialog::Apply(const ErrorDialogConfig& config, double scale) {
  if (PictureFileExists(config.background)) tiled_->SetBitmap(QPixmap(QString::fromStdString(config.background)));
  ok_->setText(QString::fromStdString(config.ok_caption));
  cancel_->setText(QString::fromStdString(config.cancel_caption));
  ok_->SetGlyph(BuiltInGlyph("OK", Scaled(kGlyphSize, scale)));
  cancel_->SetGlyph(BuiltInGlyph("Cancel", Scaled(kGlyphSize, scale)));
  ok_->SetNumGlyphs(config.ok_glyph_count);
  cancel_->SetNumGlyphs(config.cancel_glyph_count);
  ok_->SetSound(config.ok_sound);
  ok_->SetCustomSound(config.ok_wav);
  cancel_->SetSound(config.cancel_sound);
  cancel_->SetCustomSound(config.cancel_wav);
  for (auto [button, glyph] : {std::pair{ok_, &config.ok_glyph}, std::pair{cancel_, &config.cancel_glyph}}) {
    if (PictureFileExists(*glyph)) button->SetGlyph(QPixmap(QString::fromStdString(*glyph)));
  }
  setFixedSize(Scaled(432, scale), Scaled(121, scale));
  ScaleControls(this, scale);
  QFont f = message_->font();
  f.setPixelSize(std::max(1, Scaled(16, scale)));
  message_->setFont(f);
}

void ErrorDialog::ShowMessage(const std::string& text) {
  message_->setText(QString::fromStdString(text));
  exec();
}

bool ErrorDialog::AskQuestion(const std::string& text) {
  message_->setText(QString::fromStdString(text));
  cancel_->show();
  exec();
  cancel_->hide();
  return ok_pressed_;
}

void ErrorDialog::OpenMessage(const std::string& text) {
  message_->setText(QString::fromStdString(text));
  setWindowModality(Qt::ApplicationModal);
  show();
}

void ErrorDialog::OkClicked() {
  ok_pressed_ = true;
  done(QDialog::Accepted);
}

void ErrorDialog::CancelClicked() { done(QDialog::Rejected); }

void ErrorDialog::reject() {}

void ErrorDialog::SecondTick() {
  if (!auto_close_.Tick()) return;
  // The button's action, without its press sound.
  if (cancel_->isVisible()) {
    CancelClicked();
  } else {
    OkClicked();
  }
}

void ErrorDialog::showEvent(QShowEvent* event) {
  Centre();
  ok_pressed_ = false;
  auto_close_.Start();
  timer_.start();
  QDialog::showEvent(event);
}

void ErrorDialog::hideEvent(QHideEvent* event) {
  timer_.stop();
  auto_close_.Stop();
  QDialog::hideEvent(event);
}

void ErrorDialog::Centre() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 800, 600);
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

}  // namespace tw
