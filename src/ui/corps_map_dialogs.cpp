// The corps orders, fief and assets dialogs. Every change goes through the corps rules at once.
#include "ui/corps_map_dialogs.h"

#include "diplomacy/diplomacy_text.h"
#include "personnel/corps.h"
#include "ui/corps_organise_dialog.h"
#include "ui/house_choice_list.h"
#include "ui/ui_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace vh::ui {

namespace {

bool hasCastles(const WorldState& w, int province) {
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castleSites[c].province == province) return true;
    return false;
}

} // namespace

// ---- 軍団指示 ----

CorpsOrdersDialog::CorpsOrdersDialog(WorldState& world, const MapViewState& start, QWidget* parent)
    : QDialog(parent), world_(world) {
    setWindowTitle("軍団指示");
    auto* v = new QVBoxLayout(this);
    corps_ = newCorpsList(false, this);
    fillCorpsList(corps_, world, false);
    corps_->setMaximumHeight(150);
    v->addWidget(corps_);
    auto* h = new QHBoxLayout;
    map_ = newChoiceMap(world, start, this);
    map_->setDecor(&decor_);
    h->addWidget(map_);
    auto* side = new QVBoxLayout;
    hint_ = new QLabel("国をクリックすると担当国を指定/解除できます", this);
    hint_->setWordWrap(true);
    hint_->setVisible(false);
    side->addWidget(hint_);
    auto* group = new QGroupBox("行動指示", this);
    auto* gv = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(this);
    const char* names[4] = {"待機", "侵攻", "内政", "侵攻・内政"};
    for (int a = 0; a < 4; ++a) {
        actions_[a] = new QRadioButton(names[a], group);
        buttons->addButton(actions_[a], a);
        gv->addWidget(actions_[a]);
    }
    side->addWidget(group);
    fief_ = new QCheckBox("侵攻地軍団所領化", this);
    side->addWidget(fief_);
    side->addWidget(newMagnifySwitch(map_, this));
    side->addStretch(1);
    auto* close = new QPushButton("閉じる", this);
    close->setAutoDefault(false);
    side->addWidget(close);
    h->addLayout(side);
    v->addLayout(h, 1);

    connect(corps_, &QTreeWidget::itemSelectionChanged, this, &CorpsOrdersDialog::corpsChosen);
    connect(buttons, &QButtonGroup::idClicked, this, [this](int action) {
        if (loading_ || corps_->currentKey() < 0) return;
        setCorpsAction(world_, corps_->currentKey(), action);
        refresh();
    });
    connect(fief_, &QCheckBox::toggled, this, [this](bool on) {
        if (loading_ || corps_->currentKey() < 0) return;
        setCorpsFiefOnConquest(world_, corps_->currentKey(), on);
    });
    connect(map_, &MapView::leftClicked, this, [this](int province, int) { clickProvince(province); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    corpsChosen();
}

void CorpsOrdersDialog::corpsChosen() {
    const int c = corps_->currentKey();
    loading_ = true;
    hint_->setVisible(c >= 0);
    for (QRadioButton* b : actions_)
        b->setEnabled(c >= 0);
    fief_->setEnabled(c >= 0);
    if (c >= 0) {
        actions_[corpsAction(world_.corps[c])]->setChecked(true);
        fief_->setChecked((world_.corps[c].orders & kCorpsFiefOnConquest) != 0);
    }
    loading_ = false;
    decor_.filledProvinces.clear();
    if (c >= 0)
        for (uint8_t p : world_.corps[c].provinces)
            if (p != kNoProvince) decor_.filledProvinces.push_back(p);
    map_->update();
}

void CorpsOrdersDialog::refresh() {
    fillCorpsList(corps_, world_, false);
    corpsChosen();
}

void CorpsOrdersDialog::clickProvince(int province) {
    const int c = corps_->currentKey();
    if (c < 0 || province < 0 || province >= world_.provinceCount()) return;
    const std::string refusal = toggleResponsibleProvince(world_, c, province);
    if (!refusal.empty()) showMessage(this, utf8(refusal));
    refresh();
}

// ---- 軍団領地割当 ----

CorpsFiefDialog::CorpsFiefDialog(WorldState& world, const MapViewState& start, QWidget* parent)
    : QDialog(parent), world_(world), start_(start) {
    setWindowTitle("軍団領地割当");
    auto* v = new QVBoxLayout(this);
    corps_ = newCorpsList(false, this);
    fillCorpsList(corps_, world, false);
    corps_->setMaximumHeight(150);
    v->addWidget(corps_);
    v->addWidget(new QLabel("軍団を選択し、国をクリックすると国内画面に切り替わります", this));
    map_ = newChoiceMap(world, start, this);
    v->addWidget(map_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(newMagnifySwitch(map_, this));
    row->addStretch(1);
    auto* close = new QPushButton("閉じる", this);
    close->setAutoDefault(false);
    row->addWidget(close);
    v->addLayout(row);
    connect(map_, &MapView::leftClicked, this, [this](int province, int) { clickProvince(province); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void CorpsFiefDialog::clickProvince(int province) {
    if (province < 0 || province >= world_.provinceCount()) return;
    const int c = corps_->currentKey();
    if (c < 0) {
        showMessage(this, "先に軍団を選択してください");
        return;
    }
    if (!hasCastles(world_, province)) {
        showMessage(this, utf8(noProvinceDataMessage(world_, province)));
        return;
    }
    CorpsProvinceFiefDialog d(world_, c, province, map_->state(), this);
    d.exec();
    fillCorpsList(corps_, world_, false);
}

// ---- 軍団所領割当 ----

CorpsProvinceFiefDialog::CorpsProvinceFiefDialog(WorldState& world, int corps, int province,
                                                 const MapViewState& start, QWidget* parent)
    : QDialog(parent), world_(world), corps_(corps) {
    setWindowTitle("軍団所領割当");
    auto* v = new QVBoxLayout(this);
    auto* heading =
        new QLabel(utf8(generalNameText(world, world.corps[corps].leader)) + " 軍団の所領の設定", this);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);
    v->addWidget(heading);
    auto* row = new QHBoxLayout;
    province_ = new QLabel(this);
    province_->setObjectName("province");
    row->addWidget(province_);
    row->addWidget(new QLabel("(城クリックで設定/解除)", this));
    row->addStretch(1);
    v->addLayout(row);
    map_ = new MapView(world, this);
    map_->setState(start);
    decor_.castleLabel = [this](int castle) -> QString {
        const Castle& k = world_.castles[castle];
        if (k.owner != world_.playerHouse) return {};
        if (k.corps == corps_) return "所領";
        return k.corps >= 0 ? QString("他軍団") : QString("直轄");
    };
    decor_.greyCastle = [this](int castle) { return world_.castles[castle].owner != world_.playerHouse; };
    map_->setDecor(&decor_);
    v->addWidget(map_, 1);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    v->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(map_, &MapView::leftClicked, this, &CorpsProvinceFiefDialog::click);
    showProvince(province);
}

void CorpsProvinceFiefDialog::showProvince(int province) {
    province_->setText(provinceName(world_, province));
    map_->showProvince(province);
}

void CorpsProvinceFiefDialog::click(int province, int castle) {
    if (castle >= 0) {
        if (toggleFiefCastle(world_, corps_, castle)) map_->update();
        return;
    }
    if (province >= 0 && province < world_.provinceCount() && province != map_->state().province &&
        hasCastles(world_, province))
        showProvince(province);
}

// ---- 軍団資産 ----

CorpsAssetsDialog::CorpsAssetsDialog(WorldState& world, QWidget* parent) : QDialog(parent), world_(world) {
    setWindowTitle("軍団資産");
    auto* v = new QVBoxLayout(this);
    auto* group = new QGroupBox("大名資産", this);
    auto* gg = new QGridLayout(group);
    gg->addWidget(new QLabel("資金", group), 0, 0);
    funds_ = new QLabel(group);
    funds_->setObjectName("funds");
    gg->addWidget(funds_, 0, 1);
    gg->addWidget(new QLabel("未配備鉄砲", group), 1, 0);
    houseGuns_ = new QLabel(group);
    houseGuns_->setObjectName("houseGuns");
    gg->addWidget(houseGuns_, 1, 1);
    v->addWidget(group);

    auto* grid = new QGridLayout;
    const char* labels[3] = {"支給金額", "徴収金額", "鉄砲支給"};
    const char* captions[3] = {"軍団に資金を支給", "軍団から資金を徴収", "軍団に鉄砲を支給"};
    QSpinBox** boxes[3] = {&give_, &take_, &guns_};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(labels[i], this), i, 0);
        // Whole numbers only; a minus sign is accepted so that the rules can refuse it.
        *boxes[i] = new QSpinBox(this);
        (*boxes[i])->setRange(INT_MIN / 2, INT_MAX);
        (*boxes[i])->setValue(0);
        grid->addWidget(*boxes[i], i, 1);
        buttons_[i] = new QPushButton(captions[i], this);
        buttons_[i]->setAutoDefault(false);
        grid->addWidget(buttons_[i], i, 2);
    }
    v->addLayout(grid);
    corps_ = newCorpsList(true, this);
    v->addWidget(corps_, 1);
    auto* close = new QPushButton("閉じる", this);
    close->setAutoDefault(false);
    v->addWidget(close, 0, Qt::AlignRight);
    connect(buttons_[0], &QPushButton::clicked, this, &CorpsAssetsDialog::pressGive);
    connect(buttons_[1], &QPushButton::clicked, this, &CorpsAssetsDialog::pressTake);
    connect(buttons_[2], &QPushButton::clicked, this, &CorpsAssetsDialog::pressGuns);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void CorpsAssetsDialog::refresh() {
    const DaimyoHouse& d = world_.houses[world_.playerHouse];
    funds_->setText(QString::number(d.funds));
    houseGuns_->setText(QString::number(d.undeployedGuns * world_.settings.heiUnit));
    fillCorpsList(corps_, world_, true);
}

void CorpsAssetsDialog::outcome(const std::string& refusal) {
    if (!refusal.empty()) showMessage(this, utf8(refusal));
    refresh();
}

void CorpsAssetsDialog::pressGive() {
    outcome(giveCorpsFunds(world_, corps_->currentKey(), give_->value()));
}
void CorpsAssetsDialog::pressTake() {
    outcome(takeCorpsFunds(world_, corps_->currentKey(), take_->value()));
}
void CorpsAssetsDialog::pressGuns() {
    outcome(giveCorpsGuns(world_, corps_->currentKey(), guns_->value()));
}

} // namespace vh::ui
