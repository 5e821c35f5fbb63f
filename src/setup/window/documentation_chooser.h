// "Manual": the documentation chooser. "HTML" opens the operator's guide in the desktop's
// browser; "10 Minute Guide" shows the short guide (a rich-text file) in the dialog itself,
// with "Print".
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace tw {

class DocumentationChooser : public QDialog {
  Q_OBJECT

 public:
  // `folder`: the program folder's Documentation/ folder, ending in "/".
  explicit DocumentationChooser(const QString& folder, QWidget* parent = nullptr);

  static constexpr const char* kGuideFile = "10Guide.rtf";
  static constexpr const char* kHtmlFile = "setup-manager.html";

  // The document chosen with "HTML"; empty after Cancel or the guide.
  QString chosen() const { return chosen_; }
  // The guide's text box (shown only after "10 Minute Guide").
  QTextBrowser* guide() const { return guide_; }
  QPushButton* html_button() const { return html_; }
  QPushButton* guide_button() const { return guide_button_; }
  QPushButton* print_button() const { return print_; }

  // Opens `file` of `folder` with the desktop's program for it; the error text, or empty.
  static QString OpenDocument(const QString& folder, const QString& file);

 private:
  void ShowGuide();
  void PrintGuide();

  QString folder_;
  QString chosen_;
  QLabel* text_;
  QLabel* prompt_;
  QTextBrowser* guide_;
  QPushButton* html_;
  QPushButton* guide_button_;
  QPushButton* cancel_;
  QPushButton* print_;
};

}  // namespace tw
