// The e-mail window's form on the offscreen platform: it draws the rules' view (mail
// text only ever as plain text, the help file as rich text), enables the buttons as the
// rules say and reports presses and typing.
#include "kiosk/email/window/email_form.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <fstream>

#include "kiosk/panels/panel_button.h"

namespace tw {
namespace {

class EmailFormTest : public QObject {
  Q_OBJECT

 private slots:
  void DrawsTheViewAndReportsPresses() {
    QTemporaryDir dir;
    const std::string help = dir.filePath("help.rtf").toStdString();
    std::ofstream(help) << R"({\rtf1 {\b Welcome}\par Type <your> server.})";
    EmailWindowConfig config;
    config.help_account = help;
    std::vector<std::string> presses;
    EmailForm::Events events;
    events.edited = [&](EmailField field, std::string text) {
      presses.push_back("edit " + std::to_string(static_cast<int>(field)) + " " + text);
    };
    events.get = [&] { presses.push_back("get"); };
    events.reply = [&] { presses.push_back("reply"); };
    events.cancel = [&](EmailPage page) { presses.push_back("cancel " + std::to_string(static_cast<int>(page))); };
    events.selected = [&](int index) { presses.push_back("select " + std::to_string(index)); };
    EmailForm form(config, nullptr, events);
    form.Place(QRect(0, 0, 700, 249));
    form.show();

    EmailWindowView view;
    view.visible = true;
    view.fields.server = "pop.example.org";
    EmailButtons buttons;
    buttons.get = buttons.new_message = buttons.send = buttons.list = true;
    form.Render(view, buttons);
    QCOMPARE(form.Pages()->currentIndex(), 0);
    QCOMPARE(form.Edit(EmailField::kServer)->text(), QStringLiteral("pop.example.org"));
    QVERIFY(form.Memo()->toHtml().contains(QStringLiteral("font-weight:700")));
    QCOMPARE(form.Memo()->toPlainText(), QStringLiteral("Welcome\nType <your> server."));
    QTest::keyClicks(form.Edit(EmailField::kUser), "ann");
    QTest::mouseClick(form.Button("get"), Qt::LeftButton);
    QTest::mouseClick(form.Button("cancel1"), Qt::LeftButton);

    // A hostile mail's HTML is text; Reply stays off without a selection.
    view.page = EmailPage::kList;
    view.list = {"one, a@x, today", "two, b@y, today"};
    view.memo_kind = EmailMemo::kText;
    view.memo = {"<b>not bold</b><img src=\"http://127.0.0.1:9/x.png\">"};
    form.Render(view, buttons);
    QCOMPARE(form.Pages()->currentIndex(), 1);
    QCOMPARE(form.List()->count(), 2);
    QCOMPARE(form.Memo()->toPlainText(), QString::fromStdString(view.memo[0]));
    QVERIFY(!form.Memo()->toHtml().contains(QStringLiteral("font-weight:700")));
    QVERIFY(!form.Button("reply")->isEnabled());
    QTest::mouseClick(form.List()->viewport(), Qt::LeftButton, {},
                      form.List()->visualItemRect(form.List()->item(1)).center());
    buttons.reply = true;
    form.Render(view, buttons);
    QVERIFY(form.Button("reply")->isEnabled());
    QTest::mouseClick(form.Button("reply"), Qt::LeftButton);

    // The side arrows scroll the text a line at a time.
    view.memo.assign(200, "a line of the message");
    form.Render(view, buttons);
    QScrollBar* bar = form.Memo()->verticalScrollBar();
    const int top = bar->value();
    form.ScrollText(ScrollDirection::kDown);
    form.ScrollText(ScrollDirection::kDown);
    QCOMPARE(bar->value(), top + 2 * bar->singleStep());
    form.ScrollText(ScrollDirection::kUp);
    QCOMPARE(bar->value(), top + bar->singleStep());

    // Scaled with the screen: the pages' controls as well as the form's.
    form.Scale(1.28);
    QCOMPARE(form.Edit(EmailField::kUser)->geometry(), QRect(82, 38, 230, 22));
    QCOMPARE(form.Button("reply")->geometry(), QRect(646, 5, 79, 63));

    const std::vector<std::string> expected = {"edit 2 a", "edit 2 an", "edit 2 ann", "get",
                                               "cancel 0", "select 1",  "reply"};
    QCOMPARE(presses, expected);
  }

  // The list is low (57 pixels at design size) and long lines give it a horizontal scroll
  // bar that covers part of its last row: a click on what shows of that row chooses it,
  // and the list is not scrolled under the finger on the way.
  void AClickOnThePartlyHiddenLastRowChoosesIt() {
    std::vector<int> chosen;
    EmailForm::Events events;
    events.selected = [&](int index) { chosen.push_back(index); };
    EmailForm form(EmailWindowConfig{}, nullptr, events);
    form.Place(QRect(0, 0, 700, 249));
    form.show();
    EmailWindowView view;
    view.visible = true;
    view.page = EmailPage::kList;
    for (const char* subject : {"Lunch", "Results", "Menu"}) {
      view.list.push_back(std::string(subject) + ", " + std::string(90, 'x') + "@example.org, Tue, 1 Dec 2026");
    }
    view.selected = 0;
    EmailButtons buttons;
    buttons.list = true;
    form.Render(view, buttons);
    QListWidget* list = form.List();
    QVERIFY(list->horizontalScrollBar()->isVisible());
    const QRect last = list->visualItemRect(list->item(2)).intersected(list->viewport()->rect());
    QVERIFY2(last.height() > 0 && last.height() < list->visualItemRect(list->item(2)).height(),
             "the last row is not partly hidden: the case is not the one meant");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, last.center());
    QCOMPARE(chosen, std::vector<int>{2});
    // The rules then draw it chosen, and it is brought into view.
    view.selected = 2;
    form.Render(view, buttons);
    QCOMPARE(list->visualItemRect(list->item(2)).intersected(list->viewport()->rect()).height(),
             list->visualItemRect(list->item(2)).height());
  }
};

}  // namespace
}  // namespace tw

QTEST_MAIN(tw::EmailFormTest)
#include "email_form_test.moc"
