// The corps organisation dialog and the corps list the corps dialogs share.
#include "ui/corps_organise_dialog.h"

#include "diplomacy/diplomacy_text.h"
#include "personnel/corps.h"
#include "ui/ui_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

PersonList* newCorpsList(bool withGuns, QWidget* parent) {
    QStringList headers = {"軍団名", "武将数", "資金"};
    std::vector<int> widths = {120, 50, 80};
    if (withGuns) {
        headers << "未配備鉄砲";
        widths.push_back(80);
    }
    headers << "所領城数"
            << "所領石高"
            << "行動指示"
            << "担当国";
    for (int px : {60, 80, 80, 180})
        widths.push_back(px);
    auto* list = new PersonList(headers, widths, false, -1, parent);
    list->setObjectName("corps");
    return list;
}

void fillCorpsList(PersonList* list, const WorldState& w, bool withGuns) {
    const int selected = list->currentKey();
    list->clear();
    for (const CorpsRow& r : corpsRows(w)) {
        QStringList cells = {utf8(r.name), QString::number(r.generals), QString::number(r.funds)};
        if (withGuns) cells << QString::number(r.guns);
        cells << QString::number(r.castles) << utf8(r.kokuText) << utf8(r.action) << utf8(r.provinces);
        list->addPerson(cells, r.corps);
        QTreeWidgetItem* item = list->topLevelItem(list->topLevelItemCount() - 1);
        for (int c = 1; c < cells.size() - 2; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    list->selectKey(selected);
}

CorpsOrganiseDialog::CorpsOrganiseDialog(WorldState& world, QWidget* parent)
    : QDialog(parent), world_(world) {
    setWindowTitle("軍団編成");
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel("大名直属武将", this));
    direct_ = new PersonList(generalHeaders(), generalWidths(), true, 5, this);
    direct_->setObjectName("direct");
    v->addWidget(direct_, 2);
    auto* row = new QHBoxLayout;
    appoint_ = new QPushButton("軍団長に任命", this);
    assign_ = new QPushButton("軍団に編入", this);
    row->addWidget(appoint_);
    row->addWidget(assign_);
    row->addStretch(1);
    v->addLayout(row);
    v->addWidget(new QLabel("軍団", this));
    corps_ = newCorpsList(false, this);
    v->addWidget(corps_, 1);
    membersCaption_ = new QLabel("軍団武将", this);
    membersCaption_->setObjectName("membersCaption");
    v->addWidget(membersCaption_);
    members_ = new PersonList(generalHeaders(), generalWidths(), true, 5, this);
    members_->setObjectName("members");
    v->addWidget(members_, 2);
    auto* bottom = new QHBoxLayout;
    return_ = new QPushButton("大名直属に戻す", this);
    bottom->addWidget(return_);
    bottom->addStretch(1);
    auto* close = new QPushButton("閉じる", this);
    bottom->addWidget(close);
    v->addLayout(bottom);
    for (QPushButton* b : {appoint_, assign_, return_, close})
        b->setAutoDefault(false);

    connect(appoint_, &QPushButton::clicked, this, &CorpsOrganiseDialog::appointSelected);
    connect(assign_, &QPushButton::clicked, this, &CorpsOrganiseDialog::assignSelected);
    connect(return_, &QPushButton::clicked, this, &CorpsOrganiseDialog::returnSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(direct_, &QTreeWidget::itemSelectionChanged, this, &CorpsOrganiseDialog::updateButtons);
    connect(members_, &QTreeWidget::itemSelectionChanged, this, &CorpsOrganiseDialog::updateButtons);
    connect(corps_, &QTreeWidget::itemSelectionChanged, this, &CorpsOrganiseDialog::refreshMembers);
    direct_->header()->setSectionsClickable(true);
    members_->header()->setSectionsClickable(true);
    connect(direct_->header(), &QHeaderView::sectionClicked, this, &CorpsOrganiseDialog::sortDirect);
    connect(members_->header(), &QHeaderView::sectionClicked, this, &CorpsOrganiseDialog::sortMembers);
    refresh();
    resize(1150, 660);
}

namespace {

void fillGenerals(PersonList* list, const WorldState& w, std::vector<GeneralRow> rows, int sortColumn) {
    if (sortColumn >= 0) sortGeneralRows(w, rows, sortColumn);
    list->clear();
    for (const GeneralRow& r : rows)
        list->addPerson(generalCells(r), r.general);
}

} // namespace

void CorpsOrganiseDialog::refresh() {
    fillGenerals(direct_, world_, directGeneralRows(world_), directSort_);
    fillCorpsList(corps_, world_, false);
    refreshMembers();
}

void CorpsOrganiseDialog::refreshMembers() {
    const int c = corps_->currentKey();
    membersCaption_->setText(c >= 0 ? utf8(generalNameText(world_, world_.corps[c].leader)) + " 軍団武将"
                                    : QString("軍団武将"));
    fillGenerals(members_, world_, c >= 0 ? corpsGeneralRows(world_, c) : std::vector<GeneralRow>{},
                 membersSort_);
    updateButtons();
}

void CorpsOrganiseDialog::updateButtons() {
    const bool direct = !direct_->selectedKeys().empty();
    appoint_->setEnabled(direct);
    assign_->setEnabled(direct);
    return_->setEnabled(!members_->selectedKeys().empty());
}

void CorpsOrganiseDialog::sortDirect(int column) {
    directSort_ = column;
    fillGenerals(direct_, world_, directGeneralRows(world_), directSort_);
    updateButtons();
}

void CorpsOrganiseDialog::sortMembers(int column) {
    membersSort_ = column;
    refreshMembers();
}

void CorpsOrganiseDialog::appointSelected() {
    const std::vector<int> chosen = direct_->selectedKeys();
    if (chosen.empty()) return;
    // One leader per press: the first selected general.
    const std::string refusal = appointCorpsLeader(world_, chosen.front());
    if (!refusal.empty()) showMessage(this, utf8(refusal));
    refresh();
}

void CorpsOrganiseDialog::assignSelected() {
    for (const std::string& m : assignToCorps(world_, corps_->currentKey(), direct_->selectedKeys()))
        showMessage(this, utf8(m));
    refresh();
}

void CorpsOrganiseDialog::returnSelected() {
    const int c = corps_->currentKey();
    const std::vector<int> chosen = members_->selectedKeys();
    if (c < 0 || chosen.empty()) return;
    if (returnDissolvesCorps(world_, c, chosen) && !askOkCancel(this, kDissolveQuestion)) return;
    returnToDirectRule(world_, c, chosen);
    refresh();
}

} // namespace vh::ui
