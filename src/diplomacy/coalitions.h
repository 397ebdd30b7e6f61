// Coalitions against a house (反X連合): the records come only from saved games; an alliance
// between the target and one of the members ends the coalition.
#pragma once

namespace vh {

struct Game;

// Every coalition whose target is one of the two houses and which counts the other among its
// members is dissolved with "反%s連合は消滅しました"; later records move up.
void dissolveCoalitionsOnAlliance(Game& game, int a, int b);

} // namespace vh
