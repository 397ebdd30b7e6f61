// The 徴兵, 城兵糧補充 and 城普請 windows. Every figure and limit is the core's; the windows show the
// plan, pass each change through its check and restore the previous value on a refusal.
#include "ui/armament_dialogs.h"

#include "game/info_figures.h"
#include "ui/info_table.h"
#include "ui/ui_text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace vh::ui {

namespace {

// The source row of plan entry i is i (rows are added in plan order); these find it in the view.
int proxyRowOf(const InfoTable* t, int key) {
    for (int r = 0; r < t->rowCount(); ++r)
        if (t->rowKey(r) == key) return r;
    return -1;
}

void selectKey(InfoTable* t, int key) {
    const int row = proxyRowOf(t, key);
    if (row < 0) {
        t->selectionModel()->clearSelection();
        t->setCurrentIndex({});
        return;
    }
    t->setCurrentIndex(t->proxy()->index(row, 0));
}

int selectedKey(const InfoTable* t) {
    const QModelIndexList rows = t->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : t->rowKey(rows.front().row());
}

void setNumber(InfoTable* t, int sourceRow, int column, long long value, const QString& shown = {}) {
    QStandardItem* item = t->sourceModel()->item(sourceRow, column);
    item->setText(shown.isNull() ? QString::number(value) : shown);
    item->setData(value, kSortRole);
}

InfoTable* castleTable(const QStringList& headers, const std::vector<int>& widths, QWidget* parent) {
    auto* t = new InfoTable(headers, widths, parent);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setMinimumHeight(110);
    return t;
}

QLabel* valueLabel(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setMinimumWidth(110);
    l->setFrameShape(QFrame::StyledPanel);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QHBoxLayout* okCancel(QDialog* d, QPushButton** ok) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    *ok = new QPushButton("OK", d);
    (*ok)->setDefault(true);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", d);
    cancel->setAutoDefault(false);
    row->addWidget(*ok);
    row->addWidget(cancel);
    QObject::connect(*ok, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, d, &QDialog::reject);
    return row;
}

QString positionShort(const WorldState& w, int general) {
    const General& g = w.generals[general];
    if (g.house >= 0 && g.house < w.houseCount && w.houses[g.house].head == general) return "当主";
    if (g.status == kStatusGuest) return "客将";
    return "　　";
}

} // namespace

// ---- the spinner ----

TotalSpinBox::TotalSpinBox(QWidget* parent) : QSpinBox(parent) {
    setAlignment(Qt::AlignRight);
    setMinimumWidth(90);
}

void TotalSpinBox::setBase(int baseUnits, int unit) {
    base_ = baseUnits;
    unit_ = unit > 0 ? unit : 1;
    // The shown total changes with the base even when the value does not.
    lineEdit()->setText(textFromValue(value()));
}

QString TotalSpinBox::textFromValue(int value) const {
    return QString::number((base_ + value) * unit_);
}

int TotalSpinBox::valueFromText(const QString& text) const {
    return text.toInt() / unit_ - base_;
}

QValidator::State TotalSpinBox::validate(QString& text, int&) const {
    if (text.isEmpty()) return QValidator::Intermediate;
    bool ok = false;
    text.toInt(&ok);
    return ok ? QValidator::Acceptable : QValidator::Invalid;
}

// ---- 徴兵 ----

