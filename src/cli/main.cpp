// vardenholm-cli: the headless front end. Drives the same rules as the desktop game.
#include "cli/commands.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

namespace vh::cli {

std::string defaultProgramDir(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path exe = fs::canonical(fs::path(argv0), ec);
    if (ec) exe = fs::path(argv0);
    const fs::path dir = exe.parent_path();
    // An installed or copied program keeps its data beside it; a build tree uses the sources' data/.
    if (fs::exists(dir / "default.map")) return dir.string();
    if (fs::exists(dir / "data" / "default.map")) return (dir / "data").string();
#ifdef VH_SOURCE_DATA_DIR
    return VH_SOURCE_DATA_DIR;
#else
    return dir.string();
#endif
}

} // namespace vh::cli

namespace {

void usage() {
    std::fputs("使い方: vardenholm-cli COMMAND ...\n"
               "  map-info FILE        地図ファイルの国と地域を表示\n"
               "  check FILE [--program-dir DIR]  シナリオを読み込んで検査\n"
               "  encipher SRC OUT     シナリオを暗号化\n"
               "  decipher SRC OUT --password PW  シナリオの暗号化を解除\n"
               "  benchmark SCENARIO [--years N]  ベンチマーク (実行速度と digest)\n"
               "  watch SCENARIO --until YYYY-MM [--seed N] [--save FILE] [--house INDEX]  観戦して進行\n"
               "  resume SAVEFILE --until YYYY-MM [--save FILE]  セーブデータから進行\n"
               "  save-info SAVEFILE   セーブデータの日付・フェイズ・件数を表示\n"
               "  fieldbattle CASE.json  野戦を1回自動で行い経過を JSON Lines で出力\n"
               "  siege CASE.json      攻城戦を1か月自動で行い経過を JSON Lines で出力\n",
               stderr);
}

} // namespace

int main(int argc, char** argv) {
    using namespace vh::cli;
    const std::map<std::string, std::function<int(const Args&)>> commands = {
        {"map-info", mapInfo},
        {"check", check},
        {"encipher", encipher},
        {"decipher", decipher},
        {"benchmark", benchmark},
        {"watch", watch},
        {"resume", resume},
        {"save-info", saveInfo},
        {"soak", soak},
        {"fieldbattle", fieldBattle},
        {"siege", siege},
    };
    if (argc < 2) {
        usage();
        return 2;
    }
    auto it = commands.find(argv[1]);
    if (it == commands.end()) {
        usage();
        return 2;
    }
    Args args(argv + 2, argv + argc);
    args.insert(args.begin(), argv[0]);
    return it->second(args);
}
