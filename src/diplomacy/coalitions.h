// Coalitions against a house (反X連合): the records come only from saved games; an alliance
// between the target and one of the members ends the coalition.
#pragma once

#include <string>
#include <vector>

namespace vh {

struct Game;
struct WorldState;

// One row of the coalition list (連合一覧), UTF-8: "反%s連合" with the target, and the member
// houses joined by ", ", the list stopping once its text (in the scenario's bytes) passes 949.
struct CoalitionRow {
    std::string name;
    std::string members;
};
std::vector<CoalitionRow> coalitionRows(const WorldState& w);

// Every coalition whose target is one of the two houses and which counts the other among its
// members is dissolved with "反%s連合は消滅しました"; later records move up.
void dissolveCoalitionsOnAlliance(Game& game, int a, int b);

} // namespace vh
