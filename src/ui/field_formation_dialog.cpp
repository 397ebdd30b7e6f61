// The formation window: strengths of both houses, the unplaced units, the three lines and the
// buttons that fill them. The commander goes first; the head of the player's house takes the
// 本陣 at once.
#include "ui/field_formation_dialog.h"

#include "ui/ui_text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vh::ui {

namespace {

constexpr int kRefRole = Qt::UserRole + 1;

QString strengthText(const FieldSide& s, int heiUnit) {
    return QString("騎馬兵 %1　足軽兵 %2　鉄砲数 %3")
        .arg(s.totalCavalry * heiUnit)
        .arg(s.totalFoot * heiUnit)
        .arg(s.totalGuns * heiUnit);
}

bool vassalNonGuest(const FieldSide& s, int ref) {
    return ref != kGarrisonUnit && s.generals[ref].ofVassalHouse && !s.generals[ref].guest;
}

} // namespace

FieldFormationDialog::FieldFormationDialog(const FieldBattle& battle, QWidget* parent)
    : QDialog(parent), b_(battle) {
    const FieldSide& own = b_.sides[0];
    const FieldSide& enemy = b_.sides[1];
    const int unit = std::max(1, b_.settings.heiUnit);
    setWindowTitle(QString("%1との野戦を行います").arg(utf8(enemy.houseName)));
    message = [this](const QString& text) { showMessage(this, text); };
    question = [this](const QString& text) { return askOkCancel(this, text); };

    auto* v = new QVBoxLayout(this);
    auto* title = new QLabel(windowTitle(), this);
    title->setObjectName("title");
    QFont tf = title->font();
    tf.setPixelSize(16);
    tf.setBold(true);
    title->setFont(tf);
    v->addWidget(title);

    auto* strengths = new QGridLayout;
    int row = 0;
    for (const FieldSide* s : {&own, &enemy}) {
        auto* name = new QLabel(QString("%1兵力").arg(utf8(s->houseName)), this);
        auto* figures = new QLabel(strengthText(*s, unit), this);
        figures->setObjectName(row == 0 ? "ownStrength" : "enemyStrength");
        strengths->addWidget(name, row, 0);
        strengths->addWidget(figures, row, 1);
        ++row;
    }
    strengths->setColumnStretch(1, 1);
    v->addLayout(strengths);

    auto* hint = new QLabel("武将を各陣に振り分けてください（Ctrl か Shift ｷｰ併用で複数選択可）", this);
    v->addWidget(hint);

    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("未配備武将", this));
    unplacedList_ = new QTreeWidget(this);
    unplacedList_->setObjectName("unplaced");
    unplacedList_->setHeaderLabels({"名前", "地位", "騎馬兵", "足軽兵", "鉄砲数", "武勇", "智謀"});
    unplacedList_->setRootIsDecorated(false);
    unplacedList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    unplacedList_->setMinimumWidth(460);
    unplacedList_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    unplacedList_->header()->setStretchLastSection(false);
    unplacedList_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    left->addWidget(unplacedList_, 1);
    body->addLayout(left, 3);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    const char* const captions[] = {"先陣", "第二陣", "本陣（総大将）"};
    for (int l = 0; l < kFieldLineCount; ++l) {
        lineButtons_[l] = new QPushButton(QString("%1 →").arg(captions[l]), this);
        lineButtons_[l]->setAutoDefault(false);
        connect(lineButtons_[l], &QPushButton::clicked, this, [this, l] { placeSelected(l); });
        buttons->addWidget(lineButtons_[l]);
    }
    buttons->addStretch(1);
    body->addLayout(buttons);

    auto* right = new QVBoxLayout;
    for (int l = 0; l < kFieldLineCount; ++l) {
        right->addWidget(new QLabel(captions[l], this));
        lineLists_[l] = new QListWidget(this);
        lineLists_[l]->setObjectName(QString("line%1").arg(l));
        lineLists_[l]->setFocusPolicy(Qt::NoFocus);
        lineLists_[l]->setMaximumHeight(l == kFieldMainLine ? 34 : 140);
        right->addWidget(lineLists_[l], l == kFieldMainLine ? 0 : 1);
    }
    body->addLayout(right, 2);
    v->addLayout(body, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel("（総大将の智謀値による采配が軍勢全体の戦闘力に影響します）", this), 1);
    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (allPlaced()) accept();
    });
    bottom->addWidget(ok_);
    v->addLayout(bottom);

    for (int i = 0; i < static_cast<int>(own.generals.size()); ++i)
        unplaced_.push_back(i);
    if (own.hasGarrison) unplaced_.push_back(kGarrisonUnit);
    // The head of the player's own house commands when he is in the battle.
    for (int ref : unplaced_)
        if (ref != kGarrisonUnit && own.generals[ref].headOfIndependentHouse &&
            own.generals[ref].ofCommandingHouse) {
            place(ref, kFieldMainLine);
            break;
        }
    refill();
    resize(900, 520);
}

