// The automatic progress dialog: a 10-millisecond timer finishes one phase per tick.
#include "ui/auto_progress_dialog.h"

#include "game/display_rules.h"
#include "game/info_figures.h"
#include "ui/ranking_marker.h"
#include "ui/ui_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vh::ui {

AutoProgressDialog::AutoProgressDialog(Game& game, std::function<void()> afterTick, QWidget* parent)
    : QDialog(parent), game_(game), afterTick_(std::move(afterTick)) {
    setWindowTitle("自動進行");
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel("いつまで自動進行させますか？", this));
    auto* when = new QHBoxLayout;
    year_ = new QSpinBox(this);
    year_->setRange(-32768, 32767);
    year_->setValue(game.world.date.year + 1);
    month_ = new QSpinBox(this);
    month_->setRange(1, 12);
    month_->setValue(game.world.date.month);
    auto* yearLabel = new QLabel("年(&Y)", this);
    auto* monthLabel = new QLabel("月(&M)", this);
    yearLabel->setBuddy(year_);
    monthLabel->setBuddy(month_);
    when->addWidget(year_);
    when->addWidget(yearLabel);
    when->addWidget(month_);
    when->addWidget(monthLabel);
    when->addStretch(1);
    v->addLayout(when);

    auto* buttons = new QHBoxLayout;
    start_ = new QPushButton("自動進行スタート(&S)", this);
    stop_ = new QPushButton("中断(&P)", this);
    close_ = new QPushButton("閉じる(&C)", this);
    start_->setDefault(true);
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    buttons->addWidget(close_);
    v->addLayout(buttons);

    auto* sortRow = new QHBoxLayout;
    auto* listLabel = new QLabel("大名家一覧", this);
    listLabel->setStyleSheet("font-weight: bold;");
    sortRow->addWidget(listLabel);
    sortRow->addStretch(1);
    auto* sortLabel = new QLabel("ソート(&O)", this);
    sort_ = new QComboBox(this);
    sort_->addItems({"城数", "石高(直轄)", "石高(臣従込み)"});
    sort_->setCurrentIndex(ByYieldWithVassals);
    sortLabel->setBuddy(sort_);
    sortRow->addWidget(sortLabel);
    sortRow->addWidget(sort_);
    v->addLayout(sortRow);
    list_ = new QTreeWidget(this);
    list_->setColumnCount(2);
    list_->setRootIsDecorated(false);
    list_->setIndentation(0);
    list_->setUniformRowHeights(true);
    list_->setColumnWidth(0, 150);
    list_->setMinimumSize(320, 300);
    list_->setAccessibleName("大名家一覧");
    v->addWidget(list_, 1);

    stop_->setEnabled(false);
    timer_.setInterval(10);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &AutoProgressDialog::tick);
    connect(start_, &QPushButton::clicked, this, &AutoProgressDialog::startRun);
    connect(stop_, &QPushButton::clicked, this, &AutoProgressDialog::stopRun);
    connect(close_, &QPushButton::clicked, this, &AutoProgressDialog::reject);
    connect(sort_, &QComboBox::currentIndexChanged, this, &AutoProgressDialog::refreshList);
    refreshList();
}

void AutoProgressDialog::startRun() {
    if (run_.running) return;
    if (!startAutoProgress(game_, run_, GameDate{year_->value(), month_->value()})) return;
    setRunning(true);
    timer_.start();
}

void AutoProgressDialog::stopRun() {
    timer_.stop();
    stopAutoProgress(game_, run_);
    setRunning(false);
}

void AutoProgressDialog::setRunning(bool on) {
    start_->setEnabled(!on);
    close_->setEnabled(!on);
    year_->setEnabled(!on);
    month_->setEnabled(!on);
    stop_->setEnabled(on);
    (on ? stop_ : start_)->setFocus();
}

void AutoProgressDialog::tick() {
    last_ = autoProgressTick(game_, run_);
    refreshList();
    if (afterTick_) afterTick_();
    switch (last_) {
    case AutoTick::Continue:
        timer_.start();
        break;
    case AutoTick::ReachedTarget:
        setRunning(false);
        break;
    case AutoTick::GameOver:
    case AutoTick::PlayerEnded:
        setRunning(false);
        accept();
        break;
    }
}

void AutoProgressDialog::reject() {
    // Escape while running interrupts; once stopped it closes. Either way quiet mode ends.
    if (run_.running) {
        stopRun();
        return;
    }
    stopAutoProgress(game_, run_);
    QDialog::reject();
}

void AutoProgressDialog::refreshList() {
    const WorldState& w = game_.world;
    const int key = sort_->currentIndex();
    list_->setHeaderLabels({"大名家", sort_->currentText()});
    const std::vector<HouseFigures> figures = houseFigures(w);
    struct Row {
        int house;
        long long value;
    };
    std::vector<Row> rows;
    for (int h = 0; h < w.houseCount; ++h) {
        if (!houseAlive(w, h)) continue;
        const HouseFigures& f = figures[h];
        rows.push_back({h, key == ByCastles ? f.castles : key == ByOwnYield ? f.koku : f.kokuWithVassals});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.value > b.value; });
    list_->clear();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const Row& r = rows[i];
        const QString value = key == ByCastles ? QString::number(r.value) : utf8(kokuSumText(r.value));
        auto* item = new QTreeWidgetItem(list_, {houseName(w, r.house), value});
        const bool submitted = w.houses[r.house].vassalState == 2;
        item->setIcon(0, rankingMarker(i, submitted));
        item->setData(0, Qt::UserRole, r.house);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
}

} // namespace vh::ui
