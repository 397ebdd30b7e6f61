// The house information and its map.
#include "ui/house_info_dialog.h"

#include "game/info_figures.h"
#include "ui/general_list_dialog.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

HouseMapView::HouseMapView(const WorldState& world, int house, QWidget* parent)
    : MapView(world, parent), world_(world), house_(house) {}

std::vector<QPointF> HouseMapView::markedPoints() const {
    std::vector<QPointF> out;
    const QTransform t = mapTransform(world_, state());
    const QRectF shown = nationalMapRect(world_);
    for (int c = 0; c < world_.castleCount; ++c) {
        if (world_.castles[c].owner != house_) continue;
        const QPointF at(world_.castleSites[c].x + 0.5, world_.castleSites[c].y + 0.5);
        if (shown.contains(at)) out.push_back(t.map(at));
    }
    return out;
}

void HouseMapView::paintEvent(QPaintEvent* e) {
    MapView::paintEvent(e);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = 5.0 + 2.0 * state().scale;
    for (const QPointF& at : markedPoints()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(20, 16, 12), 4.5));
        p.drawEllipse(at, r, r);
        p.setPen(QPen(QColor(255, 235, 60), 2.5));
        p.drawEllipse(at, r, r);
    }
}

HouseInfoDialog::HouseInfoDialog(const WorldState& world, int house, const MapViewState& mapStart,
                                 QWidget* parent)
    : QDialog(parent), world_(world), house_(house) {
    setWindowTitle("大名家情報");
    const DaimyoHouse& h = world.houses[house];
    auto* outer = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* form = new QFormLayout;
    form->setVerticalSpacing(4);
    auto add = [&](const QString& caption, const QString& value) {
        auto* l = new QLabel(value, this);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        values_[caption] = l;
        form->addRow(caption + " :", l);
    };
    add("家名", houseName(world, house));
    values_["家名"]->setStyleSheet("font-weight: bold; font-size: 16px;");
    lordLine_ = new QLabel(utf8(lordLineText(world, house)), this);
    lordLine_->setObjectName("lordLine");
    form->addRow(QString(), lordLine_);
    const bool hasHead = h.head >= 0 && h.head < world.generalCount;
    add("当主", hasHead ? fieldQText(world, world.generals[h.head].name) : QString("---"));
    const std::vector<HouseFigures> all = houseFigures(world);
    const HouseFigures f = house >= 0 && house < static_cast<int>(all.size()) ? all[house] : HouseFigures{};
    add("総石高", utf8(kokuSumText(f.koku)));
    add("支配城数", QString::number(f.castles));
    add("資金", QString::number(h.funds));
    add("航海技術", QString::number(h.navigationSkill));
    add("鉱山技術", QString::number(h.miningSkill / 10));
    left->addLayout(form);
    left->addStretch(1);
    generals_ = new QPushButton("武将情報(&G)", this);
    left->addWidget(generals_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("閉じる");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    left->addWidget(buttons);
    outer->addLayout(left);

    auto* right = new QVBoxLayout;
    map_ = new HouseMapView(world, house, this);
    MapViewState s = mapStart;
    s.mode = MapMode::National;
    s.colourCoding = false;
    s.selectedProvince = -1; // only the house's own castles stand out here
    map_->setState(s);
    right->addWidget(map_);
    magnify_ = new QCheckBox("マップ拡大表示(&M)", this);
    magnify_->setChecked(s.scale == 2);
    right->addWidget(magnify_);
    outer->addLayout(right);

    connect(magnify_, &QCheckBox::toggled, map_, &MapView::setMagnified);
    connect(generals_, &QPushButton::clicked, this, [this] {
        GeneralListDialog d(world_, house_, this);
        d.exec();
    });
}

QString HouseInfoDialog::value(const QString& caption) const {
    const QLabel* l = values_.value(caption);
    return l ? l->text() : QString();
}

} // namespace vh::ui
