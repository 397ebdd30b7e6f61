// The envoy visit (使者来訪) as plain data for the Frontend seam: a computer house's envoy asks
// the player's house for consent, and the answer it gets.
#pragma once

#include <functional>
#include <string>

namespace vh {

enum class EnvoyKind {
    NonAggression,            // 不戦同盟交渉使者来訪
    SubordinationDemand,      // 従属要求使者来訪
    SubmissionDemand,         // 臣従要求使者来訪
    SubordinationApplication, // 従属志願使者来訪
    SubmissionApplication,    // 臣従志願使者来訪
    ChangeOfLord,             // 主家鞍替え使者来訪
};

struct EnvoyVisitAnswer {
    bool accept = false;        // はい
    bool demandHostage = false; // the check box "人質を差し出すように要求する" (applications only)
};

struct EnvoyVisitRequest {
    EnvoyKind kind = EnvoyKind::NonAggression;
    int house = -1;       // the house that sent the envoy; its territory is the one shown
    int currentLord = -1; // change of lord: the lord the sender is leaving
    std::string title;    // the dialog's caption, e.g. "従属要求使者来訪" (UTF-8)
    std::string question; // e.g. "%sから従属要求の使者が来ました。従属しますか？" filled in
    std::string infoLine; // "%s情報 :   石高 %d万%04d石   城数 %d" filled in
    bool hostageCheckBox = false;
    // The answer a computer house would give in the player's place. A front end without a
    // dialog returns it, so automatic play never waits. It may draw random numbers.
    std::function<EnvoyVisitAnswer()> computerAnswer;
};

} // namespace vh
