// Start menu, opening, scenario information and ending dialogs.
#include "ui/game_dialogs.h"

#include "ui/ui_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

StartMenuDialog::StartMenuDialog(std::function<bool()> newGame, QWidget* parent)
    : QDialog(parent), newGame_(std::move(newGame)) {
    setWindowTitle("VARDENHOLM スタートメニュー");
    auto* v = new QVBoxLayout(this);
    auto* title = new QLabel("VARDENHOLM", this);
    QFont f = title->font();
    f.setPixelSize(28);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    v->addWidget(title);
    auto add = [&](const QString& caption, auto slot) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(caption);
        b->setMinimumSize(220, 34);
        connect(b, &QPushButton::clicked, this, slot);
        v->addWidget(b);
        return b;
    };
    add("新規スタート", [this] {
        if (newGame_ && newGame_()) {
            choice_ = NewGame;
            accept();
        }
    });
    add("データロード", [this] {
        choice_ = LoadGame;
        accept();
    });
    add("終了", [this] {
        choice_ = Quit;
        accept();
    });
    auto* row = new QHBoxLayout;
    for (const char* caption : {"Utility", "Help"}) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(caption);
        row->addWidget(b);
    }
    connect(button("Utility"), &QPushButton::clicked, this, [this] {
        if (utility && utility()) {
            choice_ = Benchmark;
            accept();
        }
    });
    connect(button("Help"), &QPushButton::clicked, this, [this] {
        if (help) help();
    });
    v->addLayout(row);
}

QPushButton* StartMenuDialog::button(const QString& caption) const {
    return findChild<QPushButton*>(caption);
}

void StartMenuDialog::reject() {
    choice_ = Quit;
    QDialog::reject();
}

OpeningDialog::OpeningDialog(const QString& title, const QString& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    auto* v = new QVBoxLayout(this);
    auto* heading = new QLabel(title, this);
    QFont f = heading->font();
    f.setPixelSize(18);
    f.setBold(true);
    heading->setFont(f);
    v->addWidget(heading);
    auto* body = new QPlainTextEdit(text, this);
    body->setReadOnly(true);
    body->setMinimumSize(420, 240);
    v->addWidget(body);
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    v->addWidget(ok);
}

ScenarioInfoDialog::ScenarioInfoDialog(const ScenarioInfo& info, QWidget* parent) : QDialog(parent) {
    setWindowTitle("シナリオ情報");
    auto* v = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow("シナリオ名", new QLabel(utf8(info.title), this));
    form->addRow("城数", new QLabel(QString::number(info.castles), this));
    form->addRow("大名数", new QLabel(QString::number(info.houses), this));
    form->addRow("武将数", new QLabel(QString::number(info.generals), this));
    form->addRow("交易対象諸外国数", new QLabel(QString::number(info.tradePartners), this));
    v->addLayout(form);
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    v->addWidget(ok);
}

EndingDialog::EndingDialog(const QString& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle("エンディング");
    auto* v = new QVBoxLayout(this);
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    QFont f = label->font();
    f.setPixelSize(20);
    label->setFont(f);
    label->setMinimumSize(360, 120);
    label->setAlignment(Qt::AlignCenter);
    v->addWidget(label);
    auto* done = new QPushButton("完", this);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    v->addWidget(done, 0, Qt::AlignCenter);
}

} // namespace vh::ui
