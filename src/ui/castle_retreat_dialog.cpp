// The withdrawal window of a besieged castle.
#include "ui/castle_retreat_dialog.h"

#include "battle/castle_retreat.h"
#include "context/game_text.h"
#include "ui/info_cells.h"
#include "ui/info_table.h"
#include "ui/ui_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vh::ui {

CastleRetreatDialog::CastleRetreatDialog(Game& game, int castle, QWidget* parent)
    : QDialog(parent), game_(game), castle_(castle) {
    setWindowTitle("城から退却");
    const WorldState& w = game.world;
    auto* v = new QVBoxLayout(this);
    auto* prompt = new QLabel("退却する武将を指定して下さい（複数指定可）", this);
    prompt->setObjectName("prompt");
    v->addWidget(prompt);
    table_ = new InfoTable({"名前", "地位", "年齢", "騎馬兵", "足軽兵", "鉄砲数", "武勇"}, {80, 40, 37, 45, 45, 45, 37}, this);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    if (castle >= 0 && castle < w.castleCount) {
        const Castle& k = w.castles[castle];
        for (int i = 0; i < std::min<int>(k.generalCount, Castle::kMaxGenerals); ++i) {
            const int g = k.generals[i];
            const General& r = w.generals[g];
            const bool head = r.house >= 0 && r.house < w.houseCount && w.houses[r.house].head == g;
            QList<QStandardItem*> cells{InfoTable::textCell(utf8(nameText(w, r.name))),
                                        InfoTable::textCell(head ? "当主" : ""), ageCell(w, r)};
            cells += troopCells(w, r);
            cells += InfoTable::numberCell(r.valor);
            table_->addRow(cells, g);
        }
    }
    // Every column in view without scrolling sideways.
    table_->setMinimumWidth(table_->header()->length() + 2 * table_->frameWidth() + 24);
    v->addWidget(table_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    retreat_ = new QPushButton("退却", this);
    cancel_ = new QPushButton("ｷｬﾝｾﾙ", this);
    retreat_->setDefault(true);
    row->addWidget(retreat_);
    row->addWidget(cancel_);
    v->addLayout(row);
    connect(retreat_, &QPushButton::clicked, this, &CastleRetreatDialog::retreatPressed);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    table_->setFocus();
}

std::vector<int> CastleRetreatDialog::selectedGenerals() const {
    std::vector<std::pair<int, int>> rows; // shown row, general
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.emplace_back(index.row(), table_->rowKey(index.row()));
    std::sort(rows.begin(), rows.end());
    std::vector<int> out;
    for (const auto& r : rows) out.push_back(r.second);
    return out;
}

void CastleRetreatDialog::retreatPressed() {
    const std::vector<int> chosen = selectedGenerals();
    if (const auto refusal = castleRetreatRefusal(game_.world, castle_, static_cast<int>(chosen.size()))) {
        showMessage(this, utf8(*refusal));
        return;
    }
    moved_ = retreatFromCastle(game_, castle_, chosen);
    accept();
}

std::vector<int> runCastleRetreatDialog(QWidget* parent, Game& game, int castle) {
    CastleRetreatDialog d(game, castle, parent);
    d.exec();
    return d.moved();
}

} // namespace vh::ui
