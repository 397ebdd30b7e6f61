// Fuzzes the cipher utility. Any text deciphers or is refused; any text with a Secret line
// enciphers, and its cipher form deciphers again with the same password and keeps the body.
#include "scenario/cipher_utility.h"
#include "scenario/scenario_tokenizer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Deciphering arbitrary text with the password on its first line.
    const size_t eol = text.find('\n');
    const std::string password = eol == std::string::npos ? text : text.substr(0, eol);
    std::string out;
    (void)vh::decipherScenarioText(text, password, out);

    // Round trip: find the password the way the encipher does.
    std::string cipher;
    const int code = vh::encipherScenarioText(text, cipher);
    vh::ScenarioTokenizer t(text);
    std::string tok;
    size_t secretAt = std::string::npos;
    bool cipherWord = false; // as the reader sees words: quotes join, so Cip"her is one
    for (;;) {
        const int end = t.nextToken(tok);
        cipherWord |= tok == "Cipher";
        if (tok == "Secret") {
            secretAt = t.tokenStart();
            break;
        }
        if (end == vh::kTokenFileEnd) break;
    }
    if (secretAt == std::string::npos) {
        if (code != vh::kCipherOk || cipher != text) std::abort();
        return 0;
    }
    std::string pw;
    t.nextToken(pw);
    if (pw.find(' ') != std::string::npos) {
        if (code != vh::kCipherPasswordBlank) std::abort();
        return 0;
    }
    if (code != vh::kCipherOk) std::abort();
    // A Cipher word before the Secret line makes a plain file that is already unreadable.
    if (cipherWord || text.substr(0, secretAt).find("Cipher") != std::string::npos) return 0;
    const std::string body = text.substr(t.rawPosition());
    std::string back;
    if (vh::decipherScenarioText(cipher, pw, back) != vh::kCipherOk) std::abort();
    if (back.size() < body.size() || back.compare(back.size() - body.size(), body.size(), body) != 0)
        std::abort();
    return 0;
}
