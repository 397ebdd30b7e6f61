// The player's siege: the engine plus the month's rules around the siege window — the opening
// sally of a computer garrison, the computer garrison's withdrawals, the computer besiegers'
// choice for a defending player, the player's own sally and the push-back. The window only calls
// these steps and shows what they leave behind.
#pragma once

#include "battle/siege.h"
#include "battle/siege_world.h"

#include <string>
#include <vector>

namespace vh {

struct Game;

enum class SiegeRole : uint8_t { Besieging, Defending };

class PlayerSiege {
  public:
    // Reads the castle's siege from the world; draws nothing.
    PlayerSiege(Game& game, int castle, SallyBattle sally = {}, RetreatDialog retreat = {});

    SiegeRole role() const { return role_; }
    const Siege& siege() const { return siege_; }
    Game& game() { return game_; }
    const Game& game() const { return game_; }
    int castle() const { return castle_; }

    // As the window opens. A besieging player faces the computer garrison's sally decision
    // ("敵兵が城から出てきました" and the battle; "我軍は野戦に勝利できなかったので撤退します"
    // when the besiegers do not win it, and the window closes), then its withdrawal.
    void open();

    // A siege turn can be ordered now.
    bool canOrder() const;
    // A besieging player's orders 強襲 and 待機（兵糧攻め）; after turns 1 to 3 the computer
    // garrison withdraws again; after the fifth the push-back follows.
    void storm() { play(SiegeOrder::Storm); }
    void wait() { play(SiegeOrder::Wait); }
    // A defending player's 城内で防戦: the computer besiegers choose the order.
    void defend();
    // A defending player's 城外で野戦, only before the first turn; "敵軍は撤退します" and the
    // window closes when the besiegers do not win.
    bool canSally() const;
    void sallyOut();
    // A defending player's 城から退却: the retreat dialog, when there is one.
    bool canRetreat() const;
    void retreat();

    // The siege is over for the month ("閉じる" is shown, the action buttons are off).
    bool over() const;
    // The window closes by itself (a sally ended the siege).
    bool closeNow() const { return closeNow_; }
    // "ターン %d/5" while the siege goes on, else its end line.
    std::string turnLine() const;
    // Messages to show since the last call, in order (UTF-8).
    std::vector<std::string> takeMessages();

    // The program is closing inside the window: the month must stop.
    void abandon() { abandoned_ = true; }
    bool abandoned() const { return abandoned_; }

    // Writes the siege into the world and returns the month's outcome. Called by the rule after
    // the window has closed (also when the frontend did not fight the siege).
    SiegeMonthOutcome finish();

  private:
    void play(SiegeOrder order);
    void afterTurn();
    void withdraw();
    int fightSally();
    void collect();

    Game& game_;
    int castle_;
    SallyBattle sally_;
    RetreatDialog retreat_;
    SiegeRole role_;
    Siege siege_;
    int sallyResult_ = -1;
    bool opened_ = false;
    bool closeNow_ = false;
    bool abandoned_ = false;
    std::vector<std::string> messages_;
};

} // namespace vh
