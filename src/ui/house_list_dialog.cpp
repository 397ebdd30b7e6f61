// The list of houses: one model, two views sharing its sorting and selection.
#include "ui/house_list_dialog.h"

#include "game/info_figures.h"
#include "ui/house_info_dialog.h"
#include "ui/ui_text.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace vh::ui {

HouseListDialog::HouseListDialog(const WorldState& world, const MapViewState& mapStart, QWidget* parent)
    : QDialog(parent), world_(world), mapStart_(mapStart) {
    setWindowTitle("大名家一覧");
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel("リストをクリックすると、勢力範囲を確認できます", this));

    const QStringList headers = {"大名家",         "城数",          "石高",     "石高(臣従含)", "町収入",
                                 "鉱山",           "武将数",        "騎馬兵数", "足軽兵数",     "鉄砲数",
                                 "城守備兵",       "資金",          "外交関係", "鉱山技術",     "航海技術",
                                 "交易船(待機中)", "交易船(航海中)"};
    const std::vector<int> widths = {160, 45, 110, 110, 70, 70, 65,  80, 80,
                                     80,  80, 90,  105, 80, 80, 120, 120};
    list_ = new InfoTable(headers, widths, this);
    list_->setAccessibleName("大名家一覧");
    names_ = new QTreeView(this);
    names_->setModel(list_->proxy());
    names_->setSelectionModel(list_->selectionModel());
    names_->setRootIsDecorated(false);
    names_->setIndentation(0);
    names_->setUniformRowHeights(true);
    names_->setAlternatingRowColors(true);
    names_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    names_->setSortingEnabled(true);
    names_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    names_->setAccessibleName("大名家");
    for (int c = 1; c < headers.size(); ++c)
        names_->setColumnHidden(c, true);
    list_->setColumnHidden(0, true);
    const int nameWidth = dialogUnitsToPixels(this, 160) * 2 / 3;
    names_->setColumnWidth(0, nameWidth);
    names_->setFixedWidth(nameWidth + 2 * names_->frameWidth() + 2);
    // Both views scroll as one; both keep a horizontal bar so their rows line up.
    names_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    names_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, names_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(names_->verticalScrollBar(), &QScrollBar::valueChanged, list_->verticalScrollBar(),
            &QScrollBar::setValue);
    // Sorting from the names' header shows its arrow there only, and the other way round.
    connect(names_->header(), &QHeaderView::sortIndicatorChanged, this, [this](int section, Qt::SortOrder) {
        if (section >= 0) list_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    });
    connect(list_->header(), &QHeaderView::sortIndicatorChanged, this, [this](int section, Qt::SortOrder) {
        if (section >= 0) names_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    });

    auto* lists = new QHBoxLayout;
    lists->setSpacing(0);
    lists->addWidget(names_);
    lists->addWidget(list_, 1);
    v->addLayout(lists, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("閉じる");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(buttons);

    const std::vector<HouseFigures> figures = houseFigures(world);
    const bool hasPlayer = world.playerHouse >= 0 && world.playerHouse < world.houseCount;
    for (int h = 0; h < world.houseCount; ++h) {
        if (!houseAlive(world, h)) continue;
        const HouseFigures& f = figures[h];
        const DaimyoHouse& d = world.houses[h];
        const int relation =
            hasPlayer && h != world.playerHouse ? relationKind(world.houses[world.playerHouse], h) : -1;
        list_->addRow({InfoTable::textCell(houseName(world, h)), InfoTable::numberCell(f.castles),
                       InfoTable::numberCell(f.koku, utf8(kokuSumText(f.koku))),
                       InfoTable::numberCell(f.kokuWithVassals, utf8(kokuSumText(f.kokuWithVassals))),
                       InfoTable::numberCell(f.town), InfoTable::numberCell(f.mines),
                       InfoTable::numberCell(f.generals), InfoTable::numberCell(f.cavalry),
                       InfoTable::numberCell(f.foot), InfoTable::numberCell(f.guns),
                       InfoTable::numberCell(f.garrison), InfoTable::numberCell(d.funds),
                       InfoTable::textCell(relation >= 0 ? utf8(relationName(relation)) : QString()),
                       InfoTable::numberCell(d.miningSkill / 10), InfoTable::numberCell(d.navigationSkill),
                       InfoTable::numberCell(f.shipsInPort), InfoTable::numberCell(f.shipsAtSea)},
                      h);
    }

    connect(list_, &InfoTable::rowChosen, this, &HouseListDialog::openHouse);
    connect(names_, &QTreeView::clicked, this, [this](const QModelIndex& i) {
        if (!names_->style()->styleHint(QStyle::SH_ItemView_ActivateItemOnSingleClick, nullptr, names_))
            openHouse(list_->rowKey(i.row()));
    });
    connect(names_, &QTreeView::activated, this,
            [this](const QModelIndex& i) { openHouse(list_->rowKey(i.row())); });
    resize(1180, 600);
}

void HouseListDialog::openHouse(int house) {
    if (!houseAlive(world_, house)) return;
    HouseInfoDialog d(world_, house, mapStart_, this);
    d.exec();
}

} // namespace vh::ui
