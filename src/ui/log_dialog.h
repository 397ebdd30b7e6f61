// "ログ": the month's report of battles and sieges, read-only.
#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

namespace vh::ui {

class LogDialog : public QDialog {
    Q_OBJECT
  public:
    // `report` is the battle report as the rules keep it: UTF-8 lines ending in CR LF.
    LogDialog(const std::string& report, QWidget* parent = nullptr);
    QPlainTextEdit* textBox() const { return text_; }

  private:
    QPlainTextEdit* text_ = nullptr;
};

} // namespace vh::ui
