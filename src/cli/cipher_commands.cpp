// encipher / decipher: the scenario cipher utility on the command line.
#include "cli/commands.h"
#include "scenario/cipher_utility.h"
#include "world/text_codec.h"

#include <cstdio>

namespace vh::cli {
namespace {

int report(int code) {
    if (code == kCipherOk) return 0;
    std::printf("%s\n", cipherUtilityMessage(code));
    return 1;
}

} // namespace

int encipher(const Args& args) {
    if (args.size() != 3) {
        std::fputs("使い方: vardenholm-cli encipher SRC OUT\n", stderr);
        return 2;
    }
    return report(encipherScenarioFile(args[1], args[2]));
}

int decipher(const Args& args) {
    std::string files[2], password;
    int fileCount = 0;
    bool passwordGiven = false, usageError = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--password" && i + 1 < args.size()) {
            password = args[++i];
            passwordGiven = true;
        } else if (fileCount < 2) {
            files[fileCount++] = args[i];
        } else {
            usageError = true;
        }
    }
    if (usageError || fileCount != 2 || !passwordGiven) {
        std::fputs("使い方: vardenholm-cli decipher SRC OUT --password PW\n", stderr);
        return 2;
    }
    // Passwords are stored in the scenario's code page.
    return report(decipherScenarioFile(files[0], files[1], utf8ToCp932(password)));
}

} // namespace vh::cli
