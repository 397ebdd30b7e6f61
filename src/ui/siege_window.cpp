// Layout of the siege window and its buttons over the player's siege steps.
#include "ui/siege_window.h"

#include "battle/player_siege.h"
#include "context/game.h"
#include "game/info_figures.h"
#include "ui/castle_picture.h"
#include "ui/ui_text.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vh::ui {

namespace {

const QStringList kHeaders = {"名前", "騎馬", "足軽", "鉄砲", "武勇", "智謀"};
const std::vector<int> kWidths = {80, 32, 32, 32, 26, 26};

QList<QStandardItem*> generalRow(const SiegeGeneral& g, int heiUnit) {
    return {InfoTable::textCell(utf8(g.name)),
            InfoTable::numberCell(static_cast<long long>(g.troops.cavalry) * heiUnit),
            InfoTable::numberCell(static_cast<long long>(g.troops.foot) * heiUnit),
            InfoTable::numberCell(static_cast<long long>(g.troops.guns) * heiUnit),
            InfoTable::numberCell(g.valor),
            InfoTable::numberCell(g.intellect)};
}

QLabel* boldLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setStyleSheet("font-weight: bold;");
    return l;
}

} // namespace

SiegeWindow::SiegeWindow(PlayerSiege& siege, QWidget* parent) : QDialog(parent), siege_(siege) {
    setWindowTitle("攻城戦");
    const WorldState& w = siege.game().world;
    const int castle = siege.castle();
    auto* v = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(castlePicture(w.castleSites[castle].picture));
    picture->setAlignment(Qt::AlignTop);
    top->addWidget(picture);
    auto* figures = new QVBoxLayout;
    name_ = boldLabel(this);
    name_->setObjectName("castleName");
    size_ = new QLabel(this);
    size_->setObjectName("castleSize");
    yield_ = new QLabel(this);
    yield_->setObjectName("yield");
    food_ = new QLabel(this);
    food_->setObjectName("food");
    for (QLabel* l : {name_, size_, yield_, food_})
        figures->addWidget(l);
    figures->addStretch(1);
    top->addLayout(figures, 1);

    auto* partsBox = new QGroupBox("包囲軍侵攻度", this);
    auto* partsGrid = new QGridLayout(partsBox);
    partsGrid->setVerticalSpacing(1);
    for (int part = 0; part < kCastlePartCount; ++part) {
        parts_[part] = new QLabel(partsBox);
        parts_[part]->setObjectName(QString("part%1").arg(part));
        parts_[part]->setMinimumWidth(90);
        partsGrid->addWidget(parts_[part], part % 5, part / 5);
    }
    top->addWidget(partsBox, 0, Qt::AlignTop);
    v->addLayout(top);

    turnLine_ = boldLabel(this);
    turnLine_->setObjectName("turnLine");
    turnLine_->setAlignment(Qt::AlignCenter);
    turnLine_->setStyleSheet("font-weight: bold; font-size: 16px; padding: 4px;");
    v->addWidget(turnLine_);

    auto* lists = new QHBoxLayout;
    const auto addList = [&](QLabel*& heading, InfoTable*& list, const QString& name) {
        auto* column = new QVBoxLayout;
        heading = boldLabel(this);
        list = new InfoTable(kHeaders, kWidths, this);
        list->setAccessibleName(name);
        list->setMinimumHeight(220);
        list->setMinimumWidth(list->header()->length() + 2 * list->frameWidth() + 20);
        heading->setBuddy(list);
        column->addWidget(heading);
        column->addWidget(list, 1);
        lists->addLayout(column, 1);
    };
    addList(besiegerHeading_, besiegers_, "攻城軍");
    addList(defenderHeading_, defenders_, "守備軍");
    v->addLayout(lists, 1);

    auto* buttons = new QHBoxLayout;
    const QStringList captions = siege.role() == SiegeRole::Besieging
                                     ? QStringList{"強襲", "待機（兵糧攻め）"}
                                     : QStringList{"城外で野戦", "城から退却", "城内で防戦"};
    for (const QString& caption : captions) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        actions_ << b;
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    close_ = new QPushButton("閉じる", this);
    close_->setVisible(false);
    buttons->addWidget(close_);
    v->addLayout(buttons);

    if (siege.role() == SiegeRole::Besieging) {
        connect(actions_[0], &QPushButton::clicked, this, [this] { act(&PlayerSiege::storm); });
        connect(actions_[1], &QPushButton::clicked, this, [this] { act(&PlayerSiege::wait); });
    } else {
        connect(actions_[0], &QPushButton::clicked, this, [this] { act(&PlayerSiege::sallyOut); });
        connect(actions_[1], &QPushButton::clicked, this, [this] { act(&PlayerSiege::retreat); });
        connect(actions_[2], &QPushButton::clicked, this, [this] { act(&PlayerSiege::defend); });
    }
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
    resize(sizeHint().width() + 40, 600);
}

