// The accounts report dialog.
#include "ui/accounts_report_dialog.h"

#include "ui/ui_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vh::ui {

namespace {

// One group of caption / value lines with a TOTAL under a rule. Value labels are named
// "<group>:<caption>" so the lines can be found again.
class LineGroup {
  public:
    LineGroup(const QString& title, QWidget* parent) : box_(new QGroupBox(title, parent)) {
        grid_ = new QGridLayout(box_);
        grid_->setColumnStretch(0, 1);
        grid_->setHorizontalSpacing(24);
        grid_->setVerticalSpacing(2);
    }
    void add(const QString& caption, const QString& value, bool total = false) {
        if (total) {
            // The TOTAL lines of both groups stand at the same height, whatever lies above them.
            grid_->setRowStretch(row_++, 1);
            auto* rule = new QFrame(box_);
            rule->setFrameShape(QFrame::HLine);
            grid_->addWidget(rule, row_++, 0, 1, 2);
        }
        auto* c = new QLabel(caption, box_);
        auto* v = new QLabel(value, box_);
        v->setObjectName(box_->title() + ":" + caption);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (total) {
            QFont f = v->font();
            f.setBold(true);
            v->setFont(f);
            c->setFont(f);
        }
        grid_->addWidget(c, row_, 0);
        grid_->addWidget(v, row_, 1);
        ++row_;
    }
    QGroupBox* box() const { return box_; }

  private:
    QGroupBox* box_;
    QGridLayout* grid_;
    int row_ = 0;
};

QString number(int n) {
    return QString::number(n);
}

} // namespace

QString accountsFundsLine(const AccountsReport& r) {
    QString line = QString("%1 + %2 - %3 → %4")
                       .arg(r.fundsBefore)
                       .arg(r.income.total)
                       .arg(r.upkeep.total)
                       .arg(r.fundsAfter);
    if (r.fundsAfter < 0) line += " （不足資金は家臣から借金しました）";
    return line;
}

AccountsReportDialog::AccountsReportDialog(const AccountsReport& r, QWidget* parent) : QDialog(parent) {
    setWindowTitle("収支報告");
    setProperty("vhRoutineDialog", true);
    auto* v = new QVBoxLayout(this);

    auto* house = new QLabel(utf8(r.houseName), this);
    house->setObjectName("house");
    QFont big = house->font();
    big.setPixelSize(18);
    big.setBold(true);
    house->setFont(big);
    v->addWidget(house);

    auto* groups = new QHBoxLayout;
    LineGroup income("収入", this);
    income.add("収穫", r.harvestMonth ? number(r.income.harvest) : QString("0 (収穫期ではありません)"));
    income.add("町", number(r.income.town));
    income.add("鉱山", number(r.income.mine));
    if (r.income.ainuTrade != 0)
        income.add(r.playerIsAinu ? "交易" : "対アイヌ交易", number(r.income.ainuTrade));
    if (r.income.tradeShips != 0) income.add("交易船収入", number(r.income.tradeShips));
    income.add("TOTAL", number(r.income.total), true);
    groups->addWidget(income.box(), 1);

    LineGroup upkeep("支出", this);
    upkeep.add("待機中騎馬兵維持費(兵数×1.5)", number(r.upkeep.idleCavalry));
    upkeep.add("待機中足軽兵維持費(兵数×0.5)", number(r.upkeep.idleFoot));
    upkeep.add("出陣中騎馬兵維持費(兵数×3)", number(r.upkeep.sortieCavalry));
    upkeep.add("出陣中足軽兵維持費(兵数×1)", number(r.upkeep.sortieFoot));
    upkeep.add("城守備兵維持費(兵数×0.1)", number(r.upkeep.garrison));
    upkeep.add("TOTAL", number(r.upkeep.total), true);
    groups->addWidget(upkeep.box(), 1);
    v->addLayout(groups);

    auto* fundsRow = new QHBoxLayout;
    auto* fundsCaption = new QLabel("資金", this);
    fundsCaption->setFont(big);
    fundsRow->addWidget(fundsCaption);
    funds_ = new QLabel(accountsFundsLine(r), this);
    funds_->setObjectName("funds");
    QFont fundsFont = funds_->font();
    fundsFont.setPixelSize(16);
    funds_->setFont(fundsFont);
    if (r.fundsAfter < 0) funds_->setStyleSheet("QLabel { color: #b00000; }");
    fundsRow->addWidget(funds_, 1);
    v->addLayout(fundsRow);
    if (r.upkeep.leftOut) {
        note_ = new QLabel("（注意：篭城中の兵の維持には城の備蓄兵糧が使用されるので支出には計上されません）",
                           this);
        note_->setObjectName("note");
        note_->setWordWrap(true);
        v->addWidget(note_);
    }

    auto* corpsBox = new QGroupBox("軍団収支", this);
    auto* cv = new QVBoxLayout(corpsBox);
    corps_ = new QTreeWidget(corpsBox);
    corps_->setColumnCount(4);
    corps_->setHeaderLabels({"軍団名", "収入", "支出", "資金残高"});
    corps_->setRootIsDecorated(false);
    corps_->setColumnWidth(0, 200);
    for (const CorpsAccountRow& row : r.corps) {
        auto* item = new QTreeWidgetItem(
            corps_, {utf8(row.name), number(row.income), number(row.upkeep), number(row.fundsAfter)});
        for (int col = 1; col < 4; ++col)
            item->setTextAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
    }
    // Room for the rows there are (two at least, eight at most; more scroll).
    const int rowHeight = corps_->fontMetrics().height() + 6;
    const int shownRows = std::clamp(static_cast<int>(r.corps.size()), 2, 8);
    corps_->setFixedHeight(corps_->header()->sizeHint().height() + shownRows * rowHeight + 4);
    cv->addWidget(corps_);
    v->addWidget(corpsBox);

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    ok->setMinimumWidth(100);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    v->addWidget(ok, 0, Qt::AlignRight);
    setMinimumWidth(640);
}

QString AccountsReportDialog::incomeLine(const QString& caption) const {
    auto* l = findChild<QLabel*>("収入:" + caption);
    return l ? l->text() : QString();
}

QString AccountsReportDialog::upkeepLine(const QString& caption) const {
    auto* l = findChild<QLabel*>("支出:" + caption);
    return l ? l->text() : QString();
}

} // namespace vh::ui
