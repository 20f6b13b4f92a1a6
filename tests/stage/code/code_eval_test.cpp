#include "stage/code/code_eval.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

#include "platform/random.h"
#include "stage/code/code_names.h"

namespace {

constexpr std::array<const char*, CodeObject::Count> kObjectNames{"my", "tg", "tg1", "tg2", "tg3", "tg4", "pl", "sys"};

// A stage of plain numbers: every write is recorded as "object.var=value"
// (or "C5=..", "S3=..", "sys.time=.."), every message and gauge kept.
class FakeHost : public cCodeHost {
public:
    FakeHost() {
        for (auto& vars : chara) {
            vars.fill(0);
            vars[CharaVar::MaxHp] = 200;
            vars[CharaVar::MaxSp] = 50;
        }
        My()[CharaVar::V1 + 1] = 7;  // v2
        My()[CharaVar::Hp] = 100;
        My()[CharaVar::Sp] = 10;
        present.fill(true);
        present[CodeObject::Tg2] = false;
        system = {120, 0, 0, 5000, 3};
    }
    std::array<int, CharaVar::Count>& My() { return chara[CodeObject::My]; }

    bool HasObject(int object) override { return present.at(object); }
    bool ReadCharaVar(int object, int var, int& value) override {
        if (failPositions && var >= CharaVar::XRel && var <= CharaVar::YScr) return false;
        value = chara.at(object).at(var);
        return true;
    }
    void WriteCharaVar(int object, int var, int value) override {
        chara.at(object).at(var) = value;
        Record(std::string(kObjectNames.at(object)) + "." + VarName(var), value);
    }
    bool ReadScopeVar(int scope, int index, int& value) override {
        auto& vars = scope == CodeScope::Common ? common : stage;
        if (index < 0 || index >= static_cast<int>(vars.size())) return false;
        value = vars[index];
        return true;
    }
    void WriteScopeVar(int scope, int index, int value) override {
        (scope == CodeScope::Common ? common : stage).at(index) = value;
        Record((scope == CodeScope::Common ? "C" : "S") + std::to_string(index), value);
    }
    int ReadSystemVar(int var) override { return system.at(var); }
    void WriteSystemVar(int var, int value) override {
        system.at(var) = value;
        Record(std::string("sys.") + std::to_string(var), value);
    }
    void StartLifeGauge(int delta) override { gauges.push_back("hp" + std::to_string(delta)); }
    void StartSPGauge(int delta) override { gauges.push_back("sp" + std::to_string(delta)); }
    void ShowCodeError(const std::string& message) override { messages.push_back(message); }
    bool CompatCodeEval() override { return compatEval; }
    bool CompatUnlimitedLives() override { return compatLives; }

    static std::string VarName(int var) {
        static const char* names[] = {"v1",    "v2",    "v3",    "v4",    "v5",    "v6",   "v7",
                                      "v8",    "hp",    "sp",    "mhp",   "msp",   "cid",  "x_rel",
                                      "x_abs", "x_scr", "y_rel", "y_abs", "y_scr", "z",    "mark",
                                      "sight", "power", "imp",   "def",   "impd",  "stop", "getsc"};
        return names[var];
    }
    void Record(const std::string& where, int value) { writes.push_back(where + "=" + std::to_string(value)); }

