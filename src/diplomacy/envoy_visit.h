// The envoy visit (使者来訪): the rule that fills in the request a computer house's envoy brings.
#pragma once

#include "context/envoy_request.h"

namespace vh {

struct WorldState;

// The request for an envoy of `kind` sent by `house` (the lord it leaves for a change of lord).
EnvoyVisitRequest makeEnvoyVisitRequest(const WorldState& w, EnvoyKind kind, int house, int currentLord = -1);

} // namespace vh
