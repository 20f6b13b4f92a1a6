#include <gtest/gtest.h>

#include <vector>

#include "gamedata/global_data.h"
#include "stage/objects/player.h"

namespace {

struct LayerSpec {
    int anim, timed, remain, duration, serial;
};

// Layers in list order (newest first), as the creators insert them.
void Fill(cChara& c, const std::vector<LayerSpec>& specs) {
    c.m_listAnimLayer.clear();
    for (auto it = specs.rbegin(); it != specs.rend(); ++it) {
        c.m_listAnimLayer.emplace_front(it->anim, it->timed, it->remain, it->duration, it->serial);
    }
}

// "anim:serial" per layer, with a '*' for a paused one.
std::string Describe(const cChara& c) {
    std::string out;
    for (const cAnimLayer& l : c.m_listAnimLayer) {
        out += std::to_string(l.m_nAnim) + ":" + std::to_string(l.m_nSerial) + (l.m_bPaused ? "*" : "") + " ";
    }
    return out;
}

struct LayerCase {
    const char* what;
    int compat;
    std::vector<LayerSpec> layers;
    void (*op)(cChara&);
    const char* want;
};

TEST(AnimLayers, ListOperations) {
    const std::vector<LayerSpec> mixed = {{5, 1, 2, 3, 1}, {6, 1, 0, 0, 1}, {7, 0, 0, 0, -1}, {5, 1, 4, 4, 2}};
    const LayerCase cases[] = {
        {"remove an absent serial", 0, mixed, [](cChara& c) { c.RemoveLayersOfFlow(9); }, "5:1 6:1 7:-1 5:2 "},
        {"remove both neighbours of a flow", 0, mixed, [](cChara& c) { c.RemoveLayersOfFlow(1); }, "7:-1 5:2 "},
        {"empty list stays empty", 0, {}, [](cChara& c) { c.RemoveLayersOfFlow(1); }, ""},
        {"remove by animation", 0, mixed, [](cChara& c) { c.RemoveLayersOfAnim(5); }, "6:1 7:-1 "},
        {"outside a flow only by animation", 0, mixed, [](cChara& c) { c.RemoveLayersOfFlow(-1); }, "5:1 6:1 5:2 "},
        {"pause keeps spent layers", 0, mixed, [](cChara& c) { c.PauseLayersOfFlow(1); }, "5:1* 6:1* 7:-1 5:2 "},
        {"old projects drop spent layers", 1, mixed, [](cChara& c) { c.PauseLayersOfFlow(1); }, "5:1* 7:-1 5:2 "},
        {"resume", 0, mixed,
         [](cChara& c) {
             c.PauseLayersOfFlow(2);
             c.PauseLayersOfFlow(1);
             c.ResumeLayersOfFlow(1);
         },
         "5:1 6:1 7:-1 5:2* "},
        {"resume after removal by pause", 1, mixed,
         [](cChara& c) {
             c.PauseLayersOfFlow(1);
             c.ResumeLayersOfFlow(1);
         },
         "5:1 7:-1 5:2 "},
    };
    for (const LayerCase& c : cases) {
        cPlayer hero;
        SystemData.m_bCompatLayerStop = c.compat;
        Fill(hero, c.layers);
        c.op(hero);
        EXPECT_EQ(Describe(hero), c.want) << c.what;
    }
    SystemData.m_bCompatLayerStop = 0;
}

}  // namespace
