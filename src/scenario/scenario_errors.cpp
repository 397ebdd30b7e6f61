// Texts of the scenario reading errors.
#include "scenario/scenario_errors.h"

#include <cstdio>

namespace vh {
namespace {

const char* const kTexts[kScenarioErrorCount] = {
    "エラーなし",
    "シナリオ読み込みがキャンセルされました",
    "ファイルエラー",
    "大名の数が多すぎます",
    "構文エラー",
    "大名家の名前が長すぎます",
    "大名家の種類の指定に誤りがあります",
    "大名IDの長さが長すぎます",
    "大名IDが二重定義されています",
    "城の数が多すぎます",
    "城IDが長すぎます",
    "城IDが二重定義されています",
    "城の名前が長すぎます",
    "国IDの指定に誤りがあります",
    "大名IDの指定に誤りがあります",
    "城IDの指定に誤りがあります",
    "城経路が多すぎます",
    "武将の数が多すぎます",
    "武将の名前が長すぎます",
    "初期同盟数が多すぎます",
    "同盟タイプの指定に誤りがあります",
    "タイトル文字列が長すぎます",
    "整数を指定すべきところに整数以外の文字があります",
    "城規模は1～10を指定してください",
    "武勇は0～10を指定してください",
    "政治は0～10を指定してください",
    "智謀は0～10を指定してください",
    "忠誠は0～10を指定してください",
    "野心は0～10を指定してください",
    "騎馬兵は2000以下(兵単位10の場合で200）を指定してください",
    "足軽兵は5000以下(兵単位10の場合で500）を指定してください",
    "鉄砲数は5000以下(兵単位10の場合で500）を指定してください",
    "エンディング文字列が長すぎます",
    "港の指定に誤りがあります",
    "交易船は0～100を指定してください",
    "軍船は0～100を指定してください",
    "交易対象諸外国の数が多すぎます",
    "交易対象諸外国IDの長さが長すぎます",
    "交易対象諸外国IDが二重定義されています",
    "交易対象諸外国の名称が長すぎます",
    "交易対象諸外国IDの指定に誤りがあります",
    "民衆支持率は0～100を指定してください",
    "X座標は0～559を指定してください",
    "Y座標は0～439を指定してください",
    "城経路不一致",
    "１国の城の数は100以内にしてください",
    "鉱山技術は0～500を指定してください",
    "指定されたマップファイルがありません",
    "指定されたマップファイルの内容に異常があります",
    "指定されたマップファイルの国数が多すぎます",
    "城IDまたは国IDの指定に誤りがあります",
    "初期登場武将の指定国に所属大名の城がありません",
    "鉄砲購入地の設定が多すぎます",
    "鉄砲購入地IDが長すぎます",
    "鉄砲購入地IDが二重定義されています",
    "鉄砲購入地の名称が長すぎます",
    "鉄砲購入地IDの指定に誤りがあります",
    "実数を指定すべきところに実数以外の文字があります",
    "鉄砲収集は0～100を指定してください",
    "鉄砲効果は0～100を指定してください",
    "地域IDの指定に誤りがあります",
    "暗号化データに異常があります",
    "城画像指定に誤りがあります",
};

} // namespace

const char* scenarioErrorText(int code) {
    return code >= 0 && code < kScenarioErrorCount ? kTexts[code] : "";
}

std::string scenarioErrorMessage(int code, int line, const std::string& detail) {
    if (code == kScenarioOk || code == kScenarioCancelled || code == kScenarioFileError) return {};
    if (code == kErrCipherData) return kTexts[code];
    char number[32];
    std::snprintf(number, sizeof number, "(Line No.%d) ", line);
    return std::string(scenarioErrorText(code)) + number + detail;
}

std::string duplicateRelationMessage(int line) {
    char number[32];
    std::snprintf(number, sizeof number, "(Line No.%d)", line);
    return std::string("同盟関係の２重定義があります") + number;
}

} // namespace vh
