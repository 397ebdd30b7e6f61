// The battle window: each order button plays one turn through the engine (preview, the enemy's
// computer order, execution), then the window shows what happened and, at the end, the dead, the
// retreat and the result in its title line.
#include "ui/field_battle_window.h"

#include "ui/ui_text.h"
#include "world/random.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vh::ui {

namespace {

const QColor kSideColour[2] = {QColor(40, 80, 170), QColor(180, 40, 40)};

QString sideWord(int side) {
    return side == 0 ? "我軍" : "敵軍";
}

QString houseOf(const FieldBattle& b, int side) {
    const QString name = utf8(b.sides[side].houseName);
    return name.isEmpty() ? sideWord(side) : name;
}

} // namespace

FieldStrip::FieldStrip(const FieldBattle& battle, QWidget* parent) : QWidget(parent), b_(battle) {
    setMinimumSize(560, 100);
}

void FieldStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(8, 18, -8, -8);
    const double cell = area.width() / kFieldSteps;
    p.fillRect(area, QColor(206, 196, 150));
    p.setPen(QColor(150, 140, 100));
    for (int i = 0; i <= kFieldSteps; ++i)
        p.drawLine(QPointF(area.left() + i * cell, area.top()),
                   QPointF(area.left() + i * cell, area.bottom()));
    p.setPen(Qt::black);
    for (int i = 0; i < kFieldSteps; ++i)
        p.drawText(QRectF(area.left() + i * cell, 0, cell, 16), Qt::AlignCenter, QString::number(i));
    for (int s = 0; s < 2; ++s) {
        const FieldSide& side = b_.sides[s];
        const double x0 = area.left() + side.position * cell;
        // Three bars per army, the 先陣 facing the enemy; height by the men left, shade by morale.
        const double bar = (cell - 8) / kFieldLineCount;
        int start = 0;
        for (const FieldGeneral& g : side.generals)
            start += g.cavalry + g.foot;
        start = std::max(1, start + (side.hasGarrison ? side.garrisonSoldiers : 0));
        for (int l = 0; l < kFieldLineCount; ++l) {
            const FieldLine& line = side.lines[l];
            int men = 0, morale = 0;
            for (const FieldUnit& u : line) {
                men += unitCavalry(side, u.ref) + unitFoot(side, u.ref);
                morale += u.morale;
            }
            const double avg = line.count ? morale / static_cast<double>(line.count) : 0;
            const int slot = s == 0 ? kFieldLineCount - 1 - l : l;
            const double h = std::max(4.0, (area.height() - 8) * std::min(1.0, 0.25 + 2.0 * men / start));
            const QRectF r(x0 + 4 + slot * bar, area.bottom() - 4 - h, bar - 2, h);
            QColor c = kSideColour[s];
            c.setAlpha(line.count == 0 ? 30 : static_cast<int>(60 + 195 * avg / 100.0));
            p.fillRect(r, c);
            p.setPen(kSideColour[s].darker());
            p.drawRect(r);
        }
    }
}

FieldBattleWindow::FieldBattleWindow(FieldBattle& battle, Random& rng, QWidget* parent)
    : QDialog(parent), b_(battle), rng_(rng) {
    message = [this](const QString& text) { showMessage(this, text); };
    question = [this](const QString& text) { return askOkCancel(this, text); };
    setWindowTitle(QString("野戦　%1 対 %2").arg(houseOf(b_, 0), houseOf(b_, 1)));

    auto* v = new QVBoxLayout(this);
    title_ = new QLabel(windowTitle(), this);
    title_->setObjectName("title");
    QFont tf = title_->font();
    tf.setPixelSize(16);
    tf.setBold(true);
    title_->setFont(tf);
    v->addWidget(title_);

    auto* status = new QHBoxLayout;
    turn_ = new QLabel(this);
    turn_->setObjectName("turn");
    weather_ = new QLabel(utf8(fieldWeatherLine(b_)), this);
    weather_->setObjectName("weather");
    enemyOrder_ = new QLabel(this);
    enemyOrder_->setObjectName("enemyOrder");
    status->addWidget(turn_);
    status->addSpacing(24);
    status->addWidget(weather_);
    status->addStretch(1);
    status->addWidget(enemyOrder_);
    v->addLayout(status);

    strip_ = new FieldStrip(b_, this);
    v->addWidget(strip_);

    auto* armies = new QHBoxLayout;
    for (int s = 0; s < 2; ++s) {
        auto* col = new QVBoxLayout;
        auto* caption = new QLabel(QString("%1（%2）").arg(sideWord(s), houseOf(b_, s)), this);
        caption->setStyleSheet(QString("color: %1; font-weight: bold").arg(kSideColour[s].name()));
        col->addWidget(caption);
        units_[s] = new QTreeWidget(this);
        units_[s]->setObjectName(s == 0 ? "ownUnits" : "enemyUnits");
        units_[s]->setHeaderLabels({"陣", "名前", "士気", "騎馬兵", "足軽兵", "鉄砲数"});
        units_[s]->setRootIsDecorated(false);
        units_[s]->setFocusPolicy(Qt::NoFocus);
        units_[s]->setSelectionMode(QAbstractItemView::NoSelection);
        units_[s]->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        units_[s]->header()->setStretchLastSection(false);
        units_[s]->header()->setSectionResizeMode(1, QHeaderView::Stretch);
        col->addWidget(units_[s]);
        armies->addLayout(col);
    }
    v->addLayout(armies, 1);

    log_ = new QListWidget(this);
    log_->setObjectName("log");
    log_->setFocusPolicy(Qt::NoFocus);
    log_->setMaximumHeight(90);
    v->addWidget(log_);

    auto* buttons = new QHBoxLayout;
    for (int o = kOrderHold; o <= kOrderRetreat; ++o) {
        orders_[o] = new QPushButton(fieldOrderName(o), this);
        orders_[o]->setAutoDefault(false);
        connect(orders_[o], &QPushButton::clicked, this, [this, o] { order(o); });
        buttons->addWidget(orders_[o]);
    }
    buttons->addStretch(1);
    close_ = new QPushButton("閉じる", this);
    close_->setAutoDefault(false);
    close_->setEnabled(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close_);
    v->addLayout(buttons);
    resize(900, 600);
    refresh();
}

