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
#include "widgets/neato_meter.h"
#include "widgets/tiled_bitmap.h"
#include "widgets/vx4_key_button.h"
#include "widgets/vx4_key_controller.h"

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
  tw::TVX4KeyController controller(&form, platform.Get());

  // One row of table keys, a wide space bar and a key with four captions.
  const tw::TKey row[] = {tw::TKey::Esc, tw::TKey::Q,     tw::TKey::W,    tw::TKey::Two,
                          tw::TKey::Three, tw::TKey::Shift, tw::TKey::Ctrl, tw::TKey::Left,
                          tw::TKey::PageUp, tw::TKey::F5,   tw::TKey::Backspace};
  int x = 10;
  for (tw::TKey key : row) {
    auto* button = new tw::TVX4KeyButton(&form);
    button->SetKeyController(&controller);
    button->SetKey(key);
    int width = key == tw::TKey::Backspace ? 70 : 40;
    button->setGeometry(x, 10, width, 40);
    x += width + 4;
  }
  auto* space = new tw::TVX4KeyButton(&form);
  space->SetKeyController(&controller);
  space->SetKey(tw::TKey::SpaceBar);
  space->setGeometry(10, 56, 200, 40);
  auto* quad = new tw::TVX4KeyButton(&form);
  quad->SetKeyController(&controller);
  quad->SetKeyLayout(tw::TKeyLayout::klQuad);
  quad->SetCaption(QStringLiteral("!"));
  quad->SetCaption2(QStringLiteral("1"));
  quad->SetCaption3(QStringLiteral("\u00B9"));
  quad->SetCaption4(QStringLiteral("\u00A1"));
  quad->setGeometry(214, 56, 48, 40);
  controller.SetShift(true);  // the latched Shift key looks pressed

  auto* grey = new tw::TVX4KeyButton(&form);
  grey->SetKeyController(&controller);
  grey->SetKey(tw::TKey::A);
  grey->setGeometry(266, 56, 40, 40);

  // Display widgets.
  auto* meter = new tw::TNeatoMeter(&form);
  meter->setGeometry(10, 110, 180, 25);
  meter->SetCompleted(60);
  auto* framed = new tw::TNeatoMeter(&form);
  framed->setGeometry(10, 145, 180, 25);
  framed->SetBorderStyle(tw::TBorderStyle::bsSingle);
  framed->SetBevelType(tw::TBevelType::btRaised);
  framed->SetBevelDepth(2);
  framed->SetCaption(QStringLiteral("Loading"));
  framed->SetCompleted(35);
  framed->SetDirection(tw::TMeterDirection::mdRightToLeft);

  QImage tile(16, 12, QImage::Format_RGB32);
  for (int ty = 0; ty < 12; ++ty) {
    for (int tx = 0; tx < 16; ++tx) tile.setPixel(tx, ty, qRgb(40 + tx * 12, 90 + ty * 10, 160));
  }
  auto* busy = new tw::TNeatoMeter(&form);
  busy->setGeometry(200, 110, 24, 130);
  busy->SetDirection(tw::TMeterDirection::mdBottomToTop);
  busy->SetBitmap(QPixmap::fromImage(tile));
  busy->SetBitmapDrawStyle(tw::TBitmapDrawStyle::dsTileInvert);
  busy->SetShowPercent(false);
  busy->SetCompleted(45);

  auto* tiled = new tw::TTiledBitmap(&form);
  tiled->setGeometry(10, 180, 100, 50);
  tiled->SetBitmap(QPixmap::fromImage(tile.scaled(30, 20)));

  auto* clock = new tw::TAnalogClock(&form);
  clock->setGeometry(240, 110, 120, 120);
  clock->SetTimeSource([] { return QTime(10, 8, 30); });
  auto* square = new tw::TAnalogClock(&form);
  square->setGeometry(370, 110, 80, 100);
  square->SetShape(tw::TAnalogClockShape::csSquare);
  square->SetFaceColor(QColor(255, 255, 224));
  square->SetSecHandColor(Qt::red);
  square->SetTimeSource([] { return QTime(3, 40, 15); });

  form.show();
  QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  return app.exec();
}