ConscriptionDialog::ConscriptionDialog(const WorldState& world, int house, int province,
                                       RecruitPools remaining, QWidget* parent)
    : QDialog(parent), world_(world), plan_(makeConscriptionPlan(world, house, province, remaining)) {
    setWindowTitle(kConscriptionTitle);
    const int unit = world.settings.heiUnit;
    auto* v = new QVBoxLayout(this);
    generals_ =
        castleTable({"名前", "地位", "年齢", "騎馬兵", "足軽兵", "鉄砲数", "武勇", "政治", "智謀", "城"},
                    {100, 45, 45, 62, 62, 62, 45, 45, 45, 80}, this);
    generals_->setMinimumWidth(dialogUnitsToPixels(generals_, 600));
    for (std::size_t i = 0; i < plan_.generals.size(); ++i) {
        const int gi = plan_.generals[i];
        const General& g = world.generals[gi];
        generals_->addRow({InfoTable::textCell(fieldQText(world, g.name)),
                           InfoTable::textCell(positionShort(world, gi)),
                           InfoTable::numberCell(generalAge(world, g), utf8(ageText(world, g))),
                           InfoTable::numberCell(g.cavalry * unit), InfoTable::numberCell(g.foot * unit),
                           InfoTable::numberCell(g.guns * unit), InfoTable::numberCell(g.valor),
                           InfoTable::numberCell(g.politics), InfoTable::numberCell(g.intellect),
                           InfoTable::textCell(castleName(world, g.castle))},
                          static_cast<int>(i));
    }
    v->addWidget(generals_, 2);

    auto* mid = new QHBoxLayout;
    cavalry_ = new TotalSpinBox(this);
    cavalry_->setObjectName("cavalry");
    foot_ = new TotalSpinBox(this);
    foot_->setObjectName("foot");
    mid->addWidget(new QLabel("騎馬兵", this));
    mid->addWidget(cavalry_);
    mid->addSpacing(12);
    mid->addWidget(new QLabel("足軽兵", this));
    mid->addWidget(foot_);
    mid->addStretch(1);
    auto* fillBox = new QVBoxLayout;
    fill_ = new QPushButton(kFillAllCaption, this);
    fill_->setAutoDefault(false);
    fillBox->addWidget(fill_);
    fillBox->addWidget(new QLabel(kFillAllNote, this));
    mid->addLayout(fillBox);
    v->addLayout(mid);

    castles_ = castleTable({"城名", "規模", "守備兵", "兵糧"}, {80, 50, 60, 65}, this);
    for (std::size_t i = 0; i < plan_.castles.size(); ++i) {
        const Castle& k = world.castles[plan_.castles[i]];
        castles_->addRow({InfoTable::textCell(castleName(world, plan_.castles[i])),
                          InfoTable::numberCell(k.size), InfoTable::numberCell(k.garrison * unit),
                          InfoTable::numberCell(k.food)},
                         static_cast<int>(i));
    }
    v->addWidget(castles_, 1);

    auto* bottom = new QGridLayout;
    garrison_ = new TotalSpinBox(this);
    garrison_->setObjectName("garrison");
    bottom->addWidget(new QLabel("守備兵", this), 0, 0);
    bottom->addWidget(garrison_, 0, 1);
    bottom->setColumnStretch(2, 1);
    bottom->addWidget(new QLabel(kPoolsCaption, this), 0, 3);
    pools_ = valueLabel(this, "pools");
    bottom->addWidget(pools_, 0, 4);
    bottom->addWidget(new QLabel("残り資金", this), 1, 3);
    money_ = valueLabel(this, "money");
    bottom->addWidget(money_, 1, 4);
    v->addLayout(bottom);
    v->addLayout(okCancel(this, &ok_));

    connect(generals_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ConscriptionDialog::onGeneralSelection);
    connect(castles_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ConscriptionDialog::onCastleSelection);
    connect(cavalry_, &QSpinBox::valueChanged, this, &ConscriptionDialog::changeCavalry);
    connect(foot_, &QSpinBox::valueChanged, this, &ConscriptionDialog::changeFoot);
    connect(garrison_, &QSpinBox::valueChanged, this, &ConscriptionDialog::changeGarrison);
    connect(fill_, &QPushButton::clicked, this, &ConscriptionDialog::fillAll);
    refreshControls();
    generals_->setFocus();
}

void ConscriptionDialog::selectGeneral(int i) {
    selectKey(generals_, i);
}
void ConscriptionDialog::selectCastle(int i) {
    selectKey(castles_, i);
}

void ConscriptionDialog::onGeneralSelection() {
    general_ = selectedKey(generals_);
    refreshControls();
}

void ConscriptionDialog::onCastleSelection() {
    castle_ = selectedKey(castles_);
    refreshControls();
}

void ConscriptionDialog::changeCavalry(int units) {
    if (general_ < 0) return;
    if (!setPendingCavalry(world_, plan_, general_, units)) showMessage(this, kNoFunds);
    refreshRows();
    refreshControls();
}

void ConscriptionDialog::changeFoot(int units) {
    if (general_ < 0) return;
    if (!setPendingFoot(world_, plan_, general_, units)) showMessage(this, kNoFunds);
    refreshRows();
    refreshControls();
}

void ConscriptionDialog::changeGarrison(int units) {
    if (castle_ < 0) return;
    if (!setPendingGarrison(world_, plan_, castle_, units)) showMessage(this, kNoFunds);
    refreshRows();
    refreshControls();
}

void ConscriptionDialog::fillAll() {
    std::vector<int> order;
    for (int r = 0; r < generals_->rowCount(); ++r)
        order.push_back(generals_->rowKey(r));
    fillAllGenerals(world_, plan_, order);
    generals_->selectionModel()->clearSelection();
    generals_->setCurrentIndex({});
    general_ = -1;
    refreshRows();
    refreshControls();
}