void FieldFormationDialog::refill() {
    const FieldSide& own = b_.sides[0];
    const int unit = std::max(1, b_.settings.heiUnit);
    unplacedList_->clear();
    for (int ref : unplaced_) {
        auto* item = new QTreeWidgetItem(unplacedList_);
        item->setData(0, kRefRole, ref);
        item->setText(0, utf8(unitName(own, ref)));
        if (ref != kGarrisonUnit) {
            const FieldGeneral& g = own.generals[ref];
            item->setText(1, g.guest ? "客将" : g.ofVassalHouse ? "臣従" : "");
            item->setText(5, QString::number(g.valor));
            item->setText(6, QString::number(g.intellect));
        } else {
            item->setText(5, QString::number(unitValor(own, ref)));
        }
        item->setText(2, QString::number(unitCavalry(own, ref) * unit));
        item->setText(3, QString::number(unitFoot(own, ref) * unit));
        item->setText(4, QString::number(unitGuns(own, ref) * unit));
        for (int c = 2; c <= 6; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (!unplaced_.empty()) unplacedList_->setCurrentItem(unplacedList_->topLevelItem(0));
    for (int l = 0; l < kFieldLineCount; ++l) {
        lineLists_[l]->clear();
        for (int ref : lines_[l])
            lineLists_[l]->addItem(utf8(unitName(own, ref)));
    }
    updateButtons();
}

void FieldFormationDialog::updateButtons() {
    const bool commander = !lines_[kFieldMainLine].empty();
    const bool any = !unplaced_.empty();
    lineButtons_[kFieldVanguard]->setEnabled(commander && any);
    lineButtons_[kFieldSecondLine]->setEnabled(commander && any);
    lineButtons_[kFieldMainLine]->setEnabled(!commander && any);
    ok_->setEnabled(allPlaced());
}

void FieldFormationDialog::selectUnits(const std::vector<int>& refs) {
    unplacedList_->clearSelection();
    for (int i = 0; i < unplacedList_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = unplacedList_->topLevelItem(i);
        if (std::find(refs.begin(), refs.end(), item->data(0, kRefRole).toInt()) != refs.end())
            item->setSelected(true);
    }
}

void FieldFormationDialog::place(int ref, int line) {
    unplaced_.erase(std::remove(unplaced_.begin(), unplaced_.end(), ref), unplaced_.end());
    lines_[line].push_back(ref);
}

void FieldFormationDialog::placeSelected(int line) {
    if (!lineButtons_[line]->isEnabled()) return;
    std::vector<int> chosen;
    for (QTreeWidgetItem* item : unplacedList_->selectedItems())
        chosen.push_back(item->data(0, kRefRole).toInt());
    if (chosen.empty()) return;
    // Keep the list's order, whatever order the rows were clicked in.
    std::vector<int> ordered;
    for (int ref : unplaced_)
        if (std::find(chosen.begin(), chosen.end(), ref) != chosen.end()) ordered.push_back(ref);
    if (line == kFieldMainLine) {
        if (ordered.size() > 1) {
            message("本陣（大将）は１武将のみ配置できます");
            return;
        }
        if (vassalNonGuest(b_.sides[0], ordered[0]) &&
            !question("臣従武将（客将以外）を総大将にする場合は智謀値による采配効果が得られませんがよろしいで"
                      "すか？"))
            return;
    }
    for (int ref : ordered)
        place(ref, line);
    refill();
}

void FieldFormationDialog::reject() {
    if (allPlaced()) accept();
}

} // namespace vh::ui
