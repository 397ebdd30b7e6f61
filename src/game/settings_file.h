// The player's preferences file "vrdhm.dat": its 337-byte layout, the defaults of empty fields, and
// where it is kept when the program's directory cannot be written (an installed copy).
#pragma once

#include "world/byte_io.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vh {

inline constexpr const char* kSettingsFileName = "vrdhm.dat";
inline constexpr std::size_t kSaveDirMax = 255;  // bytes of text in the 256-byte field
inline constexpr std::size_t kMusicNameMax = 39; // bytes of text in a 40-byte field
inline constexpr const char* kDefaultMusicNames[2] = {"main.mid", "battle.mid"};

enum MusicPiece : int { kOrdinaryMusic = 0, kBattleMusic = 1 };

// The file image field by field. Paths and file names are kept in the file system's own bytes,
// since they are only ever handed back to it.
struct SettingsFile {
    static constexpr std::size_t kBytes = 337;
    char saveDir[256] = {};
    char ordinaryMusic[40] = {};
    char battleMusic[40] = {};
    uint8_t musicDisabled = 0;

    template <class Io, class R> static void describeFields(Io& io, R& r) {
        io.bytes(0, r.saveDir);
        io.bytes(256, r.ordinaryMusic);
        io.bytes(296, r.battleMusic);
        io.num(336, r.musicDisabled);
    }

    std::string_view musicName(int piece) const {
        return piece == kBattleMusic ? fieldText(battleMusic) : fieldText(ordinaryMusic);
    }
    bool disabled() const { return musicDisabled != 0; }
};

std::array<uint8_t, SettingsFile::kBytes> settingsImage(const SettingsFile& s);
// Decodes up to 337 bytes; a shorter image leaves the rest zero, as a short file does.
SettingsFile settingsFromImage(const uint8_t* data, std::size_t size);

// Fills every empty field (first byte zero): the program's directory (when it fits the field),
// "main.mid", "battle.mid". Music stays enabled unless the flag says otherwise.
void fillSettingsDefaults(SettingsFile& s, std::string_view programDir);

// Reads the file (missing or short: the defaults). True when a file was there.
bool readSettingsFile(const std::string& path, std::string_view programDir, SettingsFile& out);
// Writes all 337 bytes through a temporary file renamed into place, creating the folder when it
// is missing. False when it could not be written (the caller carries on without it).
bool writeSettingsFile(const std::string& path, const SettingsFile& s);

// A file name cut to at most `maxBytes` bytes without splitting a UTF-8 character.
std::string cutName(std::string_view name, std::size_t maxBytes);
// Sets a music piece's file name, cut to 39 bytes.
void setMusicName(SettingsFile& s, int piece, std::string_view name);
// Remembers the save/load directory. A path too long for the field is not stored (a cut path
// would name another directory): false, and the previous one stays.
bool setSaveDir(SettingsFile& s, std::string_view dir);

// Where the file lives. The program's directory when it can be written; otherwise the user's
// configuration directory, read from there once it exists and until then from the program's
// directory (an installed copy may ship one).
struct SettingsLocation {
    std::string readPath;
    std::string writePath;
};
SettingsLocation settingsLocation(const std::string& programDir, const std::string& configDir,
                                  bool programDirWritable);
// Whether a file can be created in `dir` (tries one and removes it again).
bool directoryWritable(const std::string& dir);

} // namespace vh
