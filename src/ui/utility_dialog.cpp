// The utility dialog and its two small helpers.
#include "ui/utility_dialog.h"

#include "game/auto_progress.h"
#include "scenario/cipher_utility.h"
#include "ui/ui_text.h"
#include "world/text_codec.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vh::ui {

namespace {

QDialogButtonBox* okCancel(QDialog* d) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    buttons->button(QDialogButtonBox::Cancel)->setText("ｷｬﾝｾﾙ");
    QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return buttons;
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

UtilityDialog::UtilityDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("ユーティリティ");
    auto* v = new QVBoxLayout(this);
    auto add = [&](const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setMinimumSize(240, 32);
        b->setAutoDefault(false);
        v->addWidget(b);
        return b;
    };
    QPushButton* enc = add("シナリオ暗号化(&E)");
    QPushButton* dec = add("シナリオ暗号化解除(&D)");
    QPushButton* bench = add("VARDENHOLMベンチマーク(&B)");
    v->addSpacing(6);
    QPushButton* close = add("閉じる(&C)");
    connect(enc, &QPushButton::clicked, this, &UtilityDialog::encipher);
    connect(dec, &QPushButton::clicked, this, &UtilityDialog::decipher);
    connect(bench, &QPushButton::clicked, this, [this] {
        benchmark_ = true;
        accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    chooseSource = [this](const QString& title) {
        return QFileDialog::getOpenFileName(this, title, QString(), "Scenario Files (*.snr)");
    };
    chooseOutput = [this](const QString& title) {
        return QFileDialog::getSaveFileName(this, title, QString(), "Scenario Files (*.snr)");
    };
}

bool UtilityDialog::choosePaths(const QString& sourceTitle, QString& source, QString& output) {
    source = chooseSource ? chooseSource(sourceTitle) : QString();
    if (source.isEmpty()) return false;
    QFile probe(source);
    if (!probe.open(QIODevice::ReadOnly)) {
        showMessage(this, utf8(cipherUtilityMessage(kCipherSourceUnreadable)));
        return false;
    }
    probe.close();
    output = chooseOutput ? chooseOutput("出力ファイル名を入力してください") : QString();
    if (output.isEmpty()) return false;
    if (const int code = checkCipherPaths(localPath(source), localPath(output))) {
        showMessage(this, utf8(cipherUtilityMessage(code)));
        return false;
    }
    return true;
}

void UtilityDialog::encipher() {
    QString source, output;
    if (!choosePaths("暗号化するシナリオファイルを選択してください", source, output)) return;
    if (const int code = encipherScenarioFile(localPath(source), localPath(output)))
        showMessage(this, utf8(cipherUtilityMessage(code)));
}

void UtilityDialog::decipher() {
    QString source, output;
    if (!choosePaths("暗号解除するシナリオファイルを選択してください", source, output)) return;
    PasswordDialog ask(this);
    if (ask.exec() != QDialog::Accepted) return;
    // The password is compared with the file's bytes, which are in the scenario's code page.
    const std::string password = utf8ToCp932(ask.field()->text().toStdString());
    if (const int code = decipherScenarioFile(localPath(source), localPath(output), password))
        showMessage(this, utf8(cipherUtilityMessage(code)));
}

PasswordDialog::PasswordDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("パスワード入力");
    auto* v = new QVBoxLayout(this);
    auto* label = new QLabel("パスワードを入力してください", this);
    field_ = new QLineEdit(this);
    field_->setMaxLength(99);
    field_->setEchoMode(QLineEdit::Password);
    label->setBuddy(field_);
    v->addWidget(label);
    v->addWidget(field_);
    v->addWidget(okCancel(this));
}

BenchmarkYearsDialog::BenchmarkYearsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("VARDENHOLMベンチマーク");
    auto* v = new QVBoxLayout(this);
    auto* label = new QLabel("実行する年数を入力してください", this);
    years_ = new QSpinBox(this);
    years_->setRange(1, 1000);
    years_->setValue(kBenchmarkDefaultYears);
    years_->setSuffix(" 年");
    label->setBuddy(years_);
    v->addWidget(label);
    v->addWidget(years_);
    v->addWidget(okCancel(this));
}

int BenchmarkYearsDialog::years() const {
    return years_->value();
}

} // namespace vh::ui
