// The month's battle report window.
#include "ui/battle_report_dialog.h"

#include "ui/ui_text.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

BattleReportDialog::BattleReportDialog(const std::string& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle("合戦および攻城戦の発生状況");
    setProperty("vhRoutineDialog", true); // a report: the month goes on once it is read
    auto* v = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setPlainText(utf8(text).replace("\r\n", "\n").trimmed());
    text_->setMinimumSize(460, 300);
    v->addWidget(text_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    row->addWidget(ok_);
    v->addLayout(row);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    ok_->setFocus();
}

} // namespace vh::ui
