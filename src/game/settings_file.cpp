// Reading, writing and locating the preferences file.
#include "game/settings_file.h"

#include "world/record_codec.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace vh {

namespace fs = std::filesystem;

std::array<uint8_t, SettingsFile::kBytes> settingsImage(const SettingsFile& s) {
    return recordImage(s);
}

SettingsFile settingsFromImage(const uint8_t* data, std::size_t size) {
    std::array<uint8_t, SettingsFile::kBytes> image{};
    std::copy_n(data, std::min(size, image.size()), image.begin());
    SettingsFile s;
    decodeRecord(s, image.data());
    return s;
}

void fillSettingsDefaults(SettingsFile& s, std::string_view programDir) {
    if (s.saveDir[0] == 0 && programDir.size() <= kSaveDirMax) setFieldText(s.saveDir, programDir);
    if (s.ordinaryMusic[0] == 0) setFieldText(s.ordinaryMusic, kDefaultMusicNames[kOrdinaryMusic]);
    if (s.battleMusic[0] == 0) setFieldText(s.battleMusic, kDefaultMusicNames[kBattleMusic]);
}

bool readSettingsFile(const std::string& path, std::string_view programDir, SettingsFile& out) {
    std::vector<uint8_t> bytes;
    std::ifstream f(path, std::ios::binary);
    const bool found = static_cast<bool>(f);
    if (found) {
        bytes.resize(SettingsFile::kBytes);
        f.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, f.gcount())));
    }
    out = settingsFromImage(bytes.data(), bytes.size());
    fillSettingsDefaults(out, programDir);
    return found;
}

bool writeSettingsFile(const std::string& path, const SettingsFile& s) {
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    const std::string temp = path + ".tmp";
    const auto image = settingsImage(s);
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        f.close();
        if (!f) {
            std::remove(temp.c_str());
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::string cutName(std::string_view name, std::size_t maxBytes) {
    if (name.size() <= maxBytes) return std::string(name);
    std::size_t n = maxBytes;
    // Step back over continuation bytes so the last character stays whole.
    while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
        --n;
    return std::string(name.substr(0, n));
}

void setMusicName(SettingsFile& s, int piece, std::string_view name) {
    const std::string cut = cutName(name, kMusicNameMax);
    if (piece == kBattleMusic)
        setFieldText(s.battleMusic, cut);
    else
        setFieldText(s.ordinaryMusic, cut);
}

bool setSaveDir(SettingsFile& s, std::string_view dir) {
    if (dir.size() > kSaveDirMax) return false;
    setFieldText(s.saveDir, dir);
    return true;
}

SettingsLocation settingsLocation(const std::string& programDir, const std::string& configDir,
                                  bool programDirWritable) {
    const std::string inProgram = (fs::path(programDir) / kSettingsFileName).string();
    if (programDirWritable || configDir.empty()) return {inProgram, inProgram};
    const std::string inConfig = (fs::path(configDir) / kSettingsFileName).string();
    std::error_code ec;
    return {fs::exists(inConfig, ec) ? inConfig : inProgram, inConfig};
}

bool directoryWritable(const std::string& dir) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return false;
    const std::string probe =
        (fs::path(dir) / (".vrdhm-write-test-" + std::to_string(static_cast<long>(::getpid())))).string();
    std::FILE* f = std::fopen(probe.c_str(), "wb");
    if (!f) return false;
    std::fclose(f);
    std::remove(probe.c_str());
    return true;
}

} // namespace vh
