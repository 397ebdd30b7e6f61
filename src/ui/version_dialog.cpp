// The version dialog's texts.
#include "ui/version_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#ifndef VH_VERSION
#define VH_VERSION "0.0.0"
#endif

namespace vh::ui {

namespace {

const char* const kCredits =
    "<p><b>地図データ</b><br>出典：地球地図日本（国土地理院）<br>"
    "default.map の海岸線と国境は、国土地理院の地球地図日本（都府県界）を TopoJSON に変換したもの"
    "（dataofjapan/land）から作図しています。旧国の境界は近似です。</p>"
    "<p><b>音楽</b><br>main.mid と battle.mid は VARDENHOLM のために書かれたオリジナル曲です"
    "（tools/midigen）。</p>"
    "<p><b>使用しているソフトウェアとライセンス</b></p>"
    "<ul>"
    "<li>Qt 6 (The Qt Company) — GNU LGPL 3</li>"
    "<li>FluidSynth (Peter Hanappe ほか) — GNU LGPL 2.1 以降</li>"
    "<li>TimGM6mb SoundFont (Tim Brechbill, David Bolton) — GNU GPL 2</li>"
    "<li>Noto Sans CJK フォント (Google, Adobe) — SIL Open Font License 1.1</li>"
    "<li>GNU C ライブラリの iconv — GNU LGPL 2.1 以降</li>"
    "</ul>"
    "<p>各ライセンスの全文は /usr/share/common-licenses と各パッケージの "
    "/usr/share/doc/*/copyright にあります。</p>";

} // namespace

QString programVersion() {
    return VH_VERSION;
}

VersionDialog::VersionDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("ﾊﾞｰｼﾞｮﾝ情報");
    auto* v = new QVBoxLayout(this);
    auto* title = new QLabel("VARDENHOLM", this);
    QFont f = title->font();
    f.setPixelSize(26);
    f.setBold(true);
    title->setFont(f);
    v->addWidget(title);
    auto* version = new QLabel("Version " + programVersion(), this);
    version->setObjectName("version");
    v->addWidget(version);
    auto* credit = new QLabel("出典：地球地図日本（国土地理院）", this);
    credit->setObjectName("mapCredit");
    v->addWidget(credit);
    auto* text = new QTextBrowser(this);
    text->setHtml(kCredits);
    text->setMinimumSize(460, 260);
    v->addWidget(text, 1);
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    v->addWidget(ok);
    ok->button(QDialogButtonBox::Ok)->setFocus();
}

} // namespace vh::ui
