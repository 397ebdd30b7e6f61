// Sieges staged on copies of the running game for the screenshot run.
#include "ui/siege_screenshots.h"

#include "battle/player_siege.h"
#include "context/game.h"
#include "ui/siege_window.h"
#include "world/castle_rules.h"

#include <QApplication>
#include <QDir>

#include <memory>

namespace vh::ui {

namespace {

void save(QWidget* widget, const QString& dir, const QString& name) {
    QApplication::processEvents();
    QDir().mkpath(dir);
    widget->grab().save(QDir(dir).absoluteFilePath(name));
}

// A castle of `house` with a route to a castle of another house: {own, other}, or {-1, -1}.
std::pair<int, int> frontier(const WorldState& w, int house) {
    for (int c = 0; c < w.castleCount; ++c) {
        if (w.castles[c].owner != house || w.castles[c].generalCount == 0) continue;
        const CastleSite& s = w.castleSites[c];
        for (int r = 0; r < CastleSite::kMaxRoutes && s.routes[r] >= 0; ++r)
            if (w.castles[s.routes[r]].owner != house && w.castles[s.routes[r]].owner >= 0)
                return {c, s.routes[r]};
    }
    return {-1, -1};
}

// Up to four generals of `from`'s garrison stand in the field before `target`.
void marchOut(WorldState& w, int from, int target) {
    const Castle& c = w.castles[from];
    std::vector<int> army(c.generals, c.generals + std::min<int>(c.generalCount, 4));
    for (int g : army) {
        w.generals[g].castle = static_cast<int16_t>(target);
        w.generals[g].flags = static_cast<int16_t>(w.generals[g].flags | kFlagInField);
    }
    rebuildCastleLists(w, {});
}

} // namespace

void takeSiegeScreenshots(const Game& game, QWidget* parent, const QString& dir) {
    const WorldState& world = game.world;
    const int me = world.playerHouse;
    const auto [own, other] = frontier(world, me);
    if (own < 0) return;
    {
        auto copy = std::make_unique<Game>(game);
        copy->frontend = nullptr;
        marchOut(copy->world, own, other);
        copy->world.castles[other].siegeProgress = static_cast<int16_t>(50 * copy->world.castles[other].size);
        PlayerSiege siege(*copy, other);
        siege.open();
        siege.takeMessages();
        SiegeWindow w(siege, parent);
        w.show();
        save(&w, dir, "siege.png");
        siege.storm();
        siege.takeMessages();
        w.refresh();
        save(&w, dir, "siege-turn.png");
        while (siege.canOrder())
            siege.storm();
        siege.takeMessages();
        w.refresh();
        save(&w, dir, "siege-end.png");
    }
    if (world.castles[other].generalCount > 0) {
        auto copy = std::make_unique<Game>(game);
        copy->frontend = nullptr;
        marchOut(copy->world, other, own); // the neighbour marches on the player's castle
        PlayerSiege siege(*copy, own);
        siege.open();
        SiegeWindow w(siege, parent);
        w.show();
        save(&w, dir, "siege-defending.png");
    }
}

} // namespace vh::ui
