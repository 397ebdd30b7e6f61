// Titles, questions and the information line of the envoy-visit dialog.
#include "diplomacy/envoy_visit.h"

#include "diplomacy/diplomacy_text.h"
#include "diplomacy/figures.h"

namespace vh {

namespace {

struct EnvoyTexts {
    const char* title;
    const char* question;
    bool hostageCheckBox;
};

EnvoyTexts textsFor(EnvoyKind kind) {
    switch (kind) {
    case EnvoyKind::NonAggression:
        return {"不戦同盟交渉使者来訪", "%sから同盟交渉の使者が来ました。不戦同盟を結びますか？", false};
    case EnvoyKind::SubordinationDemand:
        return {"従属要求使者来訪", "%sから従属要求の使者が来ました。従属しますか？", false};
    case EnvoyKind::SubmissionDemand:
        return {"臣従要求使者来訪", "%sから臣従要求の使者が来ました。臣従しますか？", false};
    case EnvoyKind::SubordinationApplication:
        return {"従属志願使者来訪", "%sが当家に従属を申し出ました。受け入れますか？", true};
    case EnvoyKind::SubmissionApplication:
        return {"臣従志願使者来訪", "%sが当家に臣従を申し出ました。受け入れますか？", true};
    case EnvoyKind::ChangeOfLord:
        return {"主家鞍替え使者来訪", "%sが%sから当家に鞍替えを申し出ました。受け入れますか？", true};
    }
    return {"", "", false};
}

} // namespace

EnvoyVisitRequest makeEnvoyVisitRequest(const WorldState& w, EnvoyKind kind, int house, int currentLord) {
    const EnvoyTexts t = textsFor(kind);
    EnvoyVisitRequest r;
    r.kind = kind;
    r.house = house;
    r.currentLord = currentLord;
    r.title = t.title;
    r.question = kind == EnvoyKind::ChangeOfLord ? withHouses(w, t.question, house, currentLord)
                                                 : withHouse(w, t.question, house);
    const int koku = kokuOf(w, house);
    r.infoLine = fillText("%s情報 :   石高 %d万%04d石   城数 %d", houseNameText(w, house).c_str(),
                          koku / 10000, koku % 10000, castleCountOf(w, house));
    r.hostageCheckBox = t.hostageCheckBox;
    return r;
}

} // namespace vh
