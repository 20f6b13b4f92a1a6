#pragma once
// A stage built from an ASCII picture, for the engine and stage-play tests.
// Each character of the picture is one block of the stage:
//   '.' empty   '#' solid block   'X' deadly block (kills the hero)
//   'H' the hero   'a' .. 'z' a character of that letter's definition
// The harness fills LoadedStage, the database entries play needs, the
// block map, the scroll axes and the object lists, and registers its stage
// state; it drives the real classes. One harness lives at a time.
//
// It also plays the window thread: a headless main window records what
// stage play asks of it, the sound effects (WM_USER+5) and the music
// requests (WM_USER+6), in order; a recording drawing sink receives the
// stage's drawing calls while the harness lives; and, as the stage scene's
// message sink, it keeps the messages stage code asks to show.
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gamedata/definitions/chara_def.h"
#include "platform/win_types.h"
#include "stage/objects/block_map.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_state.h"
#include "stage/objects/state_hash.h"
#include "support/stage/recording_draw_sink.h"

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
    // The same stage built into a state the test owns, such as the stage
    // scene: the state is registered instead of the harness's own, and
    // when it already has a message sink (the scene's list) it keeps it.
    StageHarness(cStageState& state, const std::vector<std::string>& picture, StageOptions options = {});
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
    // The moves of one sub-step in play order, the hero (when the picture
    // has one) first, then the
    // characters: MoveX, the x block contacts, gravity, MoveY, the y block
    // contacts, then the impact decay. The results (2 a kill) in that order.
    std::vector<int> MoveOneSubStep();

    // A music request: the slot (4 the stage music) and its value.
    struct MusicRequest {
        int slot = 0;
        int value = 0;
        bool operator==(const MusicRequest&) const = default;
    };
    // Sound effect numbers as the window thread received them (system
    // sounds 1 to 16, database sound n as n + 16).
    const std::vector<int>& Sounds() const { return m_Sounds; }
    const std::vector<MusicRequest>& Music() const { return m_Music; }
    // Error boxes asked of the window thread, by their texts.
    const std::vector<std::string>& Errors() const { return m_Errors; }
    // The messages stage code asked the scene to show, in order.
    const std::vector<MessageRequest>& Messages() const { return m_Messages.requests; }
    // The messages added to be taken back by their command, still shown.
    const std::list<MessageRequest>& HeldMessages() const { return m_Messages.held; }
    // The drawing calls of the stage objects so far.
    RecordingDrawSink& Drawing() { return m_Drawing; }

private:
    void Build(const std::vector<std::string>& picture, const StageOptions& options);
    void BuildStage(const std::vector<std::string>& picture, const StageOptions& options);
    void SetUpScroll();
    void Spawn(cChara& chara, const cCharaDef& def, int column, int row);

    void OpenRecordingWindow();

    struct MessageRecord : cMessageSink {
        void AddMessage(const MessageRequest& message) override { requests.push_back(message); }
        Key AddHeldMessage(const MessageRequest& message) override {
            requests.push_back(message);
            return &held.emplace_back(message);
        }
        void RemoveHeldMessage(Key key) override {
            held.remove_if([key](const MessageRequest& m) { return &m == key; });
        }
        std::vector<MessageRequest> requests;
        std::list<MessageRequest> held;
    };

    std::unique_ptr<cStageState> m_pOwnState;
    cStageState& m_State;
    MessageRecord m_Messages;
    std::map<char, std::vector<cStageChara*>> m_Letters;
    std::vector<int> m_Sounds;
    std::vector<MusicRequest> m_Music;
    std::vector<std::string> m_Errors;
    RecordingDrawSink m_Drawing;
    HWND m_hWindow = nullptr;
    bool m_bHeroPlaced = false;
};
