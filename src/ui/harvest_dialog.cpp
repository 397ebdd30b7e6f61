// The harvest dialog: outcome map with its legend, the tax rates and OK.
#include "ui/harvest_dialog.h"

#include "simulation/harvest.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vh::ui {

QColor harvestColour(int outcome) {
    if (outcome > 0) return QColor(255, 255, 100);
    if (outcome < 0) return QColor(200, 100, 50);
    return QColor(200, 200, 20);
}

HarvestDialog::HarvestDialog(const WorldState& world, const HarvestRequest& request,
                             const MapViewState& start, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("収穫");
    setProperty("vhRoutineDialog", true);
    auto* h = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("各地の収穫状況", this));
    map_ = new OverlayMapView(world, this);
    MapViewState s = start;
    s.mode = MapMode::National;
    s.selectedProvince = -1;
    map_->setState(s);
    std::vector<std::pair<int, QColor>> fills;
    const int provinces = std::min<int>(world.provinceCount(), static_cast<int>(request.outcomes.size()));
    for (int p = 0; p < world.provinceCount(); ++p)
        fills.emplace_back(p, harvestColour(p < provinces ? int(request.outcomes[p]) : int(kHarvestNormal)));
    map_->setProvinceFills(std::move(fills));
    left->addWidget(map_);
    auto* legend = new QHBoxLayout;
    legend->addWidget(legendEntry(harvestColour(kHarvestGood), "豊作", this));
    legend->addWidget(legendEntry(harvestColour(kHarvestNormal), "通常", this));
    legend->addWidget(legendEntry(harvestColour(kHarvestPoor), "不作", this));
    legend->addStretch(1);
    left->addLayout(legend);
    h->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* title = new QLabel("米の収穫期です", this);
    QFont f = title->font();
    f.setPixelSize(18);
    f.setBold(true);
    title->setFont(f);
    right->addWidget(title);
    auto* group = new QGroupBox("税率設定", this);
    auto* rates = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(this);
    for (int i = 0; i < kTaxChoices; ++i) {
        QString caption = QString("%1%").arg(kTaxRateTable[i]);
        if (i == kStandardTaxIndex) caption += " (標準)";
        rates_[i] = new QRadioButton(caption, group);
        buttons->addButton(rates_[i], i);
        rates->addWidget(rates_[i]);
    }
    rates_[kStandardTaxIndex]->setChecked(true);
    right->addWidget(group);
    right->addStretch(1);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    right->addWidget(ok);
    h->addLayout(right);
}

int HarvestDialog::taxIndex() const {
    for (int i = 0; i < kTaxChoices; ++i)
        if (rates_[i]->isChecked()) return i;
    return kStandardTaxIndex;
}

} // namespace vh::ui
