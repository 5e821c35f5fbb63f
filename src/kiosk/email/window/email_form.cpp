#include "kiosk/email/window/email_form.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextEdit>
#include <cmath>

#include "common/texts/rtf_reader.h"
#include "kiosk/panels/form_scaling.h"
#include "kiosk/panels/panel_button.h"
#include "kiosk/panels/picture_box.h"
#include "widgets/tiled_bitmap.h"

namespace tw {
namespace {

constexpr int kDesignWidth = 700;
constexpr int kButtonWidth = 62;
constexpr int kButtonTop = 4;
constexpr int kButtonHeight = 49;

QWidget* MakePage(QStackedWidget* pages, TiledBitmap*& background, const std::string& picture) {
  auto* page = new QWidget(pages);
  background = new TiledBitmap(page);
  background->setGeometry(0, 0, kDesignWidth, 57);
  if (PictureFileExists(picture)) background->SetBitmap(QPixmap(QString::fromStdString(picture)));
  pages->addWidget(page);
  return page;
}

void Label(QWidget* page, const char* text, int left, int top, int width = 52) {
  auto* label = new QLabel(QString::fromUtf8(text), page);
  label->setGeometry(left, top, width, 17);
}

std::vector<std::string> Lines(const QString& text) {
  std::vector<std::string> lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(line.toStdString());
  return lines;
}

QString Joined(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << QString::fromStdString(line);
  return list.join(QLatin1Char('\n'));
}

}  // namespace

EmailForm::EmailForm(const EmailWindowConfig& config, ButtonSoundPlayer* sounds, Events events, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      events_(std::move(events)),
      sounds_(sounds) {
  setObjectName(QStringLiteral("FormEmail"));
  setAccessibleName("E-mail");
  setWindowTitle(QStringLiteral("E-mail"));
  resize(kDesignWidth, 249);
  pages_ = new QStackedWidget(this);
  pages_->setGeometry(0, 0, kDesignWidth, notebook_height_);

  QWidget* account = MakePage(pages_, backgrounds_[0], config.backgrounds[0]);
  Label(account, "Server", 8, 6);
  server_ = MakeEdit(account, EmailField::kServer, 64, 4, 180);
  Label(account, "User", 8, 32);
  user_ = MakeEdit(account, EmailField::kUser, 64, 30, 180);
  Label(account, "Password", 256, 6, 64);
  password_ = MakeEdit(account, EmailField::kPassword, 322, 4, 150);
  password_->setEchoMode(QLineEdit::Password);
  MakeButton(account, config.get, 480, "get", [this] { events_.get(); });
  MakeButton(account, config.new_message, 550, "new", [this] { events_.new_message(); });
  MakeButton(account, config.cancel, 620, "cancel1", [this] { events_.cancel(EmailPage::kAccount); });

  QWidget* reading = MakePage(pages_, backgrounds_[1], config.backgrounds[1]);
  list_ = new QListWidget(reading);
  list_->setGeometry(0, 0, 497, 57);
  // The list is low and its last row partly hidden by the scroll bar: a press must not
  // scroll it under the visitor's finger (the release would land on another row). The
  // chosen row is brought into view when it is drawn.
  list_->setAutoScroll(false);
  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (!rendering_) events_.selected(list_->row(item));
  });
  MakeButton(reading, config.reply, 505, "reply", [this] { events_.reply(); });
  MakeButton(reading, config.del, 570, "delete", [this] { events_.del(); });
  MakeButton(reading, config.cancel, 635, "cancel2", [this] { events_.cancel(EmailPage::kList); });

  QWidget* writing = MakePage(pages_, backgrounds_[2], config.backgrounds[2]);
  Label(writing, "From", 8, 2);
  from_ = MakeEdit(writing, EmailField::kFrom, 64, 1, 300);
  Label(writing, "To", 8, 20);
  to_ = MakeEdit(writing, EmailField::kTo, 64, 19, 300);
  Label(writing, "Subject", 8, 38);
  subject_ = MakeEdit(writing, EmailField::kSubject, 64, 37, 300);
  cc_self_ = new QCheckBox(QStringLiteral("cc Self"), writing);
  cc_self_->setGeometry(376, 2, 90, 17);
  connect(cc_self_, &QCheckBox::toggled, this, [this](bool on) {
    if (!rendering_) events_.cc_self(on);
  });
  MakeButton(writing, config.send, 550, "send", [this] { events_.send(); });
  MakeButton(writing, config.cancel, 620, "cancel3", [this] { events_.cancel(EmailPage::kWrite); });

  memo_ = new QTextEdit(this);
  memo_->setAcceptRichText(false);
  memo_->setLineWrapMode(QTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setGeometry(0, notebook_height_, kDesignWidth, 249 - notebook_height_);
  connect(memo_, &QTextEdit::textChanged, this, [this] {
    if (!rendering_ && !memo_->isReadOnly()) events_.memo(Lines(memo_->toPlainText()));
  });
  help_account_ = HelpHtml(config.help_account);
  help_reading_ = HelpHtml(config.help_reading);
}

PanelButton* EmailForm::MakeButton(QWidget* page, const EmailButtonLook& look, int left, const char* role,
                                   const std::function<void()>& press) {
  auto* button = new PanelButton(page);
  button->setText(QString::fromStdString(look.caption));
  if (PictureFileExists(look.glyph)) button->SetGlyph(QPixmap(QString::fromStdString(look.glyph)));
  button->SetNumGlyphs(look.glyph_count);
  button->SetSound(look.sound);
  button->SetCustomSound(look.wav);
  button->SetSoundPlayer(sounds_);
  button->setGeometry(left, kButtonTop, kButtonWidth, kButtonHeight);
  connect(button, &QAbstractButton::clicked, this, [press] { press(); });
  button->setObjectName(QString::fromLatin1(role));
  buttons_.emplace_back(role, button);
  return button;
}

QLineEdit* EmailForm::MakeEdit(QWidget* page, EmailField field, int left, int top, int width) {
  auto* edit = new QLineEdit(page);
  edit->setGeometry(left, top, width, 17);
  connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
    if (!rendering_) events_.edited(field, text.toStdString());
  });
  return edit;
}

