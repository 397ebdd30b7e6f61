// The prisoner dialogs. Each button applies the personnel operation to the selected rows at once,
// in list order; what the operations decide is the core's.
#include "ui/prisoner_dialogs.h"

#include "personnel/personnel_lists.h"
#include "personnel/prisoners.h"
#include "ui/ui_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vh::ui {

namespace {

QLabel* caption(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

PrisonerDialog::PrisonerDialog(Mode mode, const SurrenderRequest& request, std::function<bool(int)> willing,
                               QWidget* parent)
    : QDialog(parent), mode_(mode), request_(request), willing_(std::move(willing)) {
    const bool surrender = mode == Mode::Surrender;
    setWindowTitle(surrender ? "降伏武将の処遇" : "捕虜処遇");
    auto* v = new QVBoxLayout(this);
    v->addWidget(caption(surrender ? "降伏武将" : "捕虜武将", this));
    QStringList headers = {"名前", "所属", "地位", "年齢", "武勇", "政治", "智謀"};
    std::vector<int> widths = {100, 92, 45, 45, 45, 45, 45};
    if (!surrender) {
        headers << "意向";
        widths.push_back(80);
    }
    list_ = new PersonList(headers, widths, true, 3, this);
    list_->setObjectName("prisoners");
    for (const SurrenderedRow& r : request_.rows) {
        QStringList cells = {utf8(r.name),
                             utf8(r.house),
                             r.head ? "当主" : "",
                             ageText(r.ageUnknown ? -1 : r.age),
                             QString::number(r.valor),
                             QString::number(r.politics),
                             QString::number(r.intellect)};
        if (!surrender) cells << (willing_ && willing_(r.general) ? "登用可" : "登用拒否");
        list_->addPerson(cells, r.general);
        if (!surrender)
            list_->topLevelItem(list_->topLevelItemCount() - 1)
                ->setTextAlignment(7, Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (!surrender) list_->setColumnWidth(7, std::max(list_->columnWidth(7), 72));
    v->addWidget(list_, 1);

    auto* row = new QHBoxLayout;
    QStringList captions = {"登用", "解放", "切腹"};
    if (surrender) captions << "捕虜";
    for (const QString& c : captions) {
        auto* b = new QPushButton(c, this);
        b->setAutoDefault(false);
        row->addWidget(b);
        actions_.push_back(b);
    }
    row->addStretch(1);
    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    row->addWidget(ok_);
    v->addLayout(row);

    connect(actions_[0], &QPushButton::clicked, this, &PrisonerDialog::recruitSelected);
    connect(actions_[1], &QPushButton::clicked, this, &PrisonerDialog::releaseSelected);
    connect(actions_[2], &QPushButton::clicked, this, &PrisonerDialog::seppukuSelected);
    if (surrender) connect(actions_[3], &QPushButton::clicked, this, &PrisonerDialog::keepSelected);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &PrisonerDialog::updateButtons);
    updateButtons();
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    list_->setFocus();
}

QPushButton* PrisonerDialog::button(const QString& caption) const {
    for (QPushButton* b : actions_)
        if (b->text() == caption) return b;
    return caption == "OK" ? ok_ : nullptr;
}

void PrisonerDialog::updateButtons() {
    const bool any = !list_->selectedKeys().empty();
    for (QPushButton* b : actions_)
        b->setEnabled(any);
    ok_->setEnabled(mode_ == Mode::Treatment || list_->topLevelItemCount() == 0);
}

void PrisonerDialog::removeKeys(const std::vector<int>& keys) {
    for (int key : keys) {
        const int row = list_->rowOf(key);
        if (row >= 0) delete list_->takeTopLevelItem(row);
    }
    updateButtons();
    if (ok_->isEnabled() && list_->topLevelItemCount() == 0) ok_->setFocus();
}

void PrisonerDialog::recruitSelected() {
    std::vector<int> joined;
    for (int g : list_->selectedKeys()) {
        if (request_.recruit && request_.recruit(g)) {
            joined.push_back(g);
            continue;
        }
        const int row = list_->rowOf(g);
        const QString name = row >= 0 ? list_->topLevelItem(row)->text(0) : QString();
        showMessage(this, utf8(SurrenderRequest::refusalText(name.toStdString())));
    }
    removeKeys(joined);
}

void PrisonerDialog::releaseSelected() {
    const std::vector<int> keys = list_->selectedKeys();
    for (int g : keys)
        if (request_.release) request_.release(g);
    removeKeys(keys);
}

void PrisonerDialog::seppukuSelected() {
    const std::vector<int> keys = list_->selectedKeys();
    for (int g : keys)
        if (request_.seppuku) request_.seppuku(g);
    removeKeys(keys);
}

void PrisonerDialog::keepSelected() {
    removeKeys(list_->selectedKeys());
}

void PrisonerDialog::reject() {
    if (mode_ == Mode::Surrender && list_->topLevelItemCount() > 0) return;
    QDialog::reject();
}

// ---- 捕虜交換 ----

PrisonerExchangeDialog::PrisonerExchangeDialog(Game& game, int partner, QWidget* parent)
    : QDialog(parent), game_(game), partner_(partner) {
    const WorldState& w = game.world;
    const int me = w.playerHouse;
    setWindowTitle("捕虜交換");
    auto* v = new QVBoxLayout(this);
    const QStringList headers = {"名前", "身分", "所属", "年齢", "武勇", "政治", "智謀"};
    const std::vector<int> widths = {80, 80, 80, 37, 37, 37, 37};
    auto fill = [&](PersonList* list, int holder, int origin) {
        for (int g : prisonersHeldBy(w, holder, origin)) {
            const HeldRow r = heldRow(w, g);
            list->addPerson({utf8(r.name), utf8(r.status), utf8(r.house), ageText(r.age),
                             QString::number(r.valor), QString::number(r.politics),
                             QString::number(r.intellect)},
                            g);
        }
    };
    v->addWidget(caption(utf8(exchangeListCaption(w, partner, me)), this));
    ours_ = new PersonList(headers, widths, true, 3, this);
    ours_->setObjectName("ours");
    fill(ours_, partner, me);
    v->addWidget(ours_);
    v->addWidget(caption(utf8(exchangeListCaption(w, me, partner)), this));
    theirs_ = new PersonList(headers, widths, true, 3, this);
    theirs_->setObjectName("theirs");
    fill(theirs_, me, partner);
    v->addWidget(theirs_);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    negotiate_ = new QPushButton("捕虜交換交渉", this);
    negotiate_->setDefault(true);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    cancel->setAutoDefault(false);
    row->addWidget(negotiate_);
    row->addWidget(cancel);
    v->addLayout(row);

    auto update = [this] {
        negotiate_->setEnabled(!ours_->selectedKeys().empty() && !theirs_->selectedKeys().empty());
    };
    connect(ours_, &QTreeWidget::itemSelectionChanged, this, update);
    connect(theirs_, &QTreeWidget::itemSelectionChanged, this, update);
    connect(negotiate_, &QPushButton::clicked, this, &PrisonerExchangeDialog::negotiate);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    update();
}

void PrisonerExchangeDialog::negotiate() {
    const std::vector<int> ours = ours_->selectedKeys(), theirs = theirs_->selectedKeys();
    if (ours.empty() || theirs.empty()) return;
    // The partner's answer reaches the player through the game's messages.
    if (exchangePrisoners(game_, partner_, ours, theirs).accepted) accept();
}

} // namespace vh::ui
