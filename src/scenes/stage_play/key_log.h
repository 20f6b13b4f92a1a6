#pragma once
// The input of one attempt at a stage, as two independent run-length coded
// streams (the direction word and the button word) with the attempt's random
// seed. Stage play records it frame by frame and plays it back; a replay
// file carries it between the stage and the progress record.
#include <cstdint>
#include <string>

#include "foundation/checked_containers.h"
#include "foundation/data_record.h"

class cKeyState;
class cStageData;
class cStorySave;

class cKeyLog : public cDataRecord {
public:
    cKeyLog();
    // Copies take the streams and the seed; playback starts over.
    cKeyLog(const cKeyLog& other);
    cKeyLog& operator=(const cKeyLog& other);

    void RegisterFields(int version) override;
    // Reads the seed and the four streams. Every stream must hold at least
    // one entry, each values stream as many as its run lengths, every run
    // at least one frame and both streams the same number of frames;
    // anything else fails the file and leaves the log as it was.
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override {}

    // Appends this frame's two words.
    void Record(const cKeyState& keys);
    // Writes the next frame's two words; 1 (and nothing written) once either
    // stream has run out, else 0.
    int Play(cKeyState& keys);
    // An empty log: seed 0, no runs, playback at the start.
    void Clear();
    void RewindPlayback();

    // The replay file: the stage (placements of one stage, settings of the
    // other), this log, then the progress at the start of the attempt.
    int SaveReplayFile(const std::string& path, cStageData& placements, cStageData& settings, cStorySave& progress);
    // Reads a whole replay file. Only a file read to its end without a fault
    // changes anything: then `stage` takes its stage, `settings` the stage's
    // settings alone, this log its streams and `progress` the progress
    // (files of version 172 or older carry none and leave it alone).
    int LoadReplayFile(const std::string& path, cStageData& stage, cStageData& settings, cStorySave& progress);
    // The same from a file already opened for reading (closed here).
    int LoadReplay(DataFilePtr file, cStageData& stage, cStageData& settings, cStorySave& progress);

    cVector<std::int16_t> m_vecValueA;  // direction word runs
    cVector<std::int16_t> m_vecValueB;  // button word runs
    cVector<std::int32_t> m_vecCountA;  // frames of each direction run
    cVector<std::int32_t> m_vecCountB;  // frames of each button run
    std::int32_t m_nSeed = 0;
    int m_nCursorA = 0, m_nCursorB = 0;
    int m_nRunA = 0, m_nRunB = 0;

private:
    void TakeStreams(const cKeyLog& other);
};

// The log of the attempt being played and the one before it.
extern cKeyLog KeyLog;
extern cKeyLog KeyLog2;
