// Layout and contents of the castle information.
#include "ui/castle_info_dialog.h"

#include "game/info_figures.h"
#include "ui/castle_picture.h"
#include "ui/house_info_dialog.h"
#include "ui/info_cells.h"
#include "ui/ui_text.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

namespace {

QStringList generalHeaders(bool action) {
    QStringList h = {"名前", "所属", "地位", "年齢", "騎馬兵", "足軽兵", "鉄砲数", "武勇", "政治", "智謀"};
    if (action) h << "行動";
    return h;
}

std::vector<int> generalWidths(bool action) {
    std::vector<int> w = {100, 80, 110, 36, 48, 48, 48, 36, 36, 36};
    if (action) w.push_back(48);
    return w;
}

QString maxText(long long value, long long max) {
    return QString("%1 (Max %2)").arg(value).arg(max);
}

} // namespace

CastleInfoDialog::CastleInfoDialog(const WorldState& world, int castle, const MapViewState& mapStart,
                                   QWidget* parent)
    : QDialog(parent), world_(world), castle_(castle), mapStart_(mapStart) {
    setWindowTitle("城情報");
    const Castle& k = world.castles[castle];
    const CastleSite& site = world.castleSites[castle];
    auto* v = new QVBoxLayout(this);

    // Top: picture and figures, then the siege and port groups.
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(castlePicture(site.picture));
    picture->setAlignment(Qt::AlignTop);
    top->addWidget(picture);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    addValue(grid, 0, 0, "城の名前", castleName(world, castle));
    values_["城の名前"]->setStyleSheet("font-weight: bold;");
    addValue(grid, 1, 0, "石高", QString("%1 (Max %2)").arg(kokuText(k.yield), kokuText(site.maxYield)));
    addValue(grid, 2, 0, "所有大名家", houseName(world, k.owner));
    houseButton_ = new QPushButton("大名家情報(&H)", this);
    houseButton_->setEnabled(k.owner >= 0 && k.owner < world.houseCount);
    houseButton_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    grid->addWidget(houseButton_, 2, 2, 1, 2, Qt::AlignLeft);
    const bool hasLord = k.lord >= 0 && k.lord < world.generalCount;
    addValue(grid, 3, 0, "城主", hasLord ? fieldQText(world, world.generals[k.lord].name) : QString("---"));
    addValue(grid, 4, 0, "兵糧",
             maxText(k.food, static_cast<long long>(k.size) * world.settings.shiroHyourouMax));
    addValue(grid, 5, 0, "守備兵",
             QString::number(static_cast<long long>(k.garrison) * world.settings.heiUnit));
    addValue(grid, 6, 0, "城規模", QString::number(k.size));
    addValue(grid, 4, 2, "町経済", maxText(k.town, site.maxTown));
    addValue(grid, 5, 2, "鉱山", maxText(k.mine, site.maxMine));
    addValue(grid, 6, 2, "民衆支持率", utf8(percentTenthsText(k.support)));
    grid->setColumnStretch(4, 1);
    top->addLayout(grid, 1);

    auto* siege = new QGroupBox("包囲軍侵攻度", this);
    auto* siegeGrid = new QGridLayout(siege);
    siegeGrid->setVerticalSpacing(1);
    const int shown = castlePartsShown(k.size);
    for (int part = 0; part < kCastlePartCount; ++part) {
        parts_[part] = new QLabel(siege);
        parts_[part]->setObjectName(QString("part%1").arg(part));
        const bool visible = part < shown;
        if (visible)
            parts_[part]->setText(QString("%1 : %2").arg(
                utf8(castlePartName(part)), utf8(castlePartText(k.siegeProgress, k.size, part))));
        parts_[part]->setVisible(visible);
        siegeGrid->addWidget(parts_[part], part % 5, part / 5);
    }
    top->addWidget(siege, 0, Qt::AlignTop);

    if (site.hasPort) {
        port_ = new QGroupBox("港", this);
        auto* portBox = new QVBoxLayout(port_);
        auto* waiting = new QLabel(QString::asprintf("待機中%3d", shipsInPort(k)), port_);
        auto* atSea = new QLabel(QString::asprintf("航海中%3d", shipsAtSea(k)), port_);
        waiting->setObjectName("shipsInPort");
        atSea->setObjectName("shipsAtSea");
        portBox->addWidget(waiting);
        portBox->addWidget(atSea);
        top->addWidget(port_, 0, Qt::AlignTop);
    }
    v->addLayout(top);

    // The garrison and the army before the castle.
    const bool gAction = showsActionColumn(world, castle, false);
    const bool bAction = showsActionColumn(world, castle, true);
    auto* garrisonHeading = new QLabel("在城武将", this);
    garrisonHeading->setStyleSheet("font-weight: bold;");
    v->addWidget(garrisonHeading);
    garrison_ = new InfoTable(generalHeaders(gAction), generalWidths(gAction), this);
    garrison_->setAccessibleName("在城武将");
    garrisonHeading->setBuddy(garrison_);
    v->addWidget(garrison_, 1);
    auto* garrisonTotals = new QLabel(this);
    garrisonTotals->setObjectName("garrisonTotals");
    v->addWidget(garrisonTotals);
    fillList(garrison_, false, garrisonTotals);

    const bool besieged = k.besiegedBy >= 0 && k.besiegedBy < world.houseCount;
    besiegerHeading_ = new QLabel(
        besieged ? QString("包囲武将 (%1)").arg(houseName(world, k.besiegedBy)) : QString("包囲武将"), this);
    besiegerHeading_->setStyleSheet("font-weight: bold;");
    v->addWidget(besiegerHeading_);
    besiegers_ = new InfoTable(generalHeaders(bAction), generalWidths(bAction), this);
    besiegers_->setAccessibleName("包囲武将");
    besiegers_->setEnabled(besieged);
    v->addWidget(besiegers_, 1);
    auto* besiegerTotals = new QLabel(this);
    besiegerTotals->setObjectName("besiegerTotals");
    v->addWidget(besiegerTotals);
    fillList(besiegers_, true, besiegerTotals);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("閉じる");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(buttons);
    connect(houseButton_, &QPushButton::clicked, this, [this] {
        HouseInfoDialog d(world_, world_.castles[castle_].owner, mapStart_, this);
        d.exec();
    });
    resize(std::max(sizeHint().width(), garrison_->header()->length() + 40), 640);
}

