// The help window: the game's own HTML pages from the program directory's help/ folder in a
// browser with back, forward and contents, opened at intro.html.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace vh::ui {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(const QString& helpDir, QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }
    // Back to intro.html.
    void home();

  private:
    QTextBrowser* browser_ = nullptr;
    QString helpDir_;
};

} // namespace vh::ui
