// Placeholder for the hostage hand-over until the personnel rules exist.
#include "diplomacy/hostage_hook.h"

namespace vh {

HostageOutcome requestHostage(Game& /*game*/, int /*receiver*/, int /*giver*/) {
    return {};
}

} // namespace vh
