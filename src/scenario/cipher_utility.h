// The scenario cipher utility: turning a plain scenario with a Secret line into its cipher form and
// back again with the author's password. The dialog gathers the paths and the password.
#pragma once

#include <string>
#include <string_view>

namespace vh {

enum CipherUtilityCode : int {
    kCipherOk = 0,
    kCipherSourceUnreadable = 1, // "シナリオファイルが開けません"
    kCipherSameFile = 2, // "変換元ファイルと出力ファイルは同じ名前を指定しないでください"
    kCipherOutputUnwritable = 3, // "出力ファイルが開けません"
    kCipherWrongPassword = 4,    // "パスワードが違います"
    kCipherBadData = 5,          // "データが異常です"
    kCipherPasswordBlank = 6,    // a password with a blank could never be given back
};

// The message of a code (UTF-8); "" for success.
const char* cipherUtilityMessage(int code);

// The first line of the cipher text, after the copied plain head (CP932).
std::string cipherHeaderLine();

// Enciphers everything after the Secret keyword's password; a text without Secret is copied whole.
int encipherScenarioText(std::string_view source, std::string& out);
// Gives back the plain text of a cipher-form scenario, with "Secret : PASSWORD" in place of the
// cipher line. `password` is in the file's code page. A text without Cipher is copied whole.
int decipherScenarioText(std::string_view source, std::string_view password, std::string& out);

// The checks made once both files are chosen: the source can be read, the output is another file
// and can be written. Nothing is left behind by the check.
int checkCipherPaths(const std::string& sourcePath, const std::string& outputPath);
// The utility's two operations. The output file is written only when the whole conversion
// succeeded, so a refusal leaves no output behind.
int encipherScenarioFile(const std::string& sourcePath, const std::string& outputPath);
int decipherScenarioFile(const std::string& sourcePath, const std::string& outputPath,
                         std::string_view password);

} // namespace vh
