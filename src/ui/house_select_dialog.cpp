// The house selection dialog over the national map.
#include "ui/house_select_dialog.h"

#include "game/new_game.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vh::ui {

HouseSelectDialog::HouseSelectDialog(Game& game, const MapViewState& start, QWidget* parent)
    : QDialog(parent), game_(game) {
    setWindowTitle("大名家選択");
    auto* h = new QHBoxLayout(this);
    map_ = new MapView(game.world, this);
    MapViewState s = start;
    s.mode = MapMode::National;
    s.selectedProvince = -1;
    map_->setState(s);
    h->addWidget(map_);

    auto* v = new QVBoxLayout;
    auto* prompt = new QLabel("国を指定し、担当する大名家を選んでください", this);
    prompt->setWordWrap(true);
    v->addWidget(prompt);
    province_ = new QLabel(this);
    QFont f = province_->font();
    f.setPixelSize(18);
    f.setBold(true);
    province_->setFont(f);
    v->addWidget(province_);
    list_ = new QTreeWidget(this);
    list_->setColumnCount(3);
    list_->setHeaderLabels({"大名家", "城数", "石高"});
    list_->setRootIsDecorated(false);
    list_->setColumnWidth(0, 110);
    list_->setColumnWidth(1, 48);
    list_->setMinimumWidth(290);
    v->addWidget(list_, 1);
    watch_ = new QPushButton("観戦モード", this);
    v->addWidget(watch_);
    auto* watchNote = new QLabel("（大名を選択せずゲーム経過を観戦）", this);
    v->addWidget(watchNote);
    magnify_ = new QCheckBox("マップ拡大表示", this);
    magnify_->setChecked(s.scale == 2);
    v->addWidget(magnify_);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    v->addWidget(cancel);
    h->addLayout(v);

    connect(map_, &MapView::leftClicked, this, [this](int province, int) { pickProvince(province); });
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { pickHouse(item->data(0, Qt::UserRole).toInt()); });
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { pickHouse(item->data(0, Qt::UserRole).toInt()); });
    connect(watch_, &QPushButton::clicked, this, [this] {
        chosen_ = -1;
        accept();
    });
    connect(magnify_, &QCheckBox::toggled, map_, &MapView::setMagnified);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void HouseSelectDialog::pickProvince(int province) {
    const WorldState& w = game_.world;
    if (province < 0 || province >= w.provinceCount()) return;
    const std::vector<HouseChoice> rows = houseChoices(w, province);
    if (rows.empty()) {
        showMessage(this, utf8(noProvinceDataMessage(w, province)));
        return;
    }
    map_->state().selectedProvince = province;
    map_->update();
    province_->setText(provinceName(w, province));
    list_->clear();
    for (const HouseChoice& r : rows) {
        auto* item =
            new QTreeWidgetItem(list_, {houseName(w, r.house), QString::number(r.castles), kokuText(r.koku)});
        item->setData(0, Qt::UserRole, r.house);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void HouseSelectDialog::pickHouse(int house) {
    if (asking_) return; // a click and an activation of the same row ask once
    asking_ = true;
    const bool ok = askOkCancel(this, utf8(startAsHouseMessage(game_.world, house)));
    asking_ = false;
    if (!ok) return;
    chosen_ = house;
    accept();
}

} // namespace vh::ui
