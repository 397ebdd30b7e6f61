// The ronin service question with the general's age and abilities.
#include "ui/ronin_dialog.h"

#include "ui/ui_text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vh::ui {

RoninDialog::RoninDialog(const RoninRequest& r, QWidget* parent) : QDialog(parent) {
    setWindowTitle("登用選択");
    setProperty("vhRoutineDialog", true);
    auto* v = new QVBoxLayout(this);
    question_ = new QLabel(utf8(r.question()), this);
    question_->setObjectName("question");
    question_->setWordWrap(true);
    QFont f = question_->font();
    f.setPixelSize(15);
    f.setBold(true);
    question_->setFont(f);
    v->addWidget(question_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    const QString age = r.ageUnknown ? QString("不詳") : QString::number(r.age);
    const std::pair<const char*, QString> figures[] = {
        {"名前", utf8(r.name)},
        {"年齢", age},
        {"武勇", QString::number(r.valor)},
        {"政治", QString::number(r.politics)},
        {"智謀", QString::number(r.intellect)},
    };
    int col = 0;
    for (const auto& [caption, value] : figures) {
        auto* c = new QLabel(caption, this);
        auto* val = new QLabel(value, this);
        val->setObjectName(caption);
        c->setAlignment(Qt::AlignCenter);
        val->setAlignment(Qt::AlignCenter);
        grid->addWidget(c, 0, col);
        grid->addWidget(val, 1, col);
        ++col;
    }
    v->addLayout(grid);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    yes_ = new QPushButton("家臣に登用する", this);
    no_ = new QPushButton("登用しない", this);
    yes_->setDefault(true);
    row->addWidget(yes_);
    row->addWidget(no_);
    v->addLayout(row);
    setMinimumWidth(440);
    connect(yes_, &QPushButton::clicked, this, &QDialog::accept);
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace vh::ui
