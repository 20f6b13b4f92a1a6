#pragma once
// A command of a flow or of an item definition: which kind table numbers it,
// its kind, int parameters sized by the kind, a text, its run time, a start
// sound and animation, optional movement, shot and condition parts, and the
// flows that the item command "フローの変更" installs.
//
// The parts are owned by shared pointers but never shared between commands:
// every copy or assignment gives the destination its own parts.
//
// Names used by the flow engine's texts for the same members:
//   m_cTable  table flag          m_sTime      time base
//   m_sTimeStep time per clone    m_bNoWait    no-wait flag
//   m_sSound  sound number        m_bSoundInView sound-only-in-view flag
//   m_sAnime  animation number (the 16-bit member after the sound flag,
//             listed there as a "sword type" number)
//   m_vFlow   sub-flows           m_strText    text
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/data_record.h"
#include "gamedata/flows/cond.h"
#include "gamedata/flows/ed_move.h"
#include "gamedata/flows/ed_shot.h"

class cFlow;

class cFlowCmd : public cDataRecord {
public:
    cFlowCmd();
    ~cFlowCmd() override;
    cFlowCmd(const cFlowCmd& src);
    cFlowCmd& operator=(const cFlowCmd& src);
    cFlowCmd(cFlowCmd&& src) noexcept;

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;

    // Zero numbers, empty text, no parts, sound only in view; parameters and
    // carried flows stay.
    void ResetParts();
    // Fits the command to its kind and to the current databases. A table
    // or kind outside the tables becomes the empty command (table 0 / kind
    // 0), so no later code indexes a table with it.
    void Normalize();
    // Fits palette references to the current palettes.
    void NormalizePaletteRefs();

    // The kind in flow numbering (item kinds from 2 on are flow kinds + 15);
    // -1 for item kinds 0 and 1 and for unknown kinds.
    int FlowKindNumber() const;
    int ParamCount() const;
    // Cuts the parameter list to n entries or extends it with zeros.
    void SizeParams(int n);

    std::int8_t m_cTable = 0;
    std::int8_t m_cKind = 0;
    cVector<std::int32_t> m_vParam;
    std::string m_strText;
    std::shared_ptr<cEdMove> m_spMove;
    std::shared_ptr<cEdShot> m_spShot;
    std::int16_t m_sTime = 0;
    std::int16_t m_sTimeStep = 0;
    std::int8_t m_bNoWait = 0;
    std::int16_t m_sSound = 0;
    std::int8_t m_bSoundInView = 1;
    std::int16_t m_sAnime = 0;
    std::shared_ptr<cCondList> m_spCondList;
    cVector<cFlow> m_vFlow;

private:
    void CopyContent(const cFlowCmd& src);
    bool LoadCarriedFlows(cDataFile& file);
    bool LoadParams(cDataFile& file);
    void NormalizeDatabaseRefs();
};

// The upgrade steps of a command read from a file older than `version`.
void UpgradeFlowCmd(cFlowCmd& cmd, int version);

// Animation slot of a selector 0..9 for a character facing left or right.
// `replayVersion` is the file version of the stage whose replay is being
// played, kNoReplay while none plays.
constexpr int kNoReplay = -1;
int AnimeSelectorMap(int selector, int flag, int facingRight, int replayVersion = kNoReplay);

// The five ints that stage play keeps while a message, an effect, a picture
// or an extra life holds the game: kind, delay, value, argument, spare.
using PauseRequest = std::array<std::int32_t, 5>;
void InitRequest(PauseRequest& request, int kind, int value, int argument, int flag);

// Smallest byte size of a stored command, used to bound list counts.
constexpr std::size_t kMinFlowCmdBytes = 24;
// Flows carried by commands of carried flows: real data nests two levels;
// deeper nesting in a file is refused before it can exhaust the stack.
constexpr int kMaxCarriedFlowDepth = 8;