void ConscriptionDialog::refreshRows() {
    const int unit = world_.settings.heiUnit;
    for (std::size_t i = 0; i < plan_.generals.size(); ++i) {
        const General& g = world_.generals[plan_.generals[i]];
        setNumber(generals_, static_cast<int>(i), 3, (g.cavalry + plan_.cavalry[i]) * unit);
        setNumber(generals_, static_cast<int>(i), 4, (g.foot + plan_.foot[i]) * unit);
    }
    for (std::size_t i = 0; i < plan_.castles.size(); ++i)
        setNumber(castles_, static_cast<int>(i), 2,
                  (world_.castles[plan_.castles[i]].garrison + plan_.garrison[i]) * unit);
}

void ConscriptionDialog::refreshControls() {
    const int unit = world_.settings.heiUnit;
    const QSignalBlocker b1(cavalry_), b2(foot_), b3(garrison_);
    const bool general = general_ >= 0;
    cavalry_->setEnabled(general);
    foot_->setEnabled(general);
    if (general) {
        const General& g = world_.generals[plan_.generals[general_]];
        cavalry_->setRange(0, cavalryRange(world_, plan_, general_));
        cavalry_->setValue(plan_.cavalry[general_]);
        cavalry_->setBase(g.cavalry, unit);
        foot_->setRange(0, footRange(world_, plan_, general_));
        foot_->setValue(plan_.foot[general_]);
        foot_->setBase(g.foot, unit);
    } else {
        cavalry_->setRange(0, 0);
        foot_->setRange(0, 0);
        cavalry_->setBase(0, unit);
        foot_->setBase(0, unit);
    }
    garrison_->setEnabled(castle_ >= 0);
    if (castle_ >= 0) {
        garrison_->setRange(0, garrisonRange(world_, plan_, castle_));
        garrison_->setValue(plan_.garrison[castle_]);
        garrison_->setBase(world_.castles[plan_.castles[castle_]].garrison, unit);
    } else {
        garrison_->setRange(0, 0);
        garrison_->setBase(0, unit);
    }
    const RecruitPools left = poolsLeft(plan_);
    pools_->setText(QString("%1騎  %2人").arg(left.cavalry * unit).arg(left.foot * unit));
    money_->setText(QString::number(moneyLeft(world_, plan_)));
}

// ---- 城兵糧補充 ----

CastleFoodDialog::CastleFoodDialog(const WorldState& world, int house, int province, QWidget* parent)
    : QDialog(parent), world_(world), plan_(makeFoodPlan(world, house, province)) {
    setWindowTitle(kFoodTitle);
    const int unit = world.settings.heiUnit;
    auto* v = new QVBoxLayout(this);
    castles_ = castleTable({"城名", "規模", "守備兵", "兵糧"}, {80, 50, 60, 70}, this);
    for (std::size_t i = 0; i < plan_.castles.size(); ++i) {
        const Castle& k = world.castles[plan_.castles[i]];
        castles_->addRow({InfoTable::textCell(castleName(world, plan_.castles[i])),
                          InfoTable::numberCell(k.size), InfoTable::numberCell(k.garrison * unit),
                          InfoTable::numberCell(k.food)},
                         static_cast<int>(i));
    }
    castles_->setMinimumWidth(dialogUnitsToPixels(castles_, 280));
    v->addWidget(castles_, 1);

    auto* grid = new QGridLayout;
    max_ = new QLabel(this);
    max_->setObjectName("max");
    grid->addWidget(max_, 0, 0, 1, 2);
    slider_ = new QSlider(Qt::Horizontal, this);
    grid->addWidget(slider_, 1, 0, 1, 4);
    tens_ = new QSpinBox(this);
    tens_->setObjectName("tens");
    ones_ = new QSpinBox(this);
    ones_->setObjectName("ones");
    grid->addWidget(new QLabel("+10", this), 2, 0);
    grid->addWidget(tens_, 2, 1);
    grid->addWidget(new QLabel("+1", this), 2, 2);
    grid->addWidget(ones_, 2, 3);
    grid->addWidget(new QLabel("兵糧", this), 3, 0);
    result_ = new QLineEdit(this);
    result_->setReadOnly(true);
    result_->setAlignment(Qt::AlignRight);
    result_->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(result_, 3, 1);
    grid->addWidget(new QLabel("残り資金", this), 3, 2);
    money_ = valueLabel(this, "money");
    grid->addWidget(money_, 3, 3);
    v->addLayout(grid);
    v->addLayout(okCancel(this, &ok_));

    connect(castles_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        castle_ = selectedKey(castles_);
        refresh();
    });
    connect(slider_, &QSlider::valueChanged, this, &CastleFoodDialog::change);
    connect(ones_, &QSpinBox::valueChanged, this, &CastleFoodDialog::change);
    connect(tens_, &QSpinBox::valueChanged, this, [this](int tens) {
        if (castle_ < 0) return;
        // The units digit stays; past the capacity the addition is cut to what fits.
        change(tens * 10 + plan_.food[castle_] % 10);
    });
    refresh();
    castles_->setFocus();
}

