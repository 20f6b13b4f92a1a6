#include "stage/code/code_names.h"

#include <array>

#include "stage/code/code_host.h"

namespace {

template <std::size_t N>
int FindIn(const std::array<std::string_view, N>& names, std::string_view word) {
    int n = 0;
    for (std::string_view name : names) {
        if (name == word) return n;
        ++n;
    }
    return -1;
}

constexpr std::array<std::string_view, CodeObject::Count> kObjects{"my", "tg", "tg1", "tg2", "tg3", "tg4", "pl", "sys"};
constexpr std::array<std::string_view, CodeOperator::Count> kOperators{"=", "+", "-", "*", "/", "%"};
constexpr std::array<int, CodeOperator::Count> kOperatorLevels{2, 1, 1, 0, 0, 0};
constexpr std::array<std::string_view, 1> kFunctions{"rand"};

struct NamedRange {
    std::string_view name;
    CodeRange range;
};

constexpr CodeRange kPosition{-16384, 16384};
constexpr CodeRange kWide{-999999, 999999};

constexpr std::array<NamedRange, CharaVar::Count> kCharaVars{{
    {"v1", kWide},        {"v2", kWide},        {"v3", kWide},        {"v4", kWide},        {"v5", kWide},
    {"v6", kWide},        {"v7", kWide},        {"v8", kWide},        {"hp", {0, 999999}},  {"sp", {0, 999999}},
    {"mhp", {1, 999999}}, {"msp", {1, 999999}}, {"cid", {0, 99}},     {"x_rel", kPosition}, {"x_abs", kPosition},
    {"x_scr", kPosition}, {"y_rel", kPosition}, {"y_abs", kPosition}, {"y_scr", kPosition}, {"z", {0, 7}},
    {"mark", {0, 119}},   {"sight", {0, 40}},   {"power", kWide},     {"imp", {-20, 20}},   {"def", {0, 999999}},
    {"impd", {0, 20}},    {"stop", {0, 200}},   {"getsc", kWide},
}};

constexpr std::array<NamedRange, SystemVar::Count> kSystemVars{{
    {"time", {0, 999}},
    {"scrlx", {-480, 480}},
    {"scrly", {-480, 480}},
    {"score", {0, 999999}},
    {"life", {0, 99}},
}};

template <std::size_t N>
int FindNamed(const std::array<NamedRange, N>& table, std::string_view word) {
    int n = 0;
    for (const NamedRange& entry : table) {
        if (entry.name == word) return n;
        ++n;
    }
    return -1;
}

}  // namespace

int FindCodeObject(std::string_view word) { return FindIn(kObjects, word); }
int FindCodeOperator(std::string_view word) { return FindIn(kOperators, word); }
int FindCodeFunction(std::string_view word) { return FindIn(kFunctions, word); }
int FindCharaVar(std::string_view word) { return FindNamed(kCharaVars, word); }
int FindSystemVar(std::string_view word) { return FindNamed(kSystemVars, word); }

int CodeOperatorLevel(int op) { return kOperatorLevels.at(static_cast<std::size_t>(op)); }
CodeRange CharaVarRange(int var) { return kCharaVars.at(static_cast<std::size_t>(var)).range; }
CodeRange SystemVarRange(int var) { return kSystemVars.at(static_cast<std::size_t>(var)).range; }
