// The player's siege: the steps the siege window calls, with the computer's part of each.
#include "battle/player_siege.h"

#include "context/game.h"

#include <cstdio>

namespace vh {

PlayerSiege::PlayerSiege(Game& game, int castle, SallyBattle sally, RetreatDialog retreat)
    : game_(game), castle_(castle), sally_(std::move(sally)), retreat_(std::move(retreat)),
      role_(playerBesieges(game.world, castle) ? SiegeRole::Besieging : SiegeRole::Defending),
      siege_(siegeFromCastle(game.world, castle)) {
    siege_.wantMessages = true;
}

void PlayerSiege::collect() {
    for (std::string& m : siege_.messages)
        messages_.push_back(std::move(m));
    siege_.messages.clear();
}

std::vector<std::string> PlayerSiege::takeMessages() {
    collect();
    std::vector<std::string> out;
    out.swap(messages_);
    return out;
}

int PlayerSiege::fightSally() {
    // The field battle engine is the resolution's to supply; without it no battle is fought.
    if (!sally_) return -1;
    writeSiegeBack(game_.world, siege_);
    const int result = sally_(game_, castle_);
    reloadSiege(siege_, game_.world);
    return result;
}

void PlayerSiege::withdraw() {
    withdrawGarrison(siege_, game_.rng);
    collect();
}

void PlayerSiege::open() {
    if (opened_) return;
    opened_ = true;
    if (role_ != SiegeRole::Besieging) return;
    // The decision is drawn either way; a sally is only fought when there is a field battle.
    if (garrisonSallies(siege_, game_.rng) && sally_) {
        messages_.push_back("敵兵が城から出てきました");
        sallyResult_ = fightSally();
        if (sallyResult_ != 1) {
            messages_.push_back("我軍は野戦に勝利できなかったので撤退します");
            closeNow_ = true;
            return;
        }
    }
    withdraw();
}

bool PlayerSiege::canOrder() const {
    return opened_ && !closeNow_ && !abandoned_ && !siege_.over();
}

void PlayerSiege::play(SiegeOrder order) {
    if (role_ != SiegeRole::Besieging || !canOrder()) return;
    siegeTurn(siege_, order, game_.rng);
    afterTurn();
}

void PlayerSiege::defend() {
    if (role_ != SiegeRole::Defending || !canOrder()) return;
    siegeTurn(siege_, besiegersChoice(siege_, game_.rng), game_.rng);
    afterTurn();
}

void PlayerSiege::afterTurn() {
    collect();
    if (siege_.result != kSiegeHolds) return;
    if (role_ == SiegeRole::Besieging && siege_.turn <= 3) withdraw();
    if (siege_.turn >= kSiegeTurns) {
        gunsPushBack(siege_, game_.rng);
        collect();
    }
}

bool PlayerSiege::canSally() const {
    return role_ == SiegeRole::Defending && sally_ && canOrder() && siege_.turn == 0 && sallyResult_ < 0;
}

void PlayerSiege::sallyOut() {
    if (!canSally()) return;
    sallyResult_ = fightSally();
    if (sallyResult_ != 1) {
        messages_.push_back("敵軍は撤退します");
        closeNow_ = true;
    }
}

bool PlayerSiege::canRetreat() const {
    return role_ == SiegeRole::Defending && retreat_ && canOrder();
}

void PlayerSiege::retreat() {
    if (!canRetreat()) return;
    writeSiegeBack(game_.world, siege_);
    retreat_(game_, castle_);
    reloadSiege(siege_, game_.world);
}

bool PlayerSiege::over() const {
    return closeNow_ || siege_.over();
}

std::string PlayerSiege::turnLine() const {
    if (siege_.result == kSiegeFallen) return "強襲により落城しました";
    if (siege_.result == kSiegeSurrendered) return "兵糧が尽きたので開城しました";
    if (over()) return "攻城戦終了";
    char buf[32];
    std::snprintf(buf, sizeof buf, "ターン %d/%d", siege_.turn + 1, kSiegeTurns);
    return buf;
}

SiegeMonthOutcome PlayerSiege::finish() {
    writeSiegeBack(game_.world, siege_);
    SiegeMonthOutcome out;
    out.sally = sallyResult_;
    out.result = closeNow_ ? kSiegeHolds : siege_.result;
    out.abandoned = abandoned_;
    return out;
}

} // namespace vh
