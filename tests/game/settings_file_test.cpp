// The preferences file: its byte layout, the defaults of empty fields, short and missing files,
// the cut of long names and the fallback location of an installed copy.
#include "game/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vh {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() /
               ("vh-settings-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(SettingsFile, FieldsSitAtTheirOffsetsAndRoundTripByteForByte) {
    std::vector<uint8_t> image(337, 0);
    const std::string dir = "/home/player/saves";
    std::copy(dir.begin(), dir.end(), image.begin());
    // Bytes after a field's terminator survive a round trip untouched.
    image[200] = 0x5A;
    const std::string a = "yama.mid", b = "ikusa.mid";
    std::copy(a.begin(), a.end(), image.begin() + 256);
    std::copy(b.begin(), b.end(), image.begin() + 296);
    image[336] = 1;

    TempDir t;
    writeBytes(t.file("vrdhm.dat"), image);
    SettingsFile s;
    ASSERT_TRUE(readSettingsFile(t.file("vrdhm.dat"), "/opt/vardenholm", s));
    EXPECT_EQ(fieldText(s.saveDir), dir);
    EXPECT_EQ(s.musicName(kOrdinaryMusic), a);
    EXPECT_EQ(s.musicName(kBattleMusic), b);
    EXPECT_TRUE(s.disabled());

    ASSERT_TRUE(writeSettingsFile(t.file("copy.dat"), s));
    EXPECT_EQ(fileBytes(t.file("copy.dat")), image);
    EXPECT_FALSE(fs::exists(t.file("copy.dat.tmp")));
}

TEST(SettingsFile, MissingOrShortFilesGiveTheDefaults) {
    TempDir t;
    SettingsFile s;
    EXPECT_FALSE(readSettingsFile(t.file("vrdhm.dat"), "/opt/game", s));
    EXPECT_EQ(fieldText(s.saveDir), "/opt/game");
    EXPECT_EQ(s.musicName(kOrdinaryMusic), "main.mid");
    EXPECT_EQ(s.musicName(kBattleMusic), "battle.mid");
    EXPECT_FALSE(s.disabled());

    // A file that ends inside the first music name: what was read stands, the rest is defaulted.
    std::vector<uint8_t> shortImage(260, 0);
    shortImage[0] = '/';
    shortImage[256] = 'x';
    shortImage[257] = 'y';
    writeBytes(t.file("short.dat"), shortImage);
    EXPECT_TRUE(readSettingsFile(t.file("short.dat"), "/opt/game", s));
    EXPECT_EQ(fieldText(s.saveDir), "/");
    EXPECT_EQ(s.musicName(kOrdinaryMusic), "xy");
    EXPECT_EQ(s.musicName(kBattleMusic), "battle.mid");

    // Written back, the defaulted file is the full 337 bytes with the defaults in place.
    ASSERT_TRUE(writeSettingsFile(t.file("out.dat"), s));
    const auto bytes = fileBytes(t.file("out.dat"));
    ASSERT_EQ(bytes.size(), 337u);
    EXPECT_EQ(std::string(bytes.begin() + 296, bytes.begin() + 306), "battle.mid");
    EXPECT_EQ(bytes[306], 0);
    EXPECT_EQ(bytes[336], 0);
}

TEST(SettingsFile, LongNamesAreCutWithoutBreakingACharacter) {
    SettingsFile s;
    setMusicName(s, kOrdinaryMusic, std::string(50, 'a'));
    EXPECT_EQ(s.musicName(kOrdinaryMusic), std::string(39, 'a'));
    // 38 ASCII bytes and a three-byte character: the character does not fit and is dropped whole.
    const std::string jp = std::string(38, 'b') + "曲.mid";
    setMusicName(s, kBattleMusic, jp);
    EXPECT_EQ(s.musicName(kBattleMusic), std::string(38, 'b'));
    EXPECT_EQ(cutName("曲曲", 4), "曲");

    // A save directory too long for its field is not stored.
    ASSERT_TRUE(setSaveDir(s, "/kept"));
    EXPECT_FALSE(setSaveDir(s, "/" + std::string(255, 'd')));
    EXPECT_EQ(fieldText(s.saveDir), "/kept");
    EXPECT_TRUE(setSaveDir(s, std::string(255, 'e')));
    EXPECT_EQ(fieldText(s.saveDir).size(), 255u);
    // A program directory that does not fit leaves the field empty rather than cut.
    SettingsFile fresh;
    fillSettingsDefaults(fresh, "/" + std::string(300, 'p'));
    EXPECT_EQ(fresh.saveDir[0], 0);
}

TEST(SettingsFile, AnInstalledCopyKeepsItsFileInTheConfigurationDirectory) {
    TempDir program, config;
    const std::string inProgram = program.file("vrdhm.dat");
    const std::string inConfig = (config.path / "vardenholm" / "vrdhm.dat").string();
    const std::string configDir = (config.path / "vardenholm").string();

    SettingsLocation writable = settingsLocation(program.path.string(), configDir, true);
    EXPECT_EQ(writable.readPath, inProgram);
    EXPECT_EQ(writable.writePath, inProgram);

    // Not writable: written to the configuration directory (created on the way), read from the
    // program's directory until that file exists.
    SettingsLocation installed = settingsLocation(program.path.string(), configDir, false);
    EXPECT_EQ(installed.readPath, inProgram);
    EXPECT_EQ(installed.writePath, inConfig);
    SettingsFile s;
    readSettingsFile(installed.readPath, program.path.string(), s);
    setMusicName(s, kOrdinaryMusic, "mine.mid");
    ASSERT_TRUE(writeSettingsFile(installed.writePath, s));
    installed = settingsLocation(program.path.string(), configDir, false);
    EXPECT_EQ(installed.readPath, inConfig);
    SettingsFile back;
    ASSERT_TRUE(readSettingsFile(installed.readPath, program.path.string(), back));
    EXPECT_EQ(back.musicName(kOrdinaryMusic), "mine.mid");
    EXPECT_FALSE(fs::exists(inProgram));

    EXPECT_TRUE(directoryWritable(program.path.string()));
    EXPECT_EQ(std::distance(fs::directory_iterator(program.path), fs::directory_iterator()), 0);
    EXPECT_FALSE(directoryWritable(program.file("no-such-dir")));
    // A path whose folder cannot be made fails and says so.
    writeBytes(program.file("plain-file"), {1});
    EXPECT_FALSE(writeSettingsFile(program.file("plain-file") + "/vrdhm.dat", s));
}

} // namespace
} // namespace vh
