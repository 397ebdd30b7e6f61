// The command table: captions of the command buttons and the information buttons to their dialogs.
#include "ui/command_table.h"

#include "ui/diplomacy_commands.h"
#include "ui/economy_commands.h"
#include "ui/main_window.h"
#include "ui/military_commands.h"
#include "ui/personnel_commands.h"
#include "ui/ui_text.h"

#include <map>

namespace vh::ui {

namespace {

bool coalitionNotAvailable(MainWindow& w) {
    showMessage(&w, "このコマンドは現バージョンでは使用できません");
    return false;
}

const std::map<QString, CommandFn>& table() {
    static const std::map<QString, CommandFn> commands = {
        {"連合結成", coalitionNotAvailable},
        {"不戦同盟交渉", diplomacyCommandFn(DiplomacyCommand::NonAggression)},
        {"従属要求", diplomacyCommandFn(DiplomacyCommand::DemandSubordination)},
        {"臣従要求", diplomacyCommandFn(DiplomacyCommand::DemandSubmission)},
        {"外交関係破棄", diplomacyCommandFn(DiplomacyCommand::BreakRelation)},
        {"独立", diplomacyCommandFn(DiplomacyCommand::Independence)},
        {"主家鞍替", diplomacyCommandFn(DiplomacyCommand::ChangeLord)},
        {"従属志願", diplomacyCommandFn(DiplomacyCommand::ApplySubordination)},
        {"臣従志願", diplomacyCommandFn(DiplomacyCommand::ApplySubmission)},
        {"武将移動", runMoveCommand},
        {"出陣", runSortieCommand},
        {"徴兵", runConscriptionCommand},
        {"城兵糧補充", runCastleFoodCommand},
        {"城普請", runCastleImproveCommand},
        {"捕虜処遇", runTreatPrisoners},
        {"捕虜交換", runExchangePrisoners},
        {"客将招請", runInviteGuest},
        {"人質処遇", runTreatHostages},
        {"軍団編成", runOrganiseCorps},
        {"軍団指示", runCorpsOrders},
        {"軍団所領", runCorpsFiefs},
        {"軍団資産", runCorpsAssets},
        {"新田開墾", developmentCommandFn(Development::Land)},
        {"楽市楽座", developmentCommandFn(Development::Market)},
        {"鉱山開発", developmentCommandFn(Development::Mine)},
        {"交易船派遣", runTradeDispatch},
        {"船舶建造", runShipBuilding},
        {"鉄砲生産", runGunProduction},
        {"鉄砲購入", runGunPurchase},
        {"鉄砲配備", runGunDeployment},
    };
    return commands;
}

} // namespace

const CommandFn* findCommand(const QString& caption) {
    const auto& t = table();
    const auto it = t.find(caption);
    return it == t.end() ? nullptr : &it->second;
}

} // namespace vh::ui
