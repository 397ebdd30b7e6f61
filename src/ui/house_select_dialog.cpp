// The house selection dialog over the national map.
#include "ui/house_select_dialog.h"

#include "context/game_text.h"
#include "game/new_game.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

HouseSelectDialog::HouseSelectDialog(Game& game, const MapViewState& start, QWidget* parent)
    : QDialog(parent), game_(game) {
    setWindowTitle("大名家選択");
    auto* h = new QHBoxLayout(this);
    map_ = newChoiceMap(game.world, start, this);
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
    list_ = new HouseChoiceList(this);
    v->addWidget(list_, 1);
    watch_ = new QPushButton("観戦モード", this);
    v->addWidget(watch_);
    auto* watchNote = new QLabel("（大名を選択せずゲーム経過を観戦）", this);
    v->addWidget(watchNote);
    magnify_ = newMagnifySwitch(map_, this);
    v->addWidget(magnify_);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    v->addWidget(cancel);
    h->addLayout(v);

    connect(map_, &MapView::leftClicked, this, [this](int province, int) { pickProvince(province); });
    connect(list_, &HouseChoiceList::houseChosen, this, &HouseSelectDialog::pickHouse);
    connect(watch_, &QPushButton::clicked, this, [this] {
        chosen_ = -1;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void HouseSelectDialog::pickProvince(int province) {
    const WorldState& w = game_.world;
    const std::vector<HouseChoice> rows = houseChoices(w, province);
    const std::string refusal = rows.empty() ? noProvinceDataMessage(w, province) : std::string();
    if (!markChosenProvince(this, map_, w, province, refusal)) return;
    province_->setText(provinceName(w, province));
    list_->clear();
    for (const HouseChoice& r : rows)
        list_->addHouse(r.house, houseName(w, r.house), r.castles, kokuText(r.koku));
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
