// Sections Opening (the opening text), Bushou (generals) and Doumei (initial relations).
#include "scenario/scenario_reader_impl.h"
#include "world/byte_io.h"

namespace vh {
namespace {

// Stored soldier units, with the limit in men that applies to them.
bool soldiersFit(int64_t units, int32_t heiUnit, int64_t limitMen) {
    // heiUnit is at least 1, so a count above the limit fails before the product could overflow.
    return units >= 0 && units <= limitMen && units * heiUnit <= limitMen;
}

bool allianceKind(int kind) {
    return kind == kRelPact || kind == kRelSubordinateTo || kind == kRelSubmittedTo;
}

} // namespace

int ScenarioReader::openingLine(int end) {
    if (int e = shapeOf(end, true)) return e;
    world_.settings.openingText += tok_;
    world_.settings.openingText += "\r\n";
    return kScenarioOk;
}

int ScenarioReader::generalLine(int end) {
    if (world_.scenarioGeneralCount >= kMaxGenerals) return kErrTooManyGenerals;
    if (int e = shapeOf(end, false)) return e;
    if (tok_.size() > kMaxNameBytes) return kErrGeneralNameTooLong;
    ScenarioGeneral g;
    setFieldText(g.name, tok_);

    int32_t valor, politics, intellect, loyalty, ambition;
    if (int e = rangedField(false, 0, 10, kErrValor, valor)) return e;
    if (int e = rangedField(false, 0, 10, kErrPolitics, politics)) return e;
    if (int e = rangedField(false, 0, 10, kErrIntellect, intellect)) return e;
    if (int e = rangedField(false, 0, 10, kErrLoyalty, loyalty)) return e;
    if (int e = rangedField(false, 0, 10, kErrAmbition, ambition)) return e;

    // Formats before version 3 give soldiers in tens of units.
    const int64_t scale = version_ < 3 ? 10 : 1;
    const int32_t heiUnit = world_.settings.heiUnit;
    int32_t cavalry, foot, guns;
    if (int e = intField(false, cavalry)) return e;
    if (!soldiersFit(cavalry * scale, heiUnit, 2000)) return kErrCavalry;
    if (int e = intField(false, foot)) return e;
    if (!soldiersFit(foot * scale, heiUnit, 5000)) return kErrFoot;
    if (int e = intField(false, guns)) return e;
    if (!soldiersFit(guns * scale, heiUnit, 5000)) return kErrGuns;

    // A birth year may end in "?" when it is uncertain.
    if (int e = field(false)) return e;
    std::string year = tok_;
    if (!year.empty() && year.back() == '?') {
        year.pop_back();
        g.birthUnknown = 1;
    }
    const auto birth = parseInteger(year);
    if (!birth) return kErrNotInteger;
    int32_t lifeEnd, appear;
    if (int e = intField(false, lifeEnd)) return e;
    if (int e = intField(false, appear)) return e;

    // House: an ID, an ID in parentheses, or D_FREE.
    if (int e = field(false)) return e;
    int house;
    bool parenthesised = false;
    if (tok_ == "D_FREE") {
        house = ScenarioGeneral::kFreeHouse;
    } else {
        std::string id = tok_;
        if (id.size() >= 2 && id.front() == '(' && id.back() == ')') {
            id = id.substr(1, id.size() - 2);
            parenthesised = true;
        }
        house = id.empty() ? -1 : houseIndex(id);
        if (house < 0) return kErrHouseRef;
    }
    int32_t succession;
    if (int e = intField(false, succession)) return e;

    // Place: a castle ID, else a province name.
    if (int e = field(true)) return e;
    int place;
    const int castle = castleIndex(tok_);
    int province = -1;
    if (castle >= 0) {
        place = castle;
    } else {
        province = provinceIndex(tok_);
        if (province < 0) return kErrPlace;
        place = province | kIndexFlag;
    }
    // A general present from the start in a province needs a castle of his house there.
    if (appear == 0 && house >= 0 && province >= 0) {
        bool found = false;
        if (!castlesByProvince_.empty())
            for (int c : castlesByProvince_[province])
                if (world_.castleSites[c].initialOwner == house) found = true;
        if (!found) return kErrNoCastleInProvince;
    }

    g.valor = static_cast<uint8_t>(valor);
    g.politics = static_cast<uint8_t>(politics);
    g.intellect = static_cast<uint8_t>(intellect);
    g.loyalty = static_cast<uint8_t>(loyalty);
    g.ambition = static_cast<uint8_t>(ambition);
    g.cavalry = static_cast<int16_t>(cavalry * scale);
    g.foot = static_cast<int16_t>(foot * scale);
    g.guns = static_cast<int16_t>(guns * scale);
    g.birthYear = static_cast<int16_t>(*birth);
    g.lifeEnd = static_cast<int16_t>(lifeEnd);
    g.appearYear = static_cast<int16_t>(appear);
    g.house = static_cast<int16_t>(parenthesised ? (house | kIndexFlag) : house);
    g.place = static_cast<int16_t>(place);
    g.succession = static_cast<int8_t>(succession);
    world_.scenarioGenerals[world_.scenarioGeneralCount++] = g;
    if (province > highestProvinceUsed_) highestProvinceUsed_ = province;
    return kScenarioOk;
}

int ScenarioReader::relationLine(int end) {
    if (world_.relationEntryCount >= kMaxRelationEntries) return kErrTooManyRelations;
    if (int e = shapeOf(end, false)) return e;
    const int a = houseIndex(tok_);
    if (a < 0) return kErrHouseRef;
    if (int e = field(false)) return e;
    int kind;
    if (tok_ == "FUSEN")
        kind = kRelPact;
    else if (tok_ == "JUUZOKU")
        kind = kRelSubordinateTo;
    else if (tok_ == "SHINJUU")
        kind = kRelSubmittedTo;
    else if (tok_ == "SHUKUTEKI")
        kind = kRelSwornEnemy;
    else if (tok_ == "NOTHING")
        kind = kRelNothing;
    else
        return kErrRelationKind;
    if (int e = field(true)) return e;
    int b;
    if (tok_ == "D_ALL") {
        b = -1;
    } else {
        b = houseIndex(tok_);
        if (b < 0) return kErrHouseRef;
    }

    // Two alliances between the same houses: the author is told, and both lines stand.
    if (allianceKind(kind)) {
        for (int i = 0; i < world_.relationEntryCount; ++i) {
            const RelationEntry& r = world_.relationEntries[i];
            const bool samePair = (r.houseA == a && r.houseB == b) || (r.houseA == b && r.houseB == a);
            if (samePair && allianceKind(r.kind)) {
                notices_.push_back(duplicateRelationMessage(recordLine_));
                break;
            }
        }
    }
    RelationEntry& r = world_.relationEntries[world_.relationEntryCount++];
    r.houseA = static_cast<int16_t>(a);
    r.houseB = static_cast<int16_t>(b);
    r.kind = static_cast<int16_t>(kind);
    return kScenarioOk;
}

} // namespace vh
