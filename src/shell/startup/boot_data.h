#pragma once
// "user_data\Boot.dat": the drawing path the user chose in the start-up
// dialog and whether the dialog is to be asked again.
#include "foundation/data_record.h"

class cBootData : public cDataRecord {
public:
    cBootData();
    void RegisterFields(int version) override;
    // A refused file leaves the defaults, as a missing one does.
    void OnLoadRefused() override;
    std::size_t MaxFileBytes() const override { return kMaxPlayerSettingsFileBytes; }

    // 1 Direct3D, any other value DirectDraw.
    int m_nDrawMode = 1;
    int m_nNoAsk = 0;
};

extern cBootData BootData;