void CastleInfoDialog::addValue(QGridLayout* grid, int row, int column, const QString& caption,
                                const QString& value) {
    auto* c = new QLabel(caption, this);
    c->setStyleSheet("color: #5a4a32;");
    auto* v = new QLabel(": " + value, this);
    v->setTextInteractionFlags(Qt::TextSelectableByMouse);
    values_[caption] = v;
    grid->addWidget(c, row, column);
    grid->addWidget(v, row, column + 1);
}

QString CastleInfoDialog::value(const QString& caption) const {
    const QLabel* l = values_.value(caption);
    return l ? l->text().mid(2) : QString();
}

QStringList CastleInfoDialog::partLines() const {
    QStringList lines;
    for (const QLabel* l : parts_)
        if (!l->isHidden()) lines << l->text();
    return lines;
}

void CastleInfoDialog::fillList(InfoTable* list, bool besiegers, QLabel* totals) {
    const WorldState& w = world_;
    const Castle& k = w.castles[castle_];
    const bool action = list->columnOf("行動") >= 0;
    const int count = besiegers ? k.besiegerCount : k.generalCount;
    long long cavalry = 0, foot = 0;
    for (int i = 0; i < count && i < Castle::kMaxGenerals; ++i) {
        const int g = besiegers ? k.besiegers[i] : k.generals[i];
        if (g < 0 || g >= w.generalCount) continue;
        QList<QStandardItem*> row = generalCells(w, g);
        if (action) row << InfoTable::textCell(utf8(actionText(w.generals[g])));
        list->addRow(row, g);
        cavalry += static_cast<long long>(w.generals[g].cavalry) * w.settings.heiUnit;
        foot += static_cast<long long>(w.generals[g].foot) * w.settings.heiUnit;
    }
    totals->setText(QString("総騎馬兵 : %1　　総足軽兵 : %2").arg(cavalry).arg(foot));
}

} // namespace vh::ui