    std::array<std::array<int, CharaVar::Count>, CodeObject::Count> chara{};
    std::array<bool, CodeObject::Count> present{};
    std::vector<int> common = std::vector<int>(1001);
    std::vector<int> stage = std::vector<int>(1001);
    std::array<int, SystemVar::Count> system{};
    bool failPositions = false, compatEval = false, compatLives = false;
    std::vector<std::string> writes, messages, gauges;
};

struct StatementCase {
    const char* text;
    int ran;                          // what ExecCode returns
    std::vector<std::string> writes;  // in order
    std::string message;              // the one error box, or none
};

TEST(CodeLanguage, StatementsTable) {
    const StatementCase cases[] = {
        {"my.v1 = 3 + 4 * 2", 1, {"my.v1=11"}, ""},
        {"my.v1 = ( 3 + 4 ) * 2", 1, {"my.v1=14"}, ""},
        {"v1 = (3 + 4) * 2", 1, {"my.v1=14"}, ""},
        {"v1 = 7 % -3", 1, {"my.v1=1"}, ""},
        {"v1 = -7 / 2", 1, {"my.v1=-3"}, ""},
        {"v1 = -7 % 2", 1, {"my.v1=-1"}, ""},
        {"hp = 999999", 1, {"my.hp=200"}, ""},
        {"sp = -5", 1, {"my.sp=0"}, ""},
        {"mhp = 0", 1, {"my.mhp=1"}, ""},
        {"cid = 300", 1, {"my.cid=99"}, ""},
        {"imp = -50", 1, {"my.imp=-20"}, ""},
        {"mark = 500", 1, {"my.mark=119"}, ""},
        {"x_abs = 99999", 1, {"my.x_abs=16384"}, ""},
        {"v1 = 2000000", 1, {"my.v1=999999"}, ""},
        {"sys.time = 1500", 1, {"sys.0=999"}, ""},
        {"scrlx = -1000", 1, {"sys.1=-480"}, ""},
        {"score = score + 1", 1, {"sys.3=5001"}, ""},
        {"life = 200", 1, {"sys.4=99"}, ""},
        {"tg.v1 = 4", 1, {"tg.v1=4"}, ""},
        {"tg1.v1 = my.v2", 1, {"tg1.v1=7"}, ""},
        {"pl.hp = pl.hp - 30", 1, {"pl.hp=0"}, ""},
        {"v1 = foo.v2", 1, {"my.v1=7"}, ""},
        {"v1 = ( v2 = 5 ) + 1", 1, {"my.v2=5", "my.v1=6"}, ""},
        {"C5 = S7 + 2", 1, {"C5=2"}, ""},
        {"S1000 = C0 - 1", 1, {"S1000=-1"}, ""},
        {"v1=5", 1, {}, ""},
        {"unknown(3) + 4", 1, {}, ""},
        {"", 1, {}, ""},
        {"v1 = 65536 * 65536", 1, {"my.v1=999999"}, ""},
        {"v1 = -65536 * 65536", 1, {"my.v1=-999999"}, ""},
        {"S3 = 10 / 0", 0, {}, "0除算が行われました！(S3 = 10 / 0)"},
        {"S3 = (10 % (2 - 2))", 0, {}, "0除算が行われました！(10 % 0)"},
        {"5 = v1", 0, {}, "代入先が不正です！"},
        {"v1 = v2 = 5", 0, {"my.v1=7"}, "代入先が不正です！"},
        {"sys.hp = 5", 0, {}, "代入先が不正です！"},
        {"foo.v1 = 1", 0, {}, "オブジェクト \"foo.\" が認識できません！"},
        {"my.foo.v1 = 1", 0, {}, "オブジェクト \"foo.\" が認識できません！"},
        {"tg2.hp = 0", 0, {}, ""},
        {"v1 = tg2.hp", 0, {}, ""},
        {"v1 = ( 3 + 4", 0, {}, "\")\"が見つかりません！"},
        {"C5 = rand(1,6", 0, {}, "関数 rand で\")\"が見つかりません！"},
        {"C5 = rand(1,(6)", 0, {}, "関数 rand で\")\"が見つかりません！"},
        {"C5 = foo(1,6", 0, {}, "\")\"が見つかりません！"},
        {"C5 = rand(1)", 0, {}, "関数 rand の引数が不正です！"},
        {"C5 = rand(1,2,3)", 0, {}, "関数 rand の引数が不正です！"},
        {"C1001 = 1", 0, {}, ""},
        {"S-1 = 1", 0, {}, ""},
        {"= 5", 0, {}, ""},
        {"v1 = 5 +", 0, {}, ""},
        {"v1 = * 3", 0, {}, ""},
    };
    for (const StatementCase& c : cases) {
        SCOPED_TRACE(c.text);
        FakeHost host;
        EXPECT_EQ(ExecCode(c.text, host), c.ran);
        EXPECT_EQ(host.writes, c.writes);
        EXPECT_EQ(host.messages, c.message.empty() ? std::vector<std::string>{} : std::vector{c.message});
    }
}

struct ValueCase {
    const char* text;
    int value;
};

TEST(CodeLanguage, ValuesAndIntegerEdges) {
    const ValueCase cases[] = {
        {"", 0},
        {"42", 42},
        {"v2", 7},
        {"abc", 0},
        {"12abc", 12},
        {"+5", 5},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"2147483647 + 1", INT_MIN},
        {"-2147483648 - 1", INT_MAX},
        {"65536 * 65536", INT_MAX},
        {"65536 * -65536", INT_MIN},
        {"-2147483648 / -1", INT_MAX},
        {"-2147483648 % -1", 0},
        {"1 - 2 - 3", -4},
        {"24 / 4 / 2", 3},
        {"2 * 3 * 4", 24},
        {"((((2))))", 2},
        {"(1 + (2 * (3 + 4)))", 15},
        {"1 + 2 3", 3},
        {"time + life", 123},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        FakeHost host;
        cCodeRun run(host);
        EXPECT_EQ(run.EvalBrackets(c.text), c.value);
        EXPECT_FALSE(run.Failed());
    }
}

