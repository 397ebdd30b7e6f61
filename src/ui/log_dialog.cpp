// The battle log dialog.
#include "ui/log_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

LogDialog::LogDialog(const std::string& report, QWidget* parent) : QDialog(parent) {
    setWindowTitle("ログ");
    auto* v = new QVBoxLayout(this);
    auto* heading = new QLabel("合戦発生状況", this);
    heading->setStyleSheet("font-weight: bold;");
    v->addWidget(heading);
    text_ = new QPlainTextEdit(QString::fromStdString(report).replace("\r\n", "\n"), this);
    text_->setReadOnly(true);
    text_->setMinimumSize(520, 320);
    heading->setBuddy(text_);
    v->addWidget(text_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("閉じる");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(buttons);
}

} // namespace vh::ui
