// Screenshots of the personnel and corps dialogs over a prepared copy of the game.
#include "ui/personnel_screenshots.h"

#include "context/game_text.h"
#include "diplomacy/figures.h"
#include "diplomacy/relations.h"
#include "personnel/corps.h"
#include "personnel/guests.h"
#include "personnel/hostages.h"
#include "personnel/prisoners.h"
#include "ui/corps_map_dialogs.h"
#include "ui/corps_organise_dialog.h"
#include "ui/hostage_dialogs.h"
#include "ui/main_window.h"
#include "ui/prisoner_dialogs.h"

#include <QApplication>
#include <QDir>

#include <memory>

namespace vh::ui {

namespace {

void save(QWidget* widget, const QString& dir, const QString& name) {
    widget->show();
    QApplication::processEvents();
    QDir().mkpath(dir);
    widget->grab().save(QDir(dir).absoluteFilePath(name));
}

std::vector<int> generalsOf(const WorldState& w, int house) {
    std::vector<int> out;
    for (int g = 0; g < w.generalCount; ++g)
        if (w.generals[g].house == house && w.houses[house].head != g) out.push_back(g);
    return out;
}

} // namespace

void takePersonnelScreenshots(const Game& original, MainWindow* window, const QString& dir) {
    auto copy = std::make_unique<Game>();
    Game& game = *copy;
    game.world = original.world;
    game.quietMode = true; // the preparation's own messages are not wanted
    WorldState& w = game.world;
    const int me = w.playerHouse;
    if (me < 0 || me >= w.houseCount) return;
    const std::vector<int> neighbours = neighboursOf(w, me);
    if (neighbours.size() < 2) return;
    const int enemy = neighbours[0], vassal = neighbours[1];
    // The second neighbour submits to the player.
    w.houses[vassal].vassalState = 2;
    w.houses[vassal].lord = me;
    setRelationKind(w.houses[vassal], me, kRelSubmittedTo);
    setRelationKind(w.houses[me], vassal, kRelHasSubmitted);

    // Prisoners both ways, one of them the enemy's head.
    std::vector<int> taken;
    for (int g : generalsOf(w, enemy)) {
        if (taken.size() >= 3) break;
        takePrisoner(game, me, g);
        taken.push_back(g);
    }
    const int enemyHead = w.houses[enemy].head;
    takePrisoner(game, me, enemyHead);
    taken.insert(taken.begin(), enemyHead);
    if (taken.size() > 1) w.generals[taken[1]].refusalCounter = 0;
    const std::vector<int> mine = generalsOf(w, me);
    for (size_t i = 0; i < mine.size() && i < 2; ++i)
        takePrisoner(game, enemy, mine[mine.size() - 1 - i]);
    // Hostages of the vassal and of the enemy.
    takeHostage(game, me, vassal);
    takeHostage(game, me, enemy);
    const std::vector<int> vassalMen = generalsOf(w, vassal);
    if (!vassalMen.empty()) makeGuest(game, vassalMen.front());

    // Two corps with members, provinces, fiefs and money.
    const std::vector<int> own = generalsOf(w, me);
    for (size_t i = 0; i + 2 < own.size() && i < 4; i += 2) {
        appointCorpsLeader(w, own[i]);
        assignToCorps(w, static_cast<int>(i / 2), {own[i + 1]});
    }
    if (!vassalMen.empty() && vassalMen.size() > 1) assignToCorps(w, 0, {vassalMen[1]});
    std::vector<int> myCastles;
    for (int c = 0; c < w.castleCount; ++c)
        if (w.castles[c].owner == me) myCastles.push_back(c);
    if (!myCastles.empty()) {
        const int province = w.castleSites[myCastles.front()].province;
        toggleResponsibleProvince(w, 0, province);
        for (int c : myCastles)
            if (c != myCastles.front() && int(w.castleSites[c].province) == province)
                toggleFiefCastle(w, 0, c);
        for (int c = 0; c < w.castleCount; ++c) {
            const int p = w.castleSites[c].province;
            if (p != province && provincesRouteAdjacent(w, province, p)) {
                toggleResponsibleProvince(w, 0, p);
                break;
            }
        }
    }
    w.corps[0].funds = 1200;
    w.corps[0].undeployedGuns = 15;
    setCorpsAction(w, 0, kCorpsInvade);
    game.quietMode = false;
    game.frontend = nullptr;
    const MapViewState start = window->mapView()->state();

    {
        std::vector<int> fallen(taken.begin(), taken.end());
        PrisonerDialog d(PrisonerDialog::Mode::Surrender, surrenderRequest(game, fallen), {}, window);
        save(&d, dir, "surrendered.png");
    }
    {
        PrisonerDialog d(
            PrisonerDialog::Mode::Treatment, surrenderRequest(game, prisonersHeldBy(w, me)),
            [&w](int g) { return canRecruit(w, g); }, window);
        save(&d, dir, "prisoners.png");
    }
    {
        PrisonerExchangeDialog d(game, enemy, window);
        if (d.oursList()->topLevelItemCount() > 0) d.oursList()->topLevelItem(0)->setSelected(true);
        if (d.theirsList()->topLevelItemCount() > 0) d.theirsList()->topLevelItem(0)->setSelected(true);
        save(&d, dir, "prisoner-exchange.png");
    }
    {
        HostageRequest r;
        r.demandingHouse = houseNameText(w, enemy);
        HostageCandidateRow heir;
        heir.name = houseNameText(w, me) + " 世嗣";
        heir.age = -1;
        heir.valor = heir.politics = heir.intellect = 3;
        r.rows.push_back(heir);
        HostageOfferDialog d(r, window);
        save(&d, dir, "hostage-offer.png");
    }
    {
        HostageTreatmentDialog d(game, window);
        save(&d, dir, "hostages.png");
    }
    {
        GuestInvitationDialog d(game, window);
        save(&d, dir, "guest-invitation.png");
    }
    {
        CorpsOrganiseDialog d(w, window);
        d.corpsList()->setCurrentItem(d.corpsList()->topLevelItem(0));
        save(&d, dir, "corps-organise.png");
    }
    {
        CorpsOrdersDialog d(w, start, window);
        d.corpsList()->setCurrentItem(d.corpsList()->topLevelItem(0));
        save(&d, dir, "corps-orders.png");
    }
    {
        CorpsFiefDialog d(w, start, window);
        d.corpsList()->setCurrentItem(d.corpsList()->topLevelItem(0));
        save(&d, dir, "corps-fief.png");
        if (!myCastles.empty()) {
            CorpsProvinceFiefDialog p(w, 0, w.castleSites[myCastles.front()].province, start, window);
            save(&p, dir, "corps-fief-province.png");
        }
    }
    {
        CorpsAssetsDialog d(w, window);
        d.corpsList()->setCurrentItem(d.corpsList()->topLevelItem(0));
        save(&d, dir, "corps-assets.png");
    }
}

} // namespace vh::ui
