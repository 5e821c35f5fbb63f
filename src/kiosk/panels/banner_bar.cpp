#include "kiosk/panels/banner_bar.h"

#include <QMouseEvent>
#include <QPainter>

#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/picture_box.h"
#include "widgets/analog_clock.h"
#include "widgets/tiled_bitmap.h"

namespace tw {
namespace {

QFrame* MakeBevel(QWidget* parent, const char* name, QRect geometry, QFrame::Shadow shadow) {
  auto* bevel = new QFrame(parent);
  bevel->setObjectName(name);
  bevel->setFrameStyle(QFrame::Panel | shadow);
  bevel->setGeometry(geometry);
  return bevel;
}

QWidget* MakeBlock(QWidget* parent, const char* name, QRect geometry) {
  auto* block = new QWidget(parent);
  block->setObjectName(name);
  block->setAutoFillBackground(true);
  QPalette p = block->palette();
  p.setColor(QPalette::Window, p.color(QPalette::Button));
  block->setPalette(p);
  block->setGeometry(geometry);
  return block;
}

}  // namespace

QPixmap BuiltInBanner(QSize size) {
  QPixmap picture(size);
  picture.fill(QColor(0x2f, 0x4f, 0x6f));
  QPainter painter(&picture);
  painter.setPen(Qt::white);
  QFont f = painter.font();
  f.setPixelSize(std::max(8, size.height() / 2));
  painter.setFont(f);
  painter.drawText(picture.rect(), Qt::AlignCenter, "Tarnwick");
  return picture;
}

QPixmap BuiltInLogo(QSize size) {
  QPixmap picture(size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0x2f, 0x4f, 0x6f));
  painter.setPen(Qt::NoPen);
  const int side = std::min(size.width(), size.height()) - 4;
  painter.drawEllipse(QRect((size.width() - side) / 2, (size.height() - side) / 2, side, side));
  painter.setPen(Qt::white);
  QFont f = painter.font();
  f.setPixelSize(std::max(6, side / 2));
  f.setBold(true);
  painter.setFont(f);
  painter.drawText(picture.rect(), Qt::AlignCenter, "T");
  return picture;
}

QPixmap CannotLoadBannerPicture(QSize size, const QFont& font, const std::string& file) {
  QPixmap picture(size);
  picture.fill(Qt::black);
  QPainter painter(&picture);
  painter.setFont(font);
  painter.setPen(Qt::yellow);
  const QString text = QString::fromStdString(CannotLoadBannerText(file));
  const QFontMetrics metrics(font);
  // Integer halves, as the text is placed by its top-left corner.
  const int x = (size.width() - metrics.horizontalAdvance(text)) / 2;
  const int y = (size.height() - metrics.height()) / 2;
  painter.drawText(x, y + metrics.ascent(), text);
  return picture;
}

