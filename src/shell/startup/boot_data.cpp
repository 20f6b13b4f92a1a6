#include "shell/startup/boot_data.h"

cBootData BootData;

cBootData::cBootData() {
    UseFields(kDataVersion);
    OnLoadRefused();
}

void cBootData::OnLoadRefused() {
    m_nDrawMode = 1;
    m_nNoAsk = 0;
}

void cBootData::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nDrawMode);
    AddField(&m_nNoAsk);
}
