// The envoy-visit dialog: texts from the request, the sender's territory on a national map.
#include "ui/envoy_visit_dialog.h"

#include "game/display_rules.h"
#include "ui/ui_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vh::ui {

std::vector<int> territoryCastles(const WorldState& w, int house) {
    std::vector<int> out;
    if (house < 0 || house >= w.houseCount) return out;
    for (int c = 0; c < w.castleCount; ++c) {
        const int owner = w.castles[c].owner;
        if (owner == house || (owner >= 0 && owner < w.houseCount && sideOf(w, owner) == house))
            out.push_back(c);
    }
    return out;
}

EnvoyVisitDialog::EnvoyVisitDialog(const WorldState& world, const EnvoyVisitRequest& request,
                                   const MapViewState& start, QWidget* parent)
    : QDialog(parent), world_(world), house_(request.house) {
    setWindowTitle(utf8(request.title));
    // Answered with はい by the tests' automatic answering, as a message box is with OK.
    setProperty("vhRoutineDialog", true);
    auto* v = new QVBoxLayout(this);

    question_ = new QLabel(utf8(request.question), this);
    question_->setObjectName("question");
    QFont big = question_->font();
    big.setPixelSize(16);
    big.setBold(true);
    question_->setFont(big);
    question_->setWordWrap(true);
    v->addWidget(question_);
    info_ = new QLabel(utf8(request.infoLine), this);
    info_->setObjectName("info");
    info_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    v->addWidget(info_);

    map_ = new OverlayMapView(world, this);
    MapViewState s = start;
    s.mode = MapMode::National;
    s.selectedProvince = -1;
    map_->setState(s);
    v->addWidget(map_, 0, Qt::AlignHCenter);

    auto* row = new QHBoxLayout;
    territory_ = new QPushButton("勢力範囲の確認", this);
    territory_->setCheckable(true);
    territory_->setAutoDefault(false);
    row->addWidget(territory_);
    if (request.hostageCheckBox) {
        hostage_ = new QCheckBox("人質を差し出すように要求する", this);
        row->addWidget(hostage_);
    }
    row->addStretch(1);
    yes_ = new QPushButton("はい", this);
    no_ = new QPushButton("いいえ", this);
    yes_->setMinimumWidth(90);
    no_->setMinimumWidth(90);
    row->addWidget(yes_);
    row->addWidget(no_);
    v->addLayout(row);

    connect(territory_, &QPushButton::toggled, this, &EnvoyVisitDialog::showTerritory);
    connect(yes_, &QPushButton::clicked, this, &QDialog::accept);
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);
    // No default button: Enter must not answer a question of this weight by accident.
    yes_->setAutoDefault(false);
    no_->setAutoDefault(false);
}

void EnvoyVisitDialog::showTerritory(bool on) {
    if (territory_->isChecked() != on) {
        territory_->setChecked(on); // comes back here through toggled()
        return;
    }
    if (!on) {
        map_->setTint({}, {});
        map_->setRingedCastles({}, {});
        return;
    }
    const std::vector<int> castles = territoryCastles(world_, house_);
    std::vector<int> provinces;
    for (int c : castles) {
        const int p = world_.castleSites[c].province;
        if (std::find(provinces.begin(), provinces.end(), p) == provinces.end()) provinces.push_back(p);
    }
    map_->setTint(provinces, QColor(255, 170, 40, 120));
    map_->setRingedCastles(castles, QColor(255, 120, 0));
}

EnvoyVisitAnswer EnvoyVisitDialog::answer() const {
    EnvoyVisitAnswer a;
    a.accept = result() == QDialog::Accepted;
    a.demandHostage = a.accept && hostage_ && hostage_->isChecked();
    return a;
}

} // namespace vh::ui
