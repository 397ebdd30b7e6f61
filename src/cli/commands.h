// The headless runner's commands; each returns the process exit code.
#pragma once

#include <string>
#include <vector>

namespace vh::cli {

using Args = std::vector<std::string>;

int mapInfo(const Args& args);
int check(const Args& args);
int encipher(const Args& args);
int decipher(const Args& args);
int benchmark(const Args& args);
int watch(const Args& args);
int resume(const Args& args);
int saveInfo(const Args& args);
int soak(const Args& args);
int fieldBattle(const Args& args);
int siege(const Args& args); // one month's automatic siege of a JSON case, as JSON Lines

// Directory of the bundled data (default.map, scenarios) next to the executable, or the source tree's data/.
std::string defaultProgramDir(const char* argv0);

} // namespace vh::cli