QPushButton* SiegeWindow::button(const QString& caption) const {
    for (QPushButton* b : actions_)
        if (b->text() == caption) return b;
    return caption == close_->text() ? close_ : nullptr;
}

QString SiegeWindow::turnLine() const {
    return turnLine_->text();
}

QStringList SiegeWindow::partLines() const {
    QStringList lines;
    for (const QLabel* l : parts_)
        if (!l->isHidden()) lines << l->text();
    return lines;
}

void SiegeWindow::refresh() {
    const Siege& s = siege_.siege();
    const WorldState& w = siege_.game().world;
    const int heiUnit = s.settings.heiUnit;
    const int castle = siege_.castle();
    name_->setText(utf8(s.castleName));
    size_->setText(QString("城規模 : %1").arg(s.size));
    yield_->setText(QString("石高 : %1 (Max %2)")
                        .arg(kokuText(w.castles[castle].yield), kokuText(w.castleSites[castle].maxYield)));
    food_->setText(QString("兵糧 : %1").arg(s.food));
    for (int part = 0; part < kCastlePartCount; ++part) {
        const bool shown = part < castlePartsShown(s.size);
        parts_[part]->setVisible(shown);
        if (shown)
            parts_[part]->setText(QString("%1 : %2").arg(utf8(castlePartName(part)),
                                                         utf8(castlePartText(s.progress, s.size, part))));
    }
    turnLine_->setText(utf8(siege_.turnLine()));

    besiegerHeading_->setText(QString("攻城軍 (%1)").arg(utf8(s.besiegingHouse)));
    defenderHeading_->setText(QString("守備軍 (%1)").arg(utf8(s.ownerHouse)));
    besiegers_->clearRows();
    for (size_t i = 0; i < s.besiegers.size(); ++i)
        besiegers_->addRow(generalRow(s.besiegers[i], heiUnit), static_cast<int>(i));
    defenders_->clearRows();
    defenders_->addRow({InfoTable::textCell("城守備兵"), InfoTable::numberCell(0),
                        InfoTable::numberCell(static_cast<long long>(s.garrison) * heiUnit),
                        InfoTable::numberCell(0), InfoTable::numberCell(3), InfoTable::textCell({})},
                       -1);
    for (size_t i = 0; i < s.defenders.size(); ++i)
        defenders_->addRow(generalRow(s.defenders[i], heiUnit), static_cast<int>(i));

    if (siege_.role() == SiegeRole::Besieging) {
        for (QPushButton* b : actions_)
            b->setEnabled(siege_.canOrder());
    } else {
        actions_[0]->setEnabled(siege_.canSally());
        actions_[1]->setEnabled(siege_.canRetreat());
        actions_[2]->setEnabled(siege_.canOrder());
    }
    const bool over = siege_.over();
    close_->setVisible(over);
    close_->setDefault(over);
    if (over) close_->setFocus();
}

void SiegeWindow::showMessages() {
    for (const std::string& m : siege_.takeMessages())
        showMessage(this, utf8(m));
}

void SiegeWindow::openSiege() {
    if (opened_) return;
    opened_ = true;
    siege_.open();
    showMessages();
    refresh();
    if (siege_.closeNow()) accept();
}

void SiegeWindow::act(void (PlayerSiege::*step)()) {
    (siege_.*step)();
    showMessages();
    refresh();
    if (siege_.closeNow()) accept();
}

void SiegeWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!opened_) QTimer::singleShot(0, this, &SiegeWindow::openSiege);
}

bool SiegeWindow::confirmLeaving() {
    if (leaving_ || siege_.over()) return true;
    if (!askOkCancel(this, "ゲームを終了します")) return false;
    leaving_ = true;
    siege_.abandon();
    return true;
}

void SiegeWindow::closeEvent(QCloseEvent* e) {
    if (confirmLeaving())
        QDialog::closeEvent(e);
    else
        e->ignore();
}

void SiegeWindow::reject() {
    if (confirmLeaving()) QDialog::reject();
}

} // namespace vh::ui