TEST(CodeLanguage, OldFilesKeepTheRightOperandAfterAnOperation) {
    FakeHost host;
    host.compatEval = true;
    cCodeRun run(host);
    // 2 * 3 leaves 6 3 * 4, so the second product is 3 * 4.
    EXPECT_EQ(run.EvalStatement("2 * 3 * 4"), 12);
    EXPECT_EQ(run.EvalStatement("v1 = 2 * 3"), 6);
    EXPECT_EQ(host.My()[CharaVar::V1], 6);
}

TEST(CodeLanguage, RandDrawsTheGameRandomNumbersInEitherOrder) {
    for (const char* text : {"C5 = rand(1,6)", "C5 = rand(6,1)", "C5 = rand( (0 + 1) , 3 * 2 )"}) {
        SCOPED_TRACE(text);
        FakeHost host;
        platform::srand(7);
        std::vector<int> seen;
        for (int i = 0; i < 200; ++i) {
            ASSERT_EQ(ExecCode(text, host), 1);
            seen.push_back(host.common[5]);
        }
        EXPECT_EQ(*std::min_element(seen.begin(), seen.end()), 1);
        EXPECT_EQ(*std::max_element(seen.begin(), seen.end()), 6);
        // The same seed draws the same sequence.
        platform::srand(7);
        ExecCode(text, host);
        EXPECT_EQ(host.common[5], seen.front());
    }
}

TEST(CodeLanguage, UnlimitedLivesReadAsHundredAndStayUnlimited) {
    FakeHost host;
    host.system[SystemVar::Life] = 999999;
    cCodeRun run(host);
    EXPECT_EQ(run.EvalStatement("life"), 100);
    EXPECT_EQ(run.EvalStatement("life = 3"), 999999);
    EXPECT_EQ(host.system[SystemVar::Life], 999999);
    host.compatLives = true;
    EXPECT_EQ(run.EvalStatement("life"), 0);
}

TEST(CodeLanguage, FailedPositionReadIsAnError) {
    FakeHost host;
    host.failPositions = true;
    EXPECT_EQ(ExecCode("v1 = x_abs + 1", host), 0);
    EXPECT_TRUE(host.writes.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST(CodeLanguage, GaugeOnlyForTheRunningCharactersOwnChange) {
    struct GaugeCase {
        const char* text;
        std::vector<std::string> gauges;
    };
    const GaugeCase cases[] = {
        {"hp = 60", {"hp-40"}}, {"sp = sp + 5", {"sp5"}}, {"hp = 100", {}}, {"tg.hp = 1", {}}, {"hp = 50 / 0", {}},
    };
    for (const GaugeCase& c : cases) {
        SCOPED_TRACE(c.text);
        FakeHost host;
        ExecCode(c.text, host);
        EXPECT_EQ(host.gauges, c.gauges);
    }
    // A changed maximum shows no gauge, even when the life moved with it.
    struct MaxFollowsHost : FakeHost {
        void WriteCharaVar(int object, int var, int value) override {
            FakeHost::WriteCharaVar(object, var, value);
            if (var == CharaVar::MaxHp) chara[object][CharaVar::Hp] = std::min(chara[object][CharaVar::Hp], value);
        }
    } host;
    ExecCode("mhp = 10", host);
    EXPECT_EQ(host.My()[CharaVar::Hp], 10);
    EXPECT_TRUE(host.gauges.empty());
}

TEST(CodeLanguage, MalformedTextStopsCleanly) {
    const std::string deep = std::string(5000, '(') + "1" + std::string(5000, ')');
    const std::string unbalanced = std::string(3000, ')') + "((" + std::string(3000, '.');
    for (const std::string& text : {deep, unbalanced, std::string("rand(rand(rand(,),),)"), std::string(". . ."),
                                    std::string("( ) ( ) = = ="), std::string("\t\n\x01\xff")}) {
        FakeHost host;
        cCodeRun run(host);
        run.EvalBrackets(text);
        EXPECT_LE(host.messages.size(), 1u);
        EXPECT_EQ(run.Failed() || host.messages.empty(), true);
    }
    FakeHost host;
    cCodeRun run(host);
    EXPECT_EQ(run.EvalBrackets(deep), 0);
    EXPECT_TRUE(run.Failed());
}

}  // namespace