QString EmailForm::HelpHtml(const std::string& file) {
  if (file.empty()) return {};
  QFile in(QString::fromStdString(file));
  if (!in.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = in.read(4 * 1024 * 1024);
  const std::string text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (LooksLikeRtf(text)) return QString::fromStdString(RtfToHtml(text));
  return QString::fromUtf8(bytes).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

void EmailForm::Scale(double screen_scale) {
  ScaleControls(this, screen_scale);
  // The pages' controls too: the pages themselves are sized by the notebook.
  for (int page = 0; page < pages_->count(); ++page) ScaleControls(pages_->widget(page), screen_scale);
  notebook_height_ = static_cast<int>(std::lround(57 * screen_scale));
}

void EmailForm::Place(const QRect& bounds) {
  setGeometry(bounds);
  pages_->setGeometry(0, 0, bounds.width(), notebook_height_);
  memo_->setGeometry(0, notebook_height_, bounds.width(), std::max(0, bounds.height() - notebook_height_));
  for (TiledBitmap* background : backgrounds_) background->setGeometry(0, 0, bounds.width(), notebook_height_);
}

void EmailForm::ScrollText(ScrollDirection direction) {
  QScrollBar* bar = direction == ScrollDirection::kUp || direction == ScrollDirection::kDown
                        ? memo_->verticalScrollBar()
                        : memo_->horizontalScrollBar();
  const bool back = direction == ScrollDirection::kUp || direction == ScrollDirection::kLeft;
  bar->triggerAction(back ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
}

QLineEdit* EmailForm::Edit(EmailField field) const {
  switch (field) {
    case EmailField::kServer: return server_;
    case EmailField::kUser: return user_;
    case EmailField::kPassword: return password_;
    case EmailField::kFrom: return from_;
    case EmailField::kTo: return to_;
    case EmailField::kSubject: return subject_;
    default: return nullptr;
  }
}

PanelButton* EmailForm::Button(const std::string& name) const {
  for (const auto& [role, button] : buttons_) {
    if (role == name) return button;
  }
  return nullptr;
}

void EmailForm::Render(const EmailWindowView& view, const EmailButtons& buttons) {
  rendering_ = true;
  pages_->setCurrentIndex(static_cast<int>(view.page));
  const EmailFields& f = view.fields;
  const std::pair<QLineEdit*, const std::string*> texts[] = {
      {server_, &f.server}, {user_, &f.user}, {password_, &f.password},
      {from_, &f.from},     {to_, &f.to},     {subject_, &f.subject}};
  for (const auto& [edit, text] : texts) {
    const QString value = QString::fromStdString(*text);
    if (edit->text() != value) edit->setText(value);
  }
  server_->setReadOnly(view.server_read_only);
  to_->setReadOnly(view.to_read_only);
  cc_self_->setChecked(f.cc_self);

  QStringList lines;
  for (const std::string& line : view.list) lines << QString::fromStdString(line);
  QStringList shown;
  for (int row = 0; row < list_->count(); ++row) shown << list_->item(row)->text();
  if (shown != lines) {
    list_->clear();
    list_->addItems(lines);
  }
  list_->setCurrentRow(view.selected);
  if (QListWidgetItem* chosen = list_->currentItem()) list_->scrollToItem(chosen);
  list_->setEnabled(buttons.list);

  memo_->setReadOnly(view.memo_read_only);
  if (view.memo_kind == EmailMemo::kText) {
    const QString text = Joined(view.memo);
    if (memo_kind_ != EmailMemo::kText || memo_->toPlainText() != text) memo_->setPlainText(text);
  } else if (memo_kind_ != view.memo_kind) {
    memo_->setHtml(view.memo_kind == EmailMemo::kAccountHelp ? help_account_ : help_reading_);
  }
  memo_kind_ = view.memo_kind;

  const std::pair<const char*, bool> states[] = {{"get", buttons.get},
                                                 {"new", buttons.new_message},
                                                 {"reply", buttons.reply},
                                                 {"delete", buttons.del},
                                                 {"send", buttons.send}};
  for (const auto& [role, enabled] : states) Button(role)->setEnabled(enabled);
  rendering_ = false;

  QWidget* focus = nullptr;
  switch (view.focus) {
    case EmailField::kServer: focus = server_; break;
    case EmailField::kUser: focus = user_; break;
    case EmailField::kPassword: focus = password_; break;
    case EmailField::kFrom: focus = from_; break;
    case EmailField::kTo: focus = to_; break;
    case EmailField::kSubject: focus = subject_; break;
    case EmailField::kMemo: focus = memo_; break;
    case EmailField::kNone: break;
  }
  if (focus && isVisible()) {
    focus->setFocus(Qt::OtherFocusReason);
    if (events_.focus_taken) events_.focus_taken();
  }
}

}  // namespace tw
