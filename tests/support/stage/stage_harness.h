#pragma once
// A stage built from an ASCII picture, for the engine and stage-play tests.
// Each character of the picture is one block of the stage:
//   '.' empty   '#' solid block   'X' deadly block (kills the hero)
//   'H' the hero   'a' .. 'z' a character of that letter's definition
// The harness fills LoadedStage, the database entries play needs, the
// block map, the scroll axes and the object lists, and registers its stage
// state; it drives the real classes. One harness lives at a time.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "gamedata/definitions/chara_def.h"
#include "stage/objects/block_map.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_state.h"
#include "stage/objects/state_hash.h"

struct StageOptions {
    int hitCheckLevel = 10;
    double gravity = 0.4;
    unsigned seed = 1;
    // Definitions of the letters; a letter without one is a computer
    // character of the default definition.
    std::map<char, cCharaDef> charas = {};
    cCharaDef hero = DefaultHero();

    static cCharaDef DefaultHero();
};

class StageHarness {
public:
    explicit StageHarness(const std::vector<std::string>& picture, StageOptions options = {});
    ~StageHarness();
    StageHarness(const StageHarness&) = delete;
    StageHarness& operator=(const StageHarness&) = delete;

    cStageState& State() { return m_State; }
    cPlayer& Hero() { return PlayerList[0]; }
    // The n-th character of a letter, in reading order of the picture.
    cStageChara& Chara(char letter, int n = 0);
    // The map cell of stage block (column, row) of the picture.
    cTileCell& Cell(int column, int row);
    std::uint64_t Hash() const { return StageStateHash(m_State); }

private:
    void BuildStage(const std::vector<std::string>& picture, const StageOptions& options);
    void SetUpScroll();
    void Spawn(cChara& chara, const cCharaDef& def, int column, int row);

    cStageState m_State;
    std::map<char, std::vector<cStageChara*>> m_Letters;
};
