// The reader's working state while one scenario file is read: tokens, identifiers, the map's
// name indices, and one member per section and setting. Shared by the section files.
#pragma once

#include "scenario/scenario_errors.h"
#include "scenario/scenario_tokenizer.h"
#include "world/text_codec.h"
#include "world/world_state.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vh {

inline constexpr size_t kMaxIdBytes = 25;
inline constexpr size_t kMaxNameBytes = 20;
// Castle records keep their province in a byte read as signed by several rules.
inline constexpr int kMaxCastleProvince = 127;
inline constexpr int kMaxCastlesPerProvince = 100;

class ScenarioReader {
  public:
    ScenarioReader(std::string_view text, std::string scenarioDir, std::string programDir, WorldState& world);

    // Reads the whole text; returns 0 or an error code. After an error, errorLine() and detail()
    // describe it.
    int run();
    int errorLine() const { return errorLine_; }
    const std::string& detail() const { return extraText_; }
    const std::vector<std::string>& notices() const { return notices_; }
    bool mapLoaded() const { return mapLoaded_; }
    TextEncoding encoding() const {
        return world_.settings.language == 1 ? TextEncoding::Gb2312 : TextEncoding::Cp932;
    }

  private:
    using RecordReader = int (ScenarioReader::*)(int firstEnd);

    int readKeyword();
    int readCipherHeader();
    int finish();
    // The error code that stands after `code` once the rest of a cipher text was checked.
    int settleCipher(int code);

    // Tokens and fields. `tok_` holds the latest token.
    int next(size_t capacity = kTokenCapacity) {
        end_ = tokens_.nextToken(tok_, capacity);
        return end_;
    }
    // Reads a field of a record: a middle field must be followed by more on its line, the last one
    // must end it (the end of the file ends the last line too).
    int field(bool last);
    static int shapeOf(int end, bool last);
    int intField(bool last, int32_t& value);
    int realField(bool last, double& value);
    int rangedField(bool last, int32_t lo, int32_t hi, int error, int32_t& value);
    int yesNo(bool& flag);

    // Sections: "{", records until "}".
    int section(RecordReader record, size_t capacity = kTokenCapacity);
    int openingLine(int end);
    int houseLine(int end);
    int castleLine(int end);
    int routeLine(int end);
    int routesComplete();
    int generalLine(int end);
    int relationLine(int end);
    int viewAreaLine(int end);
    int snowLine(int end);
    int rainLine(int end);
    int partnerLine(int end);
    int partnerMonthLine(int end);
    int marketLine(int end);
    int marketMonthLine(int end);
    int productionLine(int end);
    // Month count then province names or K_ALL, the last ending the line.
    int provinceMonths(uint8_t* months);

    // Settings.
    int intSetting(int32_t& value);
    int textSetting(char (&field)[101], int tooLong);
    int mainMapZoom();
    int realTriple(double (&values)[3]);
    int gunEffect();

    // The map.
    int ensureMap();
    int loadMapNamed(const std::string& name);
    void indexMap();
    int provinceIndex(const std::string& name) const;
    int regionIndex(const std::string& name) const;
    int houseIndex(const std::string& id) const;
    int castleIndex(const std::string& id) const;

    ScenarioTokenizer tokens_;
    std::string scenarioDir_;
    std::string programDir_;
    WorldState& world_;

    std::string tok_;
    int end_ = 0;
    int recordLine_ = 0; // line of the current record's first token
    int version_ = 1;
    bool mapLoaded_ = false;
    bool cipherHeaderBad_ = false;
    uint32_t expectedSum_ = 0;
    int errorLine_ = 0;
    std::string extraText_; // UTF-8
    std::vector<std::string> notices_;

    std::unordered_map<std::string, int> houseIds_;
    std::unordered_map<std::string, int> castleIds_;
    std::vector<std::string> castleIdByIndex_;
    std::unordered_map<std::string, int> partnerIds_;
    std::unordered_map<std::string, int> marketIds_;
    std::unordered_map<std::string, int> provinceByName_;
    std::unordered_map<std::string, int> regionByName_;
    // Sized when the first castle (or route line) is read: most files the fuzzer feeds never get
    // that far, and building them per read would cost more than the read itself.
    std::vector<std::vector<int>> castlesByProvince_;
    // Castles whose route line has been read, and for each castle the read castles listing it.
    std::vector<char> routesRead_;
    std::vector<std::vector<int16_t>> listedBy_;
    // Highest province index a castle or a general's place refers to; a later map must hold it.
    int highestProvinceUsed_ = -1;
};

} // namespace vh
