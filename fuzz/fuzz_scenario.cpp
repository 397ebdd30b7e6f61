// Fuzzes the scenario reader. The first byte chooses the form: the rest is read as it is, or it is
// enciphered behind a Secret line and read in cipher form, which must give the same result as the
// plain text with that Secret line.
#include "scenario/cipher_utility.h"
#include "scenario/scenario_reader.h"
#include "scenario/scenario_tokenizer.h"
#include "world/byte_io.h"
#include "world/map_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A directory with a small default.map and a second map, shared by every run.
// Kept for the whole run (never destroyed), so the exit handler can still remove it.
const std::string& fixtureDir() {
    static const std::string& dir = *new std::string([] {
        namespace fs = std::filesystem;
        const fs::path d = fs::temp_directory_path() / ("vh_fuzz_scenario_" + std::to_string(::getpid()));
        fs::create_directories(d);
        vh::MapData m;
        m.regions.resize(2);
        vh::setFieldText(m.regions[0].name, "R");
        vh::setFieldText(m.regions[1].name, "S");
        for (const char* name : {"A", "B", "C", "D", "\x8e\x52\x8f\xe9"}) { // the last is 山城 in CP932
            vh::Province p;
            vh::setFieldText(p.name, name);
            p.region = static_cast<int16_t>(m.provinces.size() % 2);
            m.provinces.push_back(p);
        }
        vh::writeMapFile((d / "default.map").string(), m);
        m.provinces.resize(3);
        vh::writeMapFile((d / "small.map").string(), m);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(fixtureDir(), ec);
        });
        return d.string();
    }());
    return dir;
}

// A Cipher word in the plain text makes the reader take the rest as cipher text, which the
// enciphered form cannot match. Words as the reader sees them: quotes join, so Cip"her is one.
bool hasCipherWord(const std::string& text) {
    vh::ScenarioTokenizer t(text);
    std::string tok;
    for (;;) {
        const int end = t.nextToken(tok);
        if (tok == "Cipher") return true;
        if (end == vh::kTokenFileEnd) return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string& dir = fixtureDir();
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    // The worlds read into live for the whole run: building a full-capacity world costs far more
    // than reading a small file.
    static vh::ScenarioScratch& scratch = *new vh::ScenarioScratch;
    static vh::ScenarioScratch& plainScratch = *new vh::ScenarioScratch;
    if ((data[0] & 1) == 0) {
        (void)scratch.read(rest, dir, dir);
        return 0;
    }
    const std::string plain = "Secret fz\n" + rest;
    std::string cipher;
    if (vh::encipherScenarioText(plain, cipher) != vh::kCipherOk) std::abort();
    const vh::ScenarioReadResult c = scratch.read(cipher, dir, dir);
    if (rest.find("Cipher") == std::string::npos && !hasCipherWord(rest)) {
        const vh::ScenarioReadResult p = plainScratch.read(plain, dir, dir);
        if (p.code != c.code || p.message != c.message || p.notices != c.notices) std::abort();
        if (p.code == 0 && (plainScratch.world().castleCount != scratch.world().castleCount ||
                            plainScratch.world().scenarioGeneralCount != scratch.world().scenarioGeneralCount))
            std::abort();
    }
    return 0;
}
