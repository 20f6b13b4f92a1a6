#pragma once
// "user_data\Window.dat": where the window was and how large its client
// area was when the game last closed.
#include "foundation/data_record.h"
#include "platform/win_types.h"

class cWindowData : public cDataRecord {
public:
    cWindowData();
    void RegisterFields(int version) override;
    // Reads the record, then pulls a position off the desktop back onto it
    // (a negative coordinate becomes 0, a larger one the desktop's extent)
    // and keeps the size within 100 .. the work area.
    bool Load(cDataFile& file) override;
    std::size_t MaxFileBytes() const override { return kMaxPlayerSettingsFileBytes; }

    int m_nX = 0;
    int m_nY = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nMaximized = 0;
};

extern cWindowData WindowData;
extern const char* const kWindowDataPath;

// Whether this run keeps its window placement (on by default). A run
// without a real desktop (headless) measures its window against a virtual
// one; a placement saved from it would open the next real window partly off
// a smaller screen.
void KeepWindowPlacement(bool keep);

// Step 2 of the close sequence: with a window mode, a started game, no
// fatal error and the placement kept, stores the window's corner and (unless minimised) its client
// size and maximised flag, and saves the record.
void SaveWindowPlacement(HWND window);
