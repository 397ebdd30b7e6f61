// Encipher and decipher of whole scenario texts and files.
#include "scenario/cipher_utility.h"

#include "scenario/scenario_cipher.h"
#include "scenario/scenario_tokenizer.h"
#include "world/text_codec.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vh {
namespace {

constexpr size_t kCipherLineWidth = 60;

std::string_view newlineOf(std::string_view text) {
    return text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
}

// Finds the first token equal to `keyword`; false when the text has none.
bool findKeyword(ScenarioTokenizer& t, std::string_view keyword) {
    std::string tok;
    for (;;) {
        const int end = t.nextToken(tok);
        if (tok == keyword) return true;
        if (end == kTokenFileEnd) return false;
    }
}

// The plain text before a keyword, ending at a line start. Text before the keyword on its own line
// is kept on a line of its own rather than dropped.
std::string headBefore(std::string_view text, size_t keywordAt, std::string_view newline) {
    const size_t lineStart = text.rfind('\n', keywordAt == 0 ? 0 : keywordAt - 1);
    const size_t from = (lineStart == std::string_view::npos || keywordAt == 0) ? 0 : lineStart + 1;
    const std::string_view before = text.substr(from, keywordAt - from);
    if (before.find_first_not_of(" \t\r") == std::string_view::npos) return std::string(text.substr(0, from));
    std::string head(text.substr(0, keywordAt));
    head += newline;
    return head;
}

int hexDigit(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool readWhole(const std::string& path, std::string& out) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return false;
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    out.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return !f.bad();
}

// Writes beside the target and renames into place, so a failed write leaves no partial file.
bool writeWhole(const std::string& path, const std::string& data) {
    const std::string temp = path + ".partial";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f.write(data.data(), static_cast<std::streamsize>(data.size()));
        f.close();
        if (!f) {
            std::remove(temp.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace

const char* cipherUtilityMessage(int code) {
    switch (code) {
    case kCipherSourceUnreadable:
        return "シナリオファイルが開けません";
    case kCipherSameFile:
        return "変換元ファイルと出力ファイルは同じ名前を指定しないでください";
    case kCipherOutputUnwritable:
        return "出力ファイルが開けません";
    case kCipherWrongPassword:
        return "パスワードが違います";
    case kCipherBadData:
        return "データが異常です";
    case kCipherPasswordBlank:
        return "パスワードに空白を含めることはできません";
    default:
        return "";
    }
}

std::string cipherHeaderLine() {
    return utf8ToCp932("Cipher : LEVEL1\t// これ以降のデータは暗号化されています");
}

int encipherScenarioText(std::string_view source, std::string& out) {
    ScenarioTokenizer t(source);
    if (!findKeyword(t, "Secret")) {
        out.assign(source);
        return kCipherOk;
    }
    const std::string_view nl = newlineOf(source);
    std::string head = headBefore(source, t.tokenStart(), nl);
    std::string password;
    t.nextToken(password);
    // Readers take the password up to its blank.
    if (password.find(' ') != std::string::npos) return kCipherPasswordBlank;
    const std::string_view body = source.substr(t.rawPosition());

    std::string cipher;
    CipherState pw;
    for (char ch : password)
        encipherByte(pw, static_cast<uint8_t>(ch), cipher);
    encipherByte(pw, ' ', cipher);
    std::string bodyCipher;
    CipherState bs;
    bodyCipher.reserve(body.size() * 2);
    for (char ch : body)
        encipherByte(bs, static_cast<uint8_t>(ch), bodyCipher);
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(bs.sum));
    CipherState ds;
    for (int i = 0; i < 8; ++i)
        encipherByte(ds, static_cast<uint8_t>(digits[i]), cipher);
    cipher += bodyCipher;

    out = std::move(head);
    out += cipherHeaderLine();
    out += nl;
    out.reserve(out.size() + cipher.size() + cipher.size() / kCipherLineWidth * nl.size() + nl.size());
    for (size_t i = 0; i < cipher.size(); i += kCipherLineWidth) {
        out.append(cipher, i, kCipherLineWidth);
        out += nl;
    }
    return kCipherOk;
}

int decipherScenarioText(std::string_view source, std::string_view password, std::string& out) {
    ScenarioTokenizer t(source);
    if (!findKeyword(t, "Cipher")) {
        out.assign(source);
        return kCipherOk;
    }
    const size_t cipherAt = t.tokenStart();
    std::string level;
    t.nextToken(level);
    DecipherStream d(reinterpret_cast<const uint8_t*>(source.data()), source.size(), t.rawPosition());

    std::string stored;
    for (size_t i = 0; i < kTokenCapacity; ++i) {
        const int b = d.next();
        if (b < 0 || b == ' ') break;
        stored.push_back(static_cast<char>(b));
    }
    if (stored != password) return kCipherWrongPassword;

    d.restart();
    uint32_t expected = 0;
    bool digitsValid = true;
    for (int i = 0; i < 8; ++i) {
        const int v = hexDigit(d.next());
        if (v < 0) digitsValid = false;
        expected = expected * 16 + static_cast<uint32_t>(v < 0 ? 0 : v);
    }
    d.restart();
    std::string body;
    for (int b; (b = d.next()) >= 0;)
        body.push_back(static_cast<char>(b));
    if (!digitsValid || d.state().sum != expected) return kCipherBadData;

    const std::string_view head = source.substr(0, cipherAt);
    const std::string_view nl = newlineOf(head).size() == 2 ? "\r\n" : newlineOf(body);
    out = headBefore(source, cipherAt, nl);
    out += "Secret : ";
    out += stored;
    out += nl;
    out += body;
    return kCipherOk;
}

int checkCipherPaths(const std::string& sourcePath, const std::string& outputPath) {
    namespace fs = std::filesystem;
    std::error_code ec;
    {
        std::ifstream f(sourcePath, std::ios::binary);
        if (!f || fs::is_directory(sourcePath, ec)) return kCipherSourceUnreadable;
    }
    const bool existed = fs::exists(outputPath, ec);
    if (fs::weakly_canonical(sourcePath, ec) == fs::weakly_canonical(outputPath, ec) ||
        (existed && fs::equivalent(sourcePath, outputPath, ec)))
        return kCipherSameFile;
    if (fs::is_directory(outputPath, ec)) return kCipherOutputUnwritable;
    // Opening for appending creates a missing file without harming an existing one.
    std::FILE* f = std::fopen(outputPath.c_str(), "ab");
    if (!f) return kCipherOutputUnwritable;
    std::fclose(f);
    if (!existed) std::remove(outputPath.c_str());
    return kCipherOk;
}

int encipherScenarioFile(const std::string& sourcePath, const std::string& outputPath) {
    if (int e = checkCipherPaths(sourcePath, outputPath)) return e;
    std::string source, out;
    if (!readWhole(sourcePath, source)) return kCipherSourceUnreadable;
    if (int e = encipherScenarioText(source, out)) return e;
    return writeWhole(outputPath, out) ? kCipherOk : kCipherOutputUnwritable;
}

int decipherScenarioFile(const std::string& sourcePath, const std::string& outputPath,
                         std::string_view password) {
    if (int e = checkCipherPaths(sourcePath, outputPath)) return e;
    std::string source, out;
    if (!readWhole(sourcePath, source)) return kCipherSourceUnreadable;
    if (int e = decipherScenarioText(source, password, out)) return e;
    return writeWhole(outputPath, out) ? kCipherOk : kCipherOutputUnwritable;
}

} // namespace vh
