// Code statements from arbitrary bytes: evaluation must end without a crash
// for any text, over a stage of plain numbers with one empty target slot and
// a position that cannot be read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "stage/code/code_eval.h"

namespace {

class NumbersHost : public cCodeHost {
public:
    bool HasObject(int object) override { return object != CodeObject::Tg3; }
    bool ReadCharaVar(int object, int var, int& value) override {
        if (object == CodeObject::Pl && var == CharaVar::YScr) return false;
        value = chara.at(object).at(var);
        return true;
    }
    void WriteCharaVar(int object, int var, int value) override { chara.at(object).at(var) = value; }
    bool ReadScopeVar(int scope, int index, int& value) override {
        auto& vars = scope == CodeScope::Common ? common : stage;
        if (index < 0 || index >= static_cast<int>(vars.size())) return false;
        value = vars[static_cast<std::size_t>(index)];
        return true;
    }
    void WriteScopeVar(int scope, int index, int value) override {
        (scope == CodeScope::Common ? common : stage).at(static_cast<std::size_t>(index)) = value;
    }
    int ReadSystemVar(int var) override { return system.at(var); }
    void WriteSystemVar(int var, int value) override { system.at(var) = value; }
    void StartLifeGauge(int) override {}
    void StartSPGauge(int) override {}
    void ShowCodeError(const std::string&) override {}
    bool CompatCodeEval() override { return compat; }
    bool CompatUnlimitedLives() override { return compat; }

    std::array<std::array<int, CharaVar::Count>, CodeObject::Count> chara{};
    std::vector<int> common = std::vector<int>(1001);
    std::vector<int> stage = std::vector<int>(1001);
    std::array<int, SystemVar::Count> system{0, 0, 0, 0, 999999};
    bool compat = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    NumbersHost host;
    host.compat = size > 0 && (data[0] & 1) != 0;
    ExecCode(std::string(reinterpret_cast<const char*>(data), size), host);
    return 0;
}
