// The move and sortie windows: the province map, the prompts, the source castle and its generals.
#include "ui/army_order_dialogs.h"

#include "game/display_rules.h"
#include "military/moves.h"
#include "military/sorties.h"
#include "ui/info_table.h"
#include "ui/province_switch_dialog.h"
#include "ui/ui_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vh::ui {

namespace {

QLabel* boldLabel(int pixelSize, QWidget* parent) {
    auto* l = new QLabel(parent);
    QFont f = l->font();
    f.setPixelSize(pixelSize);
    f.setBold(true);
    l->setFont(f);
    l->setMinimumHeight(pixelSize + 8);
    return l;
}

} // namespace

ArmyOrderDialog::ArmyOrderDialog(const WorldState& world, int house, const MapViewState& start,
                                 const Texts& texts, QWidget* parent)
    : QDialog(parent), world_(world), house_(house), texts_(texts) {
    setWindowTitle(texts.title);
    auto* h = new QHBoxLayout(this);
    map_ = new MapView(world, this);
    // The main window's scroll offsets per province come along with its state.
    map_->setState(start);
    map_->setDecor(&decor_);
    h->addWidget(map_);

    auto* v = new QVBoxLayout;
    prompt_ = boldLabel(15, this);
    prompt_->setObjectName("prompt");
    v->addWidget(prompt_);
    hint_ = new QLabel(kMultiSelectHint, this);
    hint_->setObjectName("hint");
    v->addWidget(hint_);
    auto* provinceRow = new QHBoxLayout;
    province_ = boldLabel(18, this);
    province_->setObjectName("province");
    provinceRow->addWidget(province_, 1);
    switch_ = new QPushButton("国表示切り替え", this);
    switch_->setAutoDefault(false);
    provinceRow->addWidget(switch_);
    v->addLayout(provinceRow);
    source_ = boldLabel(16, this);
    source_->setObjectName("source");
    v->addWidget(source_);

    list_ = new QTreeWidget(this);
    list_->setColumnCount(4);
    list_->setHeaderLabels({"名前", "騎馬", "足軽", "鉄砲"});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->header()->setSectionsClickable(true);
    list_->header()->setStretchLastSection(false);
    const int widths[] = {70, 37, 37, 37};
    int total = 0;
    for (int c = 0; c < 4; ++c) {
        list_->setColumnWidth(c, dialogUnitsToPixels(list_, widths[c]));
        total += list_->columnWidth(c);
    }
    list_->setMinimumWidth(total + 24);
    v->addWidget(list_, 1);

    cancel_ = new QPushButton("ｷｬﾝｾﾙ", this);
    cancel_->setAutoDefault(false);
    v->addWidget(cancel_, 0, Qt::AlignRight);
    h->addLayout(v);

    connect(map_, &MapView::leftClicked, this, &ArmyOrderDialog::onMapClick);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &ArmyOrderDialog::updatePrompt);
    connect(list_->header(), &QHeaderView::sectionClicked, this, &ArmyOrderDialog::sortByColumn);
    connect(switch_, &QPushButton::clicked, this, &ArmyOrderDialog::switchProvince);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    const int first = start.selectedProvince >= 0 ? start.selectedProvince : start.province;
    if (first >= 0) showProvince(first);
    setSource(-1, {});
    list_->setFocus();
}

std::vector<int> ArmyOrderDialog::selectedGenerals() const {
    std::vector<int> out;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (list_->topLevelItem(i)->isSelected())
            out.push_back(list_->topLevelItem(i)->data(0, Qt::UserRole).toInt());
    return out;
}

void ArmyOrderDialog::showProvince(int province) {
    if (province < 0 || province >= world_.provinceCount()) return;
    map_->showProvince(province);
    province_->setText(provinceName(world_, province));
}

bool ArmyOrderDialog::targeting() const {
    return !list_->selectedItems().isEmpty();
}

void ArmyOrderDialog::clickCastle(int castle) {
    if (castle < 0 || castle >= world_.castleCount) return;
    if (!targeting()) {
        pickSource(castle);
        return;
    }
    const std::string refusal = checkTarget(castle);
    if (!refusal.empty()) {
        showMessage(this, utf8(refusal));
        return;
    }
    target_ = castle;
    accept();
}