BannerBar::BannerBar(PanelEvents& events, const BannerBarConfig& config, double screen_scale, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      events_(events),
      config_(config),
      rotation_(std::make_unique<BannerRotation>(config_)) {
  setObjectName("FormTop");
  setWindowTitle("FormTop");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  setGeometry(0, 0, 800, 60);
  // The background first: everything else lies on it.
  tiled_ = new TiledBitmap(this);
  tiled_->setObjectName("TiledBitmap");
  tiled_->setGeometry(0, 0, 800, 60);
  MakeBevel(this, "Bevel1", QRect(0, 0, 800, 60), QFrame::Raised);
  block1_ = MakeBlock(this, "Block1", QRect(1, 1, 23, 59));
  block2_ = MakeBlock(this, "Block2", QRect(726, 1, 73, 59));
  bevel3_ = MakeBevel(this, "Bevel3", QRect(4, 4, 52, 52), QFrame::Sunken);
  MakeBevel(this, "Bevel2", QRect(60, 4, 681, 52), QFrame::Sunken);
  MakeBevel(this, "Bevel4", QRect(744, 4, 52, 52), QFrame::Sunken);
  clock_ = new AnalogClock(this);
  clock_->setObjectName("AnalogClock");
  clock_->setGeometry(5, 5, 50, 50);
  clock_->SetInterval(1);
  banner_ = new PictureBox(this);
  banner_->setObjectName("Banner");
  banner_->setGeometry(62, 5, 677, 50);
  banner_->SetPicture(BuiltInBanner(QSize(677, 50)));
  banner_->OnClick = [this] { BannerClick(); };
  image_ = new PictureBox(this);
  image_->setObjectName("Image");
  image_->setGeometry(745, 5, 50, 50);
  image_->SetCentered(true);
  image_->SetPicture(BuiltInLogo(QSize(50, 50)));
  image_->OnClick = [this] { ImageClick(); };
  for (QWidget* w : {static_cast<QWidget*>(clock_), block1_, block2_}) w->installEventFilter(this);

  if (PictureFileExists(config_.logo_file)) LoadPicture(image_, config_.logo_file);
  if (PictureFileExists(config_.background)) {
    tiled_->SetBitmap(QPixmap(QString::fromStdString(config_.background)));
  }
  ApplyClockSettings();
  // Scaled: the form and every control, rounded; the pictures keep their own size.
  setGeometry(ToQRect(Scaled(Rect{0, 0, 800, 60}, screen_scale)));
  ScaleControls(this, screen_scale);
  if (rotation_->count() > 0 && PictureFileExists(config_.graphics[0])) LoadPicture(banner_, config_.graphics[0]);
  setAccessibleName("Banner bar");
  image_->setAccessibleName("Logo");
  DescribeBanner(0);
}

void BannerBar::DescribeBanner(std::size_t index) {
  const bool described = index < config_.descriptions.size() && !config_.descriptions[index].empty();
  banner_->setAccessibleName(described ? QString::fromStdString(config_.descriptions[index]) : QString("Banner"));
}

BannerBar::~BannerBar() = default;

void BannerBar::ApplyClockSettings() {
  clock_->setVisible(config_.show_clock);
  const QPalette& p = palette();
  clock_->SetBackColor(ColourFromValue(config_.back_colour, p));
  clock_->SetFaceColor(ColourFromValue(config_.face_colour, p));
  clock_->SetOutlineColor(ColourFromValue(config_.outline_colour, p));
  clock_->SetSecHandColor(ColourFromValue(config_.sec_hand_colour, p));
  clock_->SetTickColor(ColourFromValue(config_.tick_colour, p));
  clock_->SetShape(config_.shape == 1 ? ClockShape::kSquare : ClockShape::kCircle);
  clock_->SetShowSeconds(config_.show_seconds);
}

void BannerBar::LoadPicture(PictureBox* box, const std::string& file) {
  try {
    box->LoadFromFile(file);
  } catch (const PictureError& e) {
    events_.PictureError(e.what());
  }
}

void BannerBar::AdvanceBanner() {
  if (const auto next = rotation_->Advance()) ShowBanner(*next);
}

void BannerBar::ShowBanner(std::size_t index) {
  const std::string& file = rotation_->Graphic(index);
  DescribeBanner(index);
  if (PictureFileExists(file)) {
    LoadPicture(banner_, file);
    return;
  }
  banner_->SetPicture(CannotLoadBannerPicture(banner_->size(), font(), file));
  events_.BannerMissing(file);
}

void BannerBar::BannerClick() { events_.BannerClicked(rotation_->ClickURL()); }
void BannerBar::ImageClick() { events_.LogoClicked(); }
void BannerBar::AnalogClockClick() { events_.ClockClicked(); }

void BannerBar::mousePressEvent(QMouseEvent*) { events_.BackgroundPressed(false); }

bool BannerBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    events_.BackgroundPressed(false);
    return watched == clock_;  // the clock's click comes with the release
  }
  if (watched == clock_ && event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && clock_->rect().contains(mouse->position().toPoint())) {
      AnalogClockClick();
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tw
