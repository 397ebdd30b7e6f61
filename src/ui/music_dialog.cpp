// The music dialog's layout; applying its result is the caller's (settings file and player).
#include "ui/music_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

MusicDialog::MusicDialog(const SettingsFile& settings, QWidget* parent) : QDialog(parent), base_(settings) {
    setWindowTitle("MIDIファイル名設定");
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel("ゲーム中に演奏するMIDIファイル名を指定してください", this));
    auto* form = new QFormLayout;
    const char* captions[2] = {"通常時MIDIファイル(&N)", "合戦時MIDIファイル(&B)"};
    for (int piece = 0; piece < 2; ++piece) {
        names_[piece] = new QLineEdit(QString::fromStdString(std::string(settings.musicName(piece))), this);
        names_[piece]->setMinimumWidth(240);
        auto* label = new QLabel(captions[piece], this);
        label->setBuddy(names_[piece]);
        form->addRow(label, names_[piece]);
    }
    v->addLayout(form);
    disable_ = new QCheckBox("MIDI演奏禁止(&D)", this);
    disable_->setChecked(settings.disabled());
    v->addWidget(disable_);
    auto* notes =
        new QLabel("MIDIファイルは VARDENHOLM のプログラムフォルダ（default.map と同じフォルダ）か\n"
                   "その music フォルダに入れてください\n"
                   "（MIDIファイルは各自で用意してください）",
                   this);
    notes->setStyleSheet("color: #555;");
    v->addWidget(notes);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText("ｷｬﾝｾﾙ");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(buttons);
}

SettingsFile MusicDialog::result() const {
    SettingsFile s = base_;
    for (int piece = 0; piece < 2; ++piece)
        setMusicName(s, piece, names_[piece]->text().trimmed().toStdString());
    s.musicDisabled = disable_->isChecked() ? 1 : 0;
    return s;
}

} // namespace vh::ui