void CastleFoodDialog::selectCastle(int i) {
    selectKey(castles_, i);
}

void CastleFoodDialog::change(int amount) {
    if (castle_ < 0 || updating_) return;
    if (!setPendingFood(world_, plan_, castle_, amount)) showMessage(this, kNoFunds);
    refresh();
}

void CastleFoodDialog::refresh() {
    updating_ = true;
    const QSignalBlocker b1(slider_), b2(tens_), b3(ones_);
    const bool any = castle_ >= 0;
    for (QWidget* w :
         {static_cast<QWidget*>(slider_), static_cast<QWidget*>(tens_), static_cast<QWidget*>(ones_)})
        w->setEnabled(any);
    if (any) {
        const int c = plan_.castles[castle_];
        const int cap = foodCapacity(world_, c);
        const int range = foodRange(world_, plan_, castle_);
        const int added = plan_.food[castle_];
        max_->setText(QString("Max %1").arg(cap));
        slider_->setRange(0, range);
        slider_->setSingleStep(1);
        slider_->setPageStep(std::max(1, range / 10));
        slider_->setValue(added);
        ones_->setRange(0, range);
        ones_->setValue(added);
        tens_->setRange(0, std::max(0, cap - world_.castles[c].food) / 10);
        tens_->setValue(added / 10);
        result_->setText(QString::number(world_.castles[c].food + added));
    } else {
        max_->setText("Max");
        result_->clear();
    }
    for (std::size_t i = 0; i < plan_.castles.size(); ++i)
        setNumber(castles_, static_cast<int>(i), 3, world_.castles[plan_.castles[i]].food + plan_.food[i]);
    money_->setText(QString::number(moneyLeft(plan_)));
    updating_ = false;
}

// ---- 城普請 ----

CastleImproveDialog::CastleImproveDialog(const WorldState& world, int house, int province, QWidget* parent)
    : QDialog(parent), world_(world), plan_(makeImprovePlan(world, house, province)) {
    setWindowTitle(kImproveTitle);
    const int unit = world.settings.heiUnit;
    auto* v = new QVBoxLayout(this);
    castles_ = castleTable({"城名", "規模", "守備兵", "兵糧", "実行"}, {80, 50, 60, 70, 50}, this);
    for (std::size_t i = 0; i < plan_.castles.size(); ++i) {
        const Castle& k = world.castles[plan_.castles[i]];
        castles_->addRow({InfoTable::textCell(castleName(world, plan_.castles[i])),
                          InfoTable::numberCell(k.size), InfoTable::numberCell(k.garrison * unit),
                          InfoTable::numberCell(k.food), InfoTable::textCell({})},
                         static_cast<int>(i));
    }
    castles_->setMinimumWidth(dialogUnitsToPixels(castles_, 330));
    v->addWidget(castles_, 1);
    auto* row = new QHBoxLayout;
    improve_ = new QPushButton(kImproveTitle, this);
    improve_->setAutoDefault(false);
    row->addWidget(improve_);
    cost_ = new QLabel(this);
    cost_->setObjectName("cost");
    row->addWidget(cost_, 1);
    row->addWidget(new QLabel("残り資金", this));
    money_ = valueLabel(this, "money");
    row->addWidget(money_);
    v->addLayout(row);
    v->addLayout(okCancel(this, &ok_));

    connect(castles_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        castle_ = selectedKey(castles_);
        refresh();
    });
    connect(improve_, &QPushButton::clicked, this, &CastleImproveDialog::improve);
    refresh();
    castles_->setFocus();
}

void CastleImproveDialog::selectCastle(int i) {
    selectKey(castles_, i);
}

void CastleImproveDialog::improve() {
    if (castle_ < 0) return;
    const std::string refusal = markImprovement(world_, plan_, castle_);
    if (!refusal.empty()) showMessage(this, utf8(refusal));
    refresh();
}

void CastleImproveDialog::refresh() {
    for (std::size_t i = 0; i < plan_.castles.size(); ++i) {
        const int size = world_.castles[plan_.castles[i]].size + (plan_.marked[i] ? 1 : 0);
        setNumber(castles_, static_cast<int>(i), 1, size);
        const bool done = improvedOrMarked(world_, plan_, static_cast<int>(i));
        setNumber(castles_, static_cast<int>(i), 4, done ? 1 : 0, done ? "済" : "未");
    }
    improve_->setEnabled(castle_ >= 0);
    if (castle_ < 0)
        cost_->clear();
    else if (improvedOrMarked(world_, plan_, castle_))
        cost_->setText("（実行済みです）");
    else
        cost_->setText(QString("（必要資金 %1）").arg(improveCost(world_, plan_.castles[castle_])));
    money_->setText(QString::number(moneyLeft(plan_)));
}

} // namespace vh::ui
