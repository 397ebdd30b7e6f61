// Scenario reading result codes and their texts as the player sees them.
#pragma once

#include <string>

namespace vh {

enum ScenarioError : int {
    kScenarioOk = 0,
    kScenarioCancelled = 1,
    kScenarioFileError = 2,
    kErrTooManyHouses = 3,
    kErrSyntax = 4,
    kErrHouseNameTooLong = 5,
    kErrHouseKind = 6,
    kErrHouseIdTooLong = 7,
    kErrHouseIdDuplicate = 8,
    kErrTooManyCastles = 9,
    kErrCastleIdTooLong = 10,
    kErrCastleIdDuplicate = 11,
    kErrCastleNameTooLong = 12,
    kErrProvince = 13,
    kErrHouseRef = 14,
    kErrCastleRef = 15,
    kErrTooManyRoutes = 16,
    kErrTooManyGenerals = 17,
    kErrGeneralNameTooLong = 18,
    kErrTooManyRelations = 19,
    kErrRelationKind = 20,
    kErrTitleTooLong = 21,
    kErrNotInteger = 22,
    kErrCastleSize = 23,
    kErrValor = 24,
    kErrPolitics = 25,
    kErrIntellect = 26,
    kErrLoyalty = 27,
    kErrAmbition = 28,
    kErrCavalry = 29,
    kErrFoot = 30,
    kErrGuns = 31,
    kErrEndingTooLong = 32,
    kErrPort = 33,
    kErrTradeShips = 34,
    kErrWarShips = 35,
    kErrTooManyPartners = 36,
    kErrPartnerIdTooLong = 37,
    kErrPartnerIdDuplicate = 38,
    kErrPartnerNameTooLong = 39,
    kErrPartnerRef = 40,
    kErrSupport = 41,
    kErrX = 42,
    kErrY = 43,
    kErrRouteMismatch = 44,
    kErrCastlesPerProvince = 45,
    kErrMiningSkill = 46,
    kErrMapMissing = 47,
    kErrMapBad = 48,
    kErrMapTooManyProvinces = 49,
    kErrPlace = 50,
    kErrNoCastleInProvince = 51,
    kErrTooManyMarkets = 52,
    kErrMarketIdTooLong = 53,
    kErrMarketIdDuplicate = 54,
    kErrMarketNameTooLong = 55,
    kErrMarketRef = 56,
    kErrNotReal = 57,
    kErrGunCollection = 58,
    kErrGunEffect = 59,
    kErrRegion = 60,
    kErrCipherData = 61,
    kErrCastlePicture = 62,
    kScenarioErrorCount = 63,
};

// The table text of a code (UTF-8); "" for a code outside the table.
const char* scenarioErrorText(int code);

// The message box text of a reading error: "%s(Line No.%d) %s", or the text alone for the cipher
// checksum, or nothing for a cancelled choice or an unopenable file. `detail` is UTF-8.
std::string scenarioErrorMessage(int code, int line, const std::string& detail);

// The notice for a relation declared twice; reading goes on after it.
std::string duplicateRelationMessage(int line);

} // namespace vh
