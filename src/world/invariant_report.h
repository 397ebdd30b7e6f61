// Shared pieces of the invariant checker's two files: the violation list, the table bounds that
// keep every loop inside the stored records, and the per-table checks.
#pragma once

#include "world/castle_rules.h"
#include "world/world_invariants.h"

#include <string>
#include <vector>

namespace vh::inv {

// One violation per line; a corrupted table can break thousands of records, so the list stops
// growing at a limit and says how many more there were.
struct Report {
    static constexpr size_t kLimit = 200;
    std::vector<std::string> lines;
    size_t dropped = 0;

    void add(const char* table, const std::string& what) { push(std::string(table) + ": " + what); }
    void add(const char* table, int index, const std::string& what) {
        push(std::string(table) + "[" + std::to_string(index) + "]: " + what);
    }
    void push(std::string line) {
        if (lines.size() < kLimit) lines.push_back(std::move(line));
        else ++dropped;
    }
    std::vector<std::string> finish() {
        if (dropped) lines.push_back("... and " + std::to_string(dropped) + " more");
        return std::move(lines);
    }
};

// Counts clamped to the records actually held, so that a broken count is reported, not followed.
struct Bounds {
    int houses = 0, castles = 0, generals = 0, waiting = 0, scenarioGenerals = 0, provinces = 0;
    int tradePartners = 0, coalitions = 0;
};

Bounds boundsOf(const WorldState& w);
bool houseExists(const WorldState& w, const Bounds& b, int h);
inline bool in(int v, int lo, int hi) { return v >= lo && v <= hi; }

void checkCastles(const WorldState& w, const Bounds& b, const InvariantScope& scope, Report& r);
void checkGenerals(const WorldState& w, const Bounds& b, const InvariantScope& scope, Report& r);
void checkCastleLists(const WorldState& w, const Bounds& b, const InvariantScope& scope, Report& r);

} // namespace vh::inv
