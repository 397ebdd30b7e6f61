// The hostage a lord may ask of a house that applies to serve it.
#pragma once

namespace vh {

struct Game;

struct HostageOutcome {
    bool refused = false; // the applicant would not give one
    int general = -1;     // the hostage, once given (-1 while none is made)
};

// The applicant `giver` is asked for a hostage for `receiver`.
// NOT BUILT YET: hostages are made by the personnel rules (no issue filed yet). Until then the
// applicant counts as having agreed and no hostage record is made, which is what a computer
// house always does apart from the record itself.
HostageOutcome requestHostage(Game& game, int receiver, int giver);

} // namespace vh
