// The province display switch dialog.
#include "ui/province_switch_dialog.h"

#include "game/display_rules.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

ProvinceSwitchDialog::ProvinceSwitchDialog(const WorldState& world, const MapViewState& start,
                                           QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("国表示切替");
    auto* v = new QVBoxLayout(this);
    map_ = new MapView(world, this);
    MapViewState s = start;
    s.mode = MapMode::National;
    map_->setState(s);
    v->addWidget(map_);
    auto* row = new QHBoxLayout;
    magnify_ = new QCheckBox("マップ拡大表示", this);
    magnify_->setChecked(s.scale == 2);
    row->addWidget(magnify_);
    row->addStretch(1);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    row->addWidget(cancel);
    v->addLayout(row);
    connect(magnify_, &QCheckBox::toggled, map_, &MapView::setMagnified);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(map_, &MapView::leftClicked, this, [this, &world](int province, int) {
        if (province < 0 || !provinceHasCastle(world, province)) return;
        chosen_ = province;
        accept();
    });
}

} // namespace vh::ui
