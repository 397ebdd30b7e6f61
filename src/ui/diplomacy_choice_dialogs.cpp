// The envoy choice, house choice and vassalisation windows of the diplomacy commands. They only
// gather the choice; the command's rules run once the dialog has been accepted.
#include "ui/diplomacy_choice_dialogs.h"

#include "game/display_rules.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vh::ui {

namespace {

QLabel* heading(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPixelSize(15);
    f.setBold(true);
    l->setFont(f);
    l->setWordWrap(true);
    return l;
}

QLabel* nameLabel(QWidget* parent) {
    auto* l = new QLabel(parent);
    QFont f = l->font();
    f.setPixelSize(18);
    f.setBold(true);
    l->setFont(f);
    l->setMinimumHeight(26);
    return l;
}

} // namespace

// ---- 同盟交渉: the envoy ----

EnvoyChoiceDialog::EnvoyChoiceDialog(const WorldState& world, const MapViewState& start, QWidget* parent)
    : QDialog(parent), world_(world) {
    setWindowTitle(kEnvoyWindowTitle);
    auto* h = new QHBoxLayout(this);
    map_ = new MapView(world, this);
    MapViewState s = start;
    s.mode = MapMode::National;
    map_->setState(s);
    // Castles the envoy cannot leave from are shown grey in the province view.
    decor_.greyCastle = [this](int c) { return !isEnvoyCastle(world_, c); };
    map_->setDecor(&decor_);
    h->addWidget(map_);

    auto* v = new QVBoxLayout;
    v->addWidget(heading(kEnvoyCastlePrompt, this));
    auto* hint = new QLabel("（国をクリックして城を表示し、城をクリックしてください）", this);
    hint->setWordWrap(true);
    v->addWidget(hint);
    castleLabel_ = nameLabel(this);
    castleLabel_->setObjectName("castle");
    v->addWidget(castleLabel_);
    v->addWidget(heading(kEnvoyGeneralPrompt, this));
    list_ = new QTreeWidget(this);
    list_->setColumnCount(2);
    list_->setHeaderLabels({"名前", "地位"});
    list_->setRootIsDecorated(false);
    list_->setColumnWidth(0, 140);
    list_->setMinimumWidth(240);
    v->addWidget(list_, 1);
    back_ = new QPushButton("全国マップに戻る", this);
    back_->setAutoDefault(false);
    v->addWidget(back_);
    auto* buttons = new QHBoxLayout;
    ok_ = new QPushButton("OK", this);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    cancel->setAutoDefault(false);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    v->addLayout(buttons);
    h->addLayout(v);

    connect(map_, &MapView::leftClicked, this, [this](int province, int castle) {
        if (map_->state().mode == MapMode::National) {
            pickProvince(province);
        } else if (castle >= 0) {
            pickCastle(castle);
        } else if (province >= 0 && province != map_->state().province &&
                   provinceHasCastle(world_, province)) {
            pickProvince(province);
        }
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { confirm(); });
    connect(back_, &QPushButton::clicked, this, &EnvoyChoiceDialog::showNational);
    connect(ok_, &QPushButton::clicked, this, &EnvoyChoiceDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Where the main window shows one of the house's provinces, start there.
    if (start.mode == MapMode::Province && start.province >= 0)
        for (int c = 0; c < world.castleCount; ++c)
            if (world.castleSites[c].province == start.province && isEnvoyCastle(world, c)) {
                pickProvince(start.province);
                break;
            }
    if (map_->state().mode == MapMode::National) back_->hide();
}

void EnvoyChoiceDialog::pickProvince(int province) {
    if (!markChosenProvince(this, map_, world_, province, provinceChoiceRefusal(world_, province))) return;
    map_->showProvince(province);
    back_->show();
}

void EnvoyChoiceDialog::showNational() {
    map_->showNational();
    back_->hide();
}

void EnvoyChoiceDialog::pickCastle(int castle) {
    if (!isEnvoyCastle(world_, castle)) return;
    castle_ = castle;
    castleLabel_->setText(castleName(world_, castle));
    list_->clear();
    for (const EnvoyRow& r : envoyCandidates(world_, castle)) {
        auto* item = new QTreeWidgetItem(list_, {utf8(r.name), utf8(r.rank)});
        item->setData(0, Qt::UserRole, r.general);
    }
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
}

void EnvoyChoiceDialog::confirm() {
    QTreeWidgetItem* item = list_->currentItem();
    if (castle_ < 0 || !item) {
        showMessage(this, kEnvoyMissing);
        return;
    }
    envoy_ = item->data(0, Qt::UserRole).toInt();
    accept();
}

// ---- the house of each command ----

HouseChoiceDialog::HouseChoiceDialog(const WorldState& world, DiplomacyCommand command,
                                     const MapViewState& start, QWidget* parent)
    : QDialog(parent), world_(world), command_(command) {
    setWindowTitle(houseChoiceTitle(command));
    auto* h = new QHBoxLayout(this);
    map_ = newChoiceMap(world, start, this);
    h->addWidget(map_);

    auto* v = new QVBoxLayout;
    v->addWidget(heading(houseChoicePrompt(command), this));
    province_ = nameLabel(this);
    province_->setObjectName("province");
    v->addWidget(province_);
    list_ = new HouseChoiceList(this);
    v->addWidget(list_, 1);
    magnify_ = newMagnifySwitch(map_, this);
    v->addWidget(magnify_);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    cancel->setAutoDefault(false);
    v->addWidget(cancel);
    h->addLayout(v);

    connect(map_, &MapView::leftClicked, this, [this](int province, int) { pickProvince(province); });
    connect(list_, &HouseChoiceList::houseChosen, this, &HouseChoiceDialog::pickHouse);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void HouseChoiceDialog::pickProvince(int province) {
    if (!markChosenProvince(this, map_, world_, province, provinceChoiceRefusal(world_, province))) return;
    province_->setText(provinceName(world_, province));
    list_->clear();
    for (const HouseChoiceRow& r : houseChoiceRows(world_, province))
        list_->addHouse(r.house, utf8(r.name), r.castles, utf8(r.kokuText));
}

void HouseChoiceDialog::pickHouse(int house) {
    if (asking_) return; // a click and an activation of the same row ask once
    asking_ = true;
    // A retarget question answered はい checks the lord from the start; a lord is never a vassal,
    // so this ends, but a bound keeps a damaged world from looping.
    for (int step = 0; step < kMaxHouses; ++step) {
        const TargetCheck c = checkDiplomacyTarget(world_, command_, house);
        if (c.result == TargetCheck::AskRetarget) {
            if (!askYesNo(this, utf8(c.message))) break;
            house = c.house;
            continue;
        }
        if (c.result == TargetCheck::Confirm) {
            // A choice without a confirmation text (the prisoner-exchange partner) ends at once.
            if (c.message.empty() || askOkCancel(this, utf8(c.message))) {
                chosen_ = c.house;
                asking_ = false;
                accept();
                return;
            }
        } else if (!c.message.empty()) {
            showMessage(this, utf8(c.message)); // a refusal, or "資金が足りません"
        }
        break;
    }
    asking_ = false;
}

// ---- 臣従化成功 ----

VassalSuccessDialog::VassalSuccessDialog(const QString& message, QWidget* parent) : QDialog(parent) {
    setWindowTitle(kVassalWindowTitle);
    setProperty("vhRoutineDialog", true);
    auto* v = new QVBoxLayout(this);
    auto* main = new QLabel(message, this);
    main->setObjectName("message");
    QFont f = main->font();
    f.setPixelSize(18);
    f.setBold(true);
    main->setFont(f);
    main->setAlignment(Qt::AlignCenter);
    v->addWidget(main);
    v->addSpacing(8);
    for (const char* note : {kVassalNoteMoves, kVassalNoteOrders}) {
        auto* l = new QLabel(QString("・") + note, this);
        l->setWordWrap(true);
        v->addWidget(l);
    }
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    ok->setMinimumWidth(100);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    v->addWidget(ok, 0, Qt::AlignRight);
    setMinimumWidth(560);
}

} // namespace vh::ui
