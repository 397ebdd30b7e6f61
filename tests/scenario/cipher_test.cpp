// The cipher: byte transforms, the encipher/decipher utility on texts and files, and reading
// cipher-form scenarios, including damage detection.
#include "scenario/cipher_utility.h"
#include "scenario/scenario_cipher.h"
#include "scenario_fixture.h"

namespace vh::test {
namespace {

using Cipher = ScenarioTest;

std::string encipherAll(std::string_view plain) {
    CipherState s;
    std::string out;
    for (char c : plain)
        encipherByte(s, static_cast<uint8_t>(c), out);
    return out;
}

TEST(CipherBytes, EveryByteRoundTripsAndUsesTheAlphabet) {
    std::string plain;
    for (int i = 0; i < 256; ++i)
        plain.push_back(static_cast<char>(i));
    plain += plain; // a second pass under another key position
    const std::string cipher = encipherAll(plain);
    for (char c : cipher) {
        const auto u = static_cast<uint8_t>(c);
        EXPECT_TRUE(u >= 32 && u <= 123) << int(u);
    }
    // Bytes 32..119 take one character, the others two.
    EXPECT_EQ(cipher.size(), 2 * (88 + 2 * 168u));
    // Line breaks and stray characters inside the cipher text are skipped.
    std::string broken;
    for (size_t i = 0; i < cipher.size(); ++i) {
        broken += cipher[i];
        if (i % 7 == 0) broken += "\r\n";
        if (i % 11 == 0) broken += '\x80';
    }
    DecipherStream d(reinterpret_cast<const uint8_t*>(broken.data()), broken.size(), 0);
    std::string back;
    for (int b; (b = d.next()) >= 0;)
        back.push_back(static_cast<char>(b));
    EXPECT_EQ(back, plain);
}

TEST(CipherBytes, ChecksumShiftsByTheNewCount) {
    CipherState s;
    std::string out;
    encipherByte(s, 'A', out);
    EXPECT_EQ(s.count, 1u);
    EXPECT_EQ(s.sum, uint32_t{'A'} << 1);
    for (int i = 0; i < 7; ++i)
        encipherByte(s, 0, out);
    encipherByte(s, 1, out); // count 9: shifted by 1 again
    EXPECT_EQ(s.sum, (uint32_t{'A'} << 1) + 2);
}

const std::string kPlainHead = "// 作者のシナリオ\r\nTitle テスト\r\n";
std::string plainScenario() {
    return kPlainHead + "Secret : himitsu\r\n" + basicScenario() + "HeiUnit 20\r\n";
}

TEST_F(Cipher, EncipheredTextLayout) {
    std::string cipher;
    ASSERT_EQ(encipherScenarioText(utf8ToCp932(plainScenario()), cipher), kCipherOk);
    const std::string head = utf8ToCp932(kPlainHead);
    ASSERT_EQ(cipher.substr(0, head.size()), head);
    const std::string header = cipherHeaderLine() + "\r\n";
    ASSERT_EQ(cipher.substr(head.size(), header.size()), header);
    // Lines of 60 characters, the last one shorter.
    size_t pos = head.size() + header.size();
    while (true) {
        const size_t eol = cipher.find("\r\n", pos);
        ASSERT_NE(eol, std::string::npos);
        if (cipher.size() == eol + 2) {
            EXPECT_LE(eol - pos, 60u);
            break;
        }
        EXPECT_EQ(eol - pos, 60u);
        pos = eol + 2;
    }
    EXPECT_EQ(cipher.find("oda"), std::string::npos);
}

TEST_F(Cipher, RoundTripGivesBackTheSource) {
    const std::string plain = utf8ToCp932(plainScenario());
    std::string cipher, back;
    ASSERT_EQ(encipherScenarioText(plain, cipher), kCipherOk);
    ASSERT_EQ(decipherScenarioText(cipher, "himitsu", back), kCipherOk);
    EXPECT_EQ(back, plain.substr(0, plain.find("Secret")) + "Secret : himitsu\r\n" +
                        plain.substr(plain.find("himitsu") + 9));
    EXPECT_EQ(decipherScenarioText(cipher, "himitsu2", back), kCipherWrongPassword);
    EXPECT_EQ(decipherScenarioText(cipher, "", back), kCipherWrongPassword);
}

TEST_F(Cipher, TextBeforeSecretOnItsLineIsKept) {
    const std::string plain = "HeiUnit 5 Secret pw\nStartYear 1600\n";
    std::string cipher, back;
    ASSERT_EQ(encipherScenarioText(plain, cipher), kCipherOk);
    EXPECT_EQ(cipher.substr(0, 11), "HeiUnit 5 \n");
    ASSERT_EQ(decipherScenarioText(cipher, "pw", back), kCipherOk);
    EXPECT_EQ(back, "HeiUnit 5 \nSecret : pw\nStartYear 1600\n");
    WorldState w;
    ASSERT_EQ(readScenarioFromBytes(cipher, dir(), dir(), w).code, 0);
    EXPECT_EQ(w.settings.heiUnit, 5);
    EXPECT_EQ(w.settings.startYear, 1600);
}

TEST_F(Cipher, TextsWithoutTheKeywordAreCopied) {
    std::string out;
    ASSERT_EQ(encipherScenarioText("HeiUnit 5\n", out), kCipherOk);
    EXPECT_EQ(out, "HeiUnit 5\n");
    ASSERT_EQ(decipherScenarioText("HeiUnit 5\n", "pw", out), kCipherOk);
    EXPECT_EQ(out, "HeiUnit 5\n");
    EXPECT_EQ(encipherScenarioText("Secret \"my pass\"\nHeiUnit 5\n", out), kCipherPasswordBlank);
}

TEST_F(Cipher, ReadingTheCipherFormGivesTheSameWorld) {
    const std::string plain = utf8ToCp932(plainScenario());
    std::string cipher;
    ASSERT_EQ(encipherScenarioText(plain, cipher), kCipherOk);
    WorldState a, b;
    ASSERT_EQ(readScenarioFromBytes(plain, dir(), dir(), a).code, 0);
    ASSERT_EQ(readScenarioFromBytes(cipher, dir(), dir(), b).code, 0);
    EXPECT_EQ(b.castleCount, 3);
    EXPECT_EQ(b.settings.heiUnit, 20);
    EXPECT_EQ(fieldText(b.settings.title), fieldText(a.settings.title));
    EXPECT_EQ(fieldText(b.castleSites[2].name), fieldText(a.castleSites[2].name));
    EXPECT_EQ(b.castleSites[1].routes[1], 2);
}

TEST_F(Cipher, ErrorsInTheBodyKeepTheirLineNumbers) {
    const std::string plain = "Title t\nSecret pw\n\nHeiUnit 5\nStartMonth 13\n";
    std::string cipher;
    ASSERT_EQ(encipherScenarioText(plain, cipher), kCipherOk);
    WorldState w;
    const ScenarioReadResult r = readScenarioFromBytes(cipher, dir(), dir(), w);
    EXPECT_EQ(r.code, kErrSyntax);
    EXPECT_EQ(r.message, "構文エラー(Line No.5) ");
}

TEST_F(Cipher, AnyDamagedCharacterIsReportedAsCipherDamage) {
    const std::string plain = utf8ToCp932(plainScenario());
    std::string cipher;
    ASSERT_EQ(encipherScenarioText(plain, cipher), kCipherOk);
    const size_t bodyFrom = cipher.find("\r\n", cipher.find("LEVEL1")) + 2;
    int checked = 0;
    for (size_t i = bodyFrom; i < cipher.size(); i += 17) {
        const auto c = static_cast<uint8_t>(cipher[i]);
        if (c < 32 || c > 119) continue;
        std::string damaged = cipher;
        damaged[i] = static_cast<char>(c == 32 ? 33 : c - 1);
        WorldState w;
        w.settings.heiUnit = 3;
        const ScenarioReadResult r = readScenarioFromBytes(damaged, dir(), dir(), w);
        EXPECT_EQ(r.code, kErrCipherData) << "at " << i;
        EXPECT_EQ(r.message, "暗号化データに異常があります");
        EXPECT_EQ(w.settings.heiUnit, 3);
        std::string back;
        EXPECT_NE(decipherScenarioText(damaged, "himitsu", back), kCipherOk);
        ++checked;
    }
    EXPECT_GT(checked, 10);
    // A cut-off file fails too.
    WorldState w;
    EXPECT_EQ(readScenarioFromBytes(cipher.substr(0, cipher.size() - 30), dir(), dir(), w).code,
              kErrCipherData);
}

TEST_F(Cipher, FileOperationsAndTheirRefusals) {
    writeBytes(path("plain.snr"), utf8ToCp932(plainScenario()));
    EXPECT_EQ(encipherScenarioFile(path("missing.snr"), path("out.snr")), kCipherSourceUnreadable);
    EXPECT_EQ(encipherScenarioFile(path("plain.snr"), path("plain.snr")), kCipherSameFile);
    EXPECT_EQ(encipherScenarioFile(path("plain.snr"), path("./plain.snr")), kCipherSameFile);
    EXPECT_EQ(encipherScenarioFile(path("plain.snr"), path("nodir/out.snr")), kCipherOutputUnwritable);
    EXPECT_FALSE(std::filesystem::exists(path("out.snr")));

    ASSERT_EQ(encipherScenarioFile(path("plain.snr"), path("cipher.snr")), kCipherOk);
    WorldState w;
    ASSERT_EQ(readScenario(path("cipher.snr"), dir(), w).code, 0);
    EXPECT_EQ(w.settings.heiUnit, 20);

    EXPECT_EQ(decipherScenarioFile(path("cipher.snr"), path("back.snr"), "wrong"), kCipherWrongPassword);
    EXPECT_FALSE(std::filesystem::exists(path("back.snr")));
    std::string damaged = readBytes(path("cipher.snr"));
    damaged[damaged.size() - 5] = damaged[damaged.size() - 5] == 'A' ? 'B' : 'A';
    writeBytes(path("damaged.snr"), damaged);
    EXPECT_EQ(decipherScenarioFile(path("damaged.snr"), path("back.snr"), "himitsu"), kCipherBadData);
    EXPECT_FALSE(std::filesystem::exists(path("back.snr")));
    // A refusal leaves an existing output file as it was.
    writeBytes(path("keep.snr"), "old");
    EXPECT_EQ(decipherScenarioFile(path("cipher.snr"), path("keep.snr"), "wrong"), kCipherWrongPassword);
    EXPECT_EQ(readBytes(path("keep.snr")), "old");

    ASSERT_EQ(decipherScenarioFile(path("cipher.snr"), path("back.snr"), "himitsu"), kCipherOk);
    EXPECT_EQ(readBytes(path("back.snr")), utf8ToCp932(plainScenario()));
    EXPECT_STREQ(cipherUtilityMessage(kCipherWrongPassword), "パスワードが違います");
}

} // namespace
} // namespace vh::test
