// "合戦および攻城戦の発生状況": the month's battles and sieges as the report lists them.
#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace vh::ui {

class BattleReportDialog : public QDialog {
    Q_OBJECT
  public:
    // `text` is the report (UTF-8, lines ending in CR LF) or "特になし".
    explicit BattleReportDialog(const std::string& text, QWidget* parent = nullptr);
    QPlainTextEdit* textView() const { return text_; }
    QPushButton* okButton() const { return ok_; }

  private:
    QPlainTextEdit* text_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace vh::ui
