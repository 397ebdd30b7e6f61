// The hostage and guest dialogs over the personnel rules.
#include "ui/hostage_dialogs.h"

#include "diplomacy/diplomacy_text.h"
#include "personnel/guests.h"
#include "personnel/hostages.h"
#include "personnel/personnel_lists.h"
#include "ui/ui_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

namespace {

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

// ---- 人質差し出し ----

HostageOfferDialog::HostageOfferDialog(const HostageRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setWindowTitle("人質差し出し");
    auto* v = new QVBoxLayout(this);
    auto* header = boldLabel(utf8(request.header()), this);
    header->setObjectName("header");
    v->addWidget(header);
    v->addWidget(new QLabel("人質候補（元服前の世継）", this));
    list_ = new PersonList({"名前", "年齢", "武勇", "政治", "智謀"}, {100, 45, 37, 37, 37}, false, 1, this);
    for (size_t i = 0; i < request.rows.size(); ++i) {
        const HostageCandidateRow& r = request.rows[i];
        const QString age = r.age < 0 ? QString("?") : QString::number(r.age) + (r.ageUnknown ? "(?)" : "");
        list_->addPerson({utf8(r.name), age, QString::number(r.valor), QString::number(r.politics),
                          QString::number(r.intellect)},
                         static_cast<int>(i));
    }
    v->addWidget(list_, 1);
    v->addWidget(new QLabel("人質に差し出す世継ぎをクリックしてください", this));
    refuse_ = new QPushButton("人質の差し出しを拒否", this);
    refuse_->setAutoDefault(false);
    v->addWidget(refuse_, 0, Qt::AlignRight);
    connect(refuse_, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { pickRow(item->data(0, Qt::UserRole).toInt()); });
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { pickRow(item->data(0, Qt::UserRole).toInt()); });
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    list_->setFocus();
}

void HostageOfferDialog::pickRow(int row) {
    if (asking_ || row < 0 || row >= static_cast<int>(request_.rows.size())) return;
    asking_ = true; // a click and an activation of the same row ask once
    if (askOkCancel(this, utf8(HostageRequest::confirmQuestion(request_.rows[row].name)))) {
        choice_ = row;
        accept();
    }
    asking_ = false;
}

// ---- 人質処遇 ----

HostageTreatmentDialog::HostageTreatmentDialog(Game& game, QWidget* parent) : QDialog(parent), game_(game) {
    const WorldState& w = game.world;
    setWindowTitle("人質処遇");
    auto* v = new QVBoxLayout(this);
    v->addWidget(boldLabel("人質一覧", this));
    list_ = new PersonList({"名前", "所属", "年齢", "武勇", "政治", "智謀"}, {100, 92, 45, 45, 45, 45}, false, 2, this);
    for (int g : hostagesHeldBy(w, w.playerHouse)) {
        const HeldRow r = heldRow(w, g);
        list_->addPerson({utf8(r.name), utf8(r.house), ageText(r.age), QString::number(r.valor),
                          QString::number(r.politics), QString::number(r.intellect)},
                         g);
    }
    v->addWidget(list_, 1);
    auto* row = new QHBoxLayout;
    comeOfAge_ = new QPushButton("元服させて客将として取立てる", this);
    return_ = new QPushButton("元の大名家に返還する", this);
    auto* ok = new QPushButton("OK", this);
    for (QPushButton* b : {comeOfAge_, return_}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    row->addStretch(1);
    ok->setDefault(true);
    row->addWidget(ok);
    v->addLayout(row);
    connect(comeOfAge_, &QPushButton::clicked, this, &HostageTreatmentDialog::comeOfAgeSelected);
    connect(return_, &QPushButton::clicked, this, &HostageTreatmentDialog::returnSelected);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &HostageTreatmentDialog::updateButtons);
    connect(list_, &QTreeWidget::currentItemChanged, this, &HostageTreatmentDialog::updateButtons);
    updateButtons();
}

void HostageTreatmentDialog::updateButtons() {
    const bool one = list_->currentKey() >= 0;
    comeOfAge_->setEnabled(one);
    return_->setEnabled(one);
}

void HostageTreatmentDialog::comeOfAgeSelected() {
    const int h = list_->currentKey();
    if (h < 0) return;
    const std::string refusal = checkComingOfAge(game_.world, h);
    if (!refusal.empty()) {
        showMessage(this, utf8(refusal));
        return;
    }
    if (!askOkCancel(this, utf8(comingOfAgeQuestion(game_.world, h)))) return;
    delete list_->takeTopLevelItem(list_->rowOf(h));
    comeOfAge(game_, h);
    updateButtons();
}

void HostageTreatmentDialog::returnSelected() {
    const int h = list_->currentKey();
    if (h < 0) return;
    const std::string refusal = checkReturnHostage(game_.world, h);
    if (!refusal.empty()) {
        showMessage(this, utf8(refusal));
        return;
    }
    if (!askOkCancel(this, utf8(returnHostageQuestion(game_.world, h)))) return;
    delete list_->takeTopLevelItem(list_->rowOf(h));
    returnHostage(game_, h);
    updateButtons();
}

// ---- 客将招請 ----

GuestInvitationDialog::GuestInvitationDialog(Game& game, QWidget* parent) : QDialog(parent), game_(game) {
    setWindowTitle("客将招請");
    auto* v = new QVBoxLayout(this);
    v->addWidget(boldLabel("臣従大名の武将を客将として預かります", this));
    v->addWidget(new QLabel("客将にする武将を選択してください", this));
    list_ = new PersonList({"名前", "国", "城", "所属", "年齢", "武勇", "政治", "智謀"}, {80, 50, 80, 80, 37, 37, 37, 37},
                           false, 4, this);
    refill();
    v->addWidget(list_, 1);
    auto* close = new QPushButton("閉じる", this);
    close->setAutoDefault(false);
    v->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { pickGeneral(item->data(0, Qt::UserRole).toInt()); });
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { pickGeneral(item->data(0, Qt::UserRole).toInt()); });
}

void GuestInvitationDialog::refill() {
    const WorldState& w = game_.world;
    list_->clear();
    for (int g : guestInvitationCandidates(w)) {
        const GeneralRow r = generalRow(w, g, false);
        list_->addPerson({utf8(r.name), utf8(r.province), utf8(r.castle), utf8(r.house), ageText(r.age),
                          QString::number(r.valor), QString::number(r.politics), QString::number(r.intellect)},
                         g);
    }
}

void GuestInvitationDialog::pickGeneral(int general) {
    if (asking_ || list_->rowOf(general) < 0) return;
    asking_ = true;
    if (askOkCancel(this, utf8(guestInvitationQuestion(game_.world, general)))) {
        makeGuest(game_, general);
        changed_ = true;
        // He leaves the list; a guest he replaced is an ordinary general again and may return.
        // Rebuilt once the click that chose him is over.
        delete list_->takeTopLevelItem(list_->rowOf(general));
        QMetaObject::invokeMethod(this, [this] { refill(); }, Qt::QueuedConnection);
    }
    asking_ = false;
}

} // namespace vh::ui