void ArmyOrderDialog::onMapClick(int province, int castle) {
    if (castle >= 0) {
        clickCastle(castle);
        return;
    }
    if (targeting() || (texts_.switchOnlyWithoutSource && sourceCastle_ >= 0)) return;
    if (province >= 0 && province != map_->state().province && provinceHasCastle(world_, province))
        showProvince(province);
}

void ArmyOrderDialog::switchProvince() {
    ProvinceSwitchDialog d(world_, map_->state(), this);
    if (d.exec() == QDialog::Accepted) showProvince(d.chosenProvince());
}

void ArmyOrderDialog::setSource(int castle, const std::vector<int>& generals) {
    generals_ = generals;
    sourceCastle_ = generals.empty() ? -1 : castle;
    source_->setText(sourceCastle_ >= 0 ? castleName(world_, sourceCastle_) : QString());
    fillList();
}

void ArmyOrderDialog::fillList() {
    const std::vector<int> keep = selectedGenerals();
    const QSignalBlocker block(list_);
    list_->clear();
    const int unit = world_.settings.heiUnit;
    for (int g : generals_) {
        const General& r = world_.generals[g];
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, fieldQText(world_, r.name));
        item->setText(1, QString::number(r.cavalry * unit));
        item->setText(2, QString::number(r.foot * unit));
        item->setText(3, QString::number(r.guns * unit));
        for (int c = 1; c < 4; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, Qt::UserRole, g);
        item->setSelected(std::find(keep.begin(), keep.end(), g) != keep.end());
    }
    updatePrompt();
}

void ArmyOrderDialog::sortByColumn(int column) {
    sortGeneralList(world_, house_, generals_, column);
    fillList();
}

void ArmyOrderDialog::updatePrompt() {
    const bool any = list_->topLevelItemCount() > 0;
    if (targeting()) {
        prompt_->setText(texts_.promptTarget);
        hint_->setVisible(texts_.hintWhileTargeting);
    } else {
        prompt_->setText(any ? texts_.promptGenerals : texts_.promptSource);
        hint_->setVisible(any);
    }
}

// ---- 武将移動 ----

MoveDialog::MoveDialog(const WorldState& world, int house, const MapViewState& start, QWidget* parent)
    : ArmyOrderDialog(
          world, house, start,
          {kMoveTitle, kMovePromptSource, kMovePromptGenerals, kMovePromptDestination, true, true}, parent) {
    decor_.greyCastle = [this](int c) {
        return !dist_.empty() && moveCastleOutOfReach(world_, house_, dist_, c);
    };
}

void MoveDialog::pickSource(int castle) {
    const MoveSource s = moveSource(world_, house_, castle);
    setSource(s.castle, s.generals);
    dist_ = s.castle >= 0 ? moveDistances(world_, house_, s.castle) : DistanceTable{};
    mapView()->update();
    if (!s.refusal.empty()) showMessage(this, utf8(s.refusal));
}

std::string MoveDialog::checkTarget(int castle) {
    return checkMoveDestination(world_, house_, sourceCastle(), dist_, castle,
                                static_cast<int>(selectedGenerals().size()));
}

// ---- 出陣 ----

SortieDialog::SortieDialog(const WorldState& world, int house, const MapViewState& start, QWidget* parent)
    : ArmyOrderDialog(
          world, house, start,
          {kSortieTitle, kSortiePromptSource, kSortiePromptGenerals, kSortiePromptTarget, false, false},
          parent) {}

void SortieDialog::pickSource(int castle) {
    const std::string far = checkSortieReach(world_, house_, castle);
    if (!far.empty()) {
        showMessage(this, utf8(far));
        return;
    }
    setSource(castle, sortieCandidates(world_, house_, castle));
}

std::string SortieDialog::checkTarget(int castle) {
    // A castle out of the head's reach can be neither source nor target.
    std::string refusal = checkSortieReach(world_, house_, castle);
    if (refusal.empty())
        refusal = checkSortieTarget(world_, house_, sourceCastle(), castle,
                                    static_cast<int>(selectedGenerals().size()));
    return refusal;
}

} // namespace vh::ui
