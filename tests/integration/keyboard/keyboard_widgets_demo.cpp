// Shows a few on-screen keys and the display widgets in one window, for looking at
// them under Xvfb (see show-keyboard-widgets). Quits after the given seconds.
//   keyboard_widgets_demo [seconds]
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "platform/x11qt/x11_keyboard_platform.h"
#include "widgets/analog_clock.h"
#include "widgets/busy_meter.h"
#include "widgets/tiled_bitmap.h"
#include "widgets/key_button.h"
#include "widgets/keyboard_controller.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
  tw::X11KeyboardPlatform platform;

  QWidget form;
  form.setWindowTitle(QStringLiteral("Keys and widgets"));
  form.resize(560, 250);
  form.move(10, 10);
  form.setAttribute(Qt::WA_StyledBackground);
  form.setStyleSheet(QStringLiteral("background: #d4d0c8"));
  tw::KeyboardController controller(&form, platform.Get());

  // One row of table keys, a wide space bar and a key with four captions.
  const tw::KeyId row[] = {tw::KeyId::Esc,    tw::KeyId::Q,     tw::KeyId::W,        tw::KeyId::Two,
                           tw::KeyId::Three,  tw::KeyId::Shift, tw::KeyId::Ctrl,     tw::KeyId::Left,
                           tw::KeyId::PageUp, tw::KeyId::F5,    tw::KeyId::Backspace};
  int x = 10;
  for (tw::KeyId key : row) {
    auto* button = new tw::KeyButton(&form);
    button->SetKeyController(&controller);
    button->SetKey(key);
    int width = key == tw::KeyId::Backspace ? 70 : 40;
    button->setGeometry(x, 10, width, 40);
    x += width + 4;
  }
  auto* space = new tw::KeyButton(&form);
  space->SetKeyController(&controller);
  space->SetKey(tw::KeyId::SpaceBar);
  space->setGeometry(10, 56, 200, 40);
  auto* quad = new tw::KeyButton(&form);
  quad->SetKeyController(&controller);
  quad->SetLook({.layout = tw::KeyLayout::kQuad});
  quad->SetLegend(
      {.captions = {QStringLiteral("!"), QStringLiteral("1"), QStringLiteral("\u00B9"), QStringLiteral("\u00A1")}});
  quad->setGeometry(214, 56, 48, 40);
  controller.SetLatched(tw::KeyType::kShift, true);  // the latched Shift key looks pressed

  auto* grey = new tw::KeyButton(&form);
  grey->SetKeyController(&controller);
  grey->SetKey(tw::KeyId::A);
  grey->setGeometry(266, 56, 40, 40);

  // Display widgets.
  auto* meter = new tw::BusyMeter(&form);
  meter->setGeometry(10, 110, 180, 25);
  meter->SetCompleted(60);
  auto* framed = new tw::BusyMeter(&form);
  framed->setGeometry(10, 145, 180, 25);
  framed->SetBorderStyle(tw::MeterBorder::kSingle);
  framed->SetBevelType(tw::MeterBevel::kRaised);
  framed->SetBevelDepth(2);
  framed->SetCaption(QStringLiteral("Loading"));
  framed->SetCompleted(35);
  framed->SetDirection(tw::MeterDirection::kRightToLeft);

  QImage tile(16, 12, QImage::Format_RGB32);
  for (int ty = 0; ty < 12; ++ty) {
    for (int tx = 0; tx < 16; ++tx) tile.setPixel(tx, ty, qRgb(40 + tx * 12, 90 + ty * 10, 160));
  }
  auto* busy = new tw::BusyMeter(&form);
  busy->setGeometry(200, 110, 24, 130);
  busy->SetDirection(tw::MeterDirection::kBottomToTop);
  busy->SetBitmap(QPixmap::fromImage(tile));
  busy->SetBitmapDrawStyle(tw::MeterBitmapStyle::kTileInvert);
  busy->SetShowPercent(false);
  busy->SetCompleted(45);

  auto* tiled = new tw::TiledBitmap(&form);
  tiled->setGeometry(10, 180, 100, 50);
  tiled->SetBitmap(QPixmap::fromImage(tile.scaled(30, 20)));

  auto* clock = new tw::AnalogClock(&form);
  clock->setGeometry(240, 110, 120, 120);
  clock->SetTimeSource([] { return QTime(10, 8, 30); });
  auto* square = new tw::AnalogClock(&form);
  square->setGeometry(370, 110, 80, 100);
  square->SetShape(tw::ClockShape::kSquare);
  square->SetFaceColor(QColor(255, 255, 224));
  square->SetSecHandColor(Qt::red);
  square->SetTimeSource([] { return QTime(3, 40, 15); });

  form.show();
  QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  return app.exec();
}
