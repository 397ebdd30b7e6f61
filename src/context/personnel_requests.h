// What the personnel rules ask of the player, as plain data for the Frontend: the hostage a lord
// demands (人質差し出し) and the fate of the generals a fallen castle yielded (降伏武将の処遇).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vh {

// One candidate row of the hostage-giving dialog.
struct HostageCandidateRow {
    std::string name; // UTF-8; "%s 世嗣" with the house's name when no heir qualifies
    int age = 0;
    bool ageUnknown = false; // shown as the age followed by "(?)"
    int valor = 0;
    int politics = 0;
    int intellect = 0;
};

// Another house demands a hostage of the player's house. The answer is a row index, or -1 when
// the player refuses (人質の差し出しを拒否).
struct HostageRequest {
    std::string demandingHouse;            // UTF-8
    std::vector<HostageCandidateRow> rows; // never empty: the heir row stands in for none
    int automaticChoice = 0;               // the row a computer house would give
    std::string header() const;            // "%s は人質の差し出しを要求してきました"
    static std::string
    confirmQuestion(const std::string& name); // "%s を人質として差し出します。よろしいですか？"
};

// One surrendered general: a prisoner the player's conquest just took.
struct SurrenderedRow {
    int general = -1;
    std::string name;  // UTF-8
    std::string house; // his origin house (所属)
    bool head = false; // he heads his origin house (地位 "当主")
    int age = 0;
    bool ageUnknown = false; // 年齢 "不詳"
    int valor = 0;
    int politics = 0;
    int intellect = 0;
};

// The fate of every surrendered general, decided before play goes on. The operations apply at
// once; a front end calls them as the player presses the buttons. Every row must be dealt with;
// one left over stays the player's prisoner.
struct SurrenderRequest {
    std::vector<SurrenderedRow> rows;
    std::function<bool(int general)> recruit; // 登用: false when he refuses (he stays listed)
    std::function<void(int general)> release; // 解放
    std::function<void(int general)> seppuku; // 切腹
    // 捕虜 needs no operation: he stays the player's prisoner.
    static std::string refusalText(const std::string& name); // "%s は登用を拒否しました"
};

} // namespace vh