QStringList FieldBattleWindow::log() const {
    QStringList lines;
    for (int i = 0; i < log_->count(); ++i)
        lines << log_->item(i)->text();
    return lines;
}

void FieldBattleWindow::say(const QString& text) {
    log_->addItem(text);
    log_->scrollToBottom();
    message(text);
}

void FieldBattleWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (opened_) return;
    opened_ = true;
    if (b_.surprise == 0 || b_.surpriser < 0) return;
    const int by = b_.surprise == 1 ? 0 : 1;
    const QString text =
        QString("%1 の計略により %2 の軍勢が奇襲に成功し、%3 の本陣を急襲しました")
            .arg(utf8(b_.sides[by].generals[b_.surpriser].name), houseOf(b_, by), houseOf(b_, 1 - by));
    // After the window is on screen, so the message stands over it.
    QTimer::singleShot(0, this, [this, text] { say(text); });
}

void FieldBattleWindow::refresh() {
    turn_->setText(utf8(fieldTurnLine(b_)));
    const int unit = std::max(1, b_.settings.heiUnit);
    for (int s = 0; s < 2; ++s) {
        const FieldSide& side = b_.sides[s];
        QTreeWidget* list = units_[s];
        list->clear();
        for (int l = 0; l < kFieldLineCount; ++l)
            for (const FieldUnit& u : side.lines[l]) {
                auto* item = new QTreeWidgetItem(list);
                item->setText(0, fieldLineName(l));
                item->setText(1, utf8(unitName(side, u.ref)));
                item->setText(2, unitBroken(u) ? QString("敗走") : QString::number(u.morale));
                item->setText(3, QString::number(unitCavalry(side, u.ref) * unit));
                item->setText(4, QString::number(unitFoot(side, u.ref) * unit));
                item->setText(5, QString::number(unitGuns(side, u.ref) * unit));
                for (int c = 2; c <= 5; ++c)
                    item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
                if (unitBroken(u))
                    for (int c = 0; c <= 5; ++c)
                        item->setForeground(c, Qt::gray);
                if (l == side.frontLine)
                    for (int c = 0; c <= 5; ++c) {
                        QFont f = item->font(c);
                        f.setBold(true);
                        item->setFont(c, f);
                    }
            }
    }
    const bool open = b_.result == kFieldUndecided;
    for (int o = kOrderHold; o <= kOrderRetreat; ++o)
        orders_[o]->setEnabled(open && fieldOrderUsable(b_, 0, o));
    close_->setEnabled(!open);
    strip_->update();
}

void FieldBattleWindow::order(int o) {
    if (b_.result != kFieldUndecided || o < kOrderHold || o > kOrderRetreat || !fieldOrderUsable(b_, 0, o))
        return;
    if (o == kOrderRetreat && retreatRefused(b_, 0)) {
        message("奇襲により軍勢が混乱しているため撤退できません");
        return;
    }
    int enemy = kOrderHold;
    playHandFieldTurn(b_, o, rng_, &enemy);
    enemyOrder_->setText(QString("敵軍の行動 : %1").arg(fieldOrderName(enemy)));
    log_->addItem(
        QString("ターン %1 : 我軍 %2 ／ 敵軍 %3").arg(b_.turn).arg(fieldOrderName(o), fieldOrderName(enemy)));
    refresh();
    const FieldTurnEvents& e = b_.events;
    for (int s = 0; s < 2; ++s)
        if (e.blocked[s]) say(QString("%1は鉄砲に阻まれ前進できませんでした").arg(sideWord(s)));
    for (int s = 0; s < 2; ++s)
        if (e.breakthroughInto[s] >= 0)
            say(QString("%1の騎馬兵が%2の%3を突破し、%4を混乱させました")
                    .arg(sideWord(s), sideWord(1 - s), fieldLineName(e.breakthroughFrom[s]),
                         fieldLineName(e.breakthroughInto[s])));
    if (b_.result != kFieldUndecided) finish();
}

void FieldBattleWindow::finish() {
    finishFieldBattle(b_, rng_);
    refresh();
    for (const auto& [side, ref] : b_.dead)
        say(utf8(b_.sides[side].generals[ref].name) + "は討ち死にしました");
    QString result;
    if (b_.result == kFieldDraw) {
        say("両軍は退却しました");
        result = "引き分け";
    } else {
        const int winner = b_.result == kFieldSide0Won ? 0 : 1;
        say(QString("%1の軍勢は退却しました").arg(houseOf(b_, 1 - winner)));
        result = QString("%1の勝利").arg(houseOf(b_, winner));
    }
    title_->setText(result);
    setWindowTitle(result);
    close_->setFocus();
}

void FieldBattleWindow::reject() {
    // Escape closes a finished battle; during the battle the army does not simply walk away.
    if (b_.finished || abandoned_) QDialog::reject();
}

void FieldBattleWindow::closeEvent(QCloseEvent* e) {
    if (b_.finished || abandoned_) {
        QDialog::closeEvent(e);
        return;
    }
    // Closing the window in mid-battle closes the program.
    if (!question("ゲームを終了します")) {
        e->ignore();
        return;
    }
    abandoned_ = true;
    QDialog::closeEvent(e);
}

} // namespace vh::ui
