#include "gamedata/project/system_ini_keys.h"

#include "foundation/fixed_lists.h"

namespace {

struct DefaultKey {
    const char* name;
    int type;
    int value;
};

constexpr DefaultKey kDefaultKeys[kSystemIniKeyCount] = {
    {"Direct3D", cSystemIniKey::kInt, 2},
    {"WindowMode", cSystemIniKey::kInt, 0},
    {"Bpp", cSystemIniKey::kInt, 0},
    {"VSync", cSystemIniKey::kInt, 2},
    {"D3D_FontCache", cSystemIniKey::kInt, 0},
    {"DD_FontCache", cSystemIniKey::kInt, 1},
    {"DD_VideoStretch", cSystemIniKey::kInt, 0},
    {"ShowFps", cSystemIniKey::kInt, 1},
    {"FreeStage", cSystemIniKey::kText, 0},
    {"English", cSystemIniKey::kInt, 0},
    {"Midi_DirectMusic", cSystemIniKey::kInt, 1},
};

void SetDefaultKey(cSystemIniKey& key, int index) {
    const DefaultKey& d = kDefaultKeys[index];
    if (d.type == cSystemIniKey::kText) {
        key.SetText(d.name, "");
    } else {
        key.SetInt(d.name, d.value);
    }
}

// Insertion keeps the table at its length: the entry at the index is then
// set by the step.
void InsertKey(SystemIniKeyList& keys, int index, const char* name, int value) {
    InsertIntoFixedList(keys, index, cSystemIniKey(keys[index]));
    keys[index].SetInt(name, value);
}

}  // namespace

cSystemIniKey::cSystemIniKey() {
    UseFields(kDataVersion);
    Reset();
}

void cSystemIniKey::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nType);
    AddString(&m_strName);
    AddField(&m_nValue);
    AddString(&m_strText);
}

void cSystemIniKey::SetInt(const std::string& name, int value) {
    m_nType = kInt;
    m_strName = name;
    m_nValue = value;
}

void cSystemIniKey::SetText(const std::string& name, const std::string& text) {
    m_nType = kText;
    m_strName = name;
    m_strText = text;
}

void SetDefaultSystemIniKeys(SystemIniKeyList& keys) {
    keys.resize(kSystemIniKeyCount);
    for (int i = 0; i < kSystemIniKeyCount; ++i) SetDefaultKey(keys[i], i);
}

void UpgradeSystemIniKeys(SystemIniKeyList& keys, int fileVersion) {
    struct Step {
        int version;
        void (*apply)(SystemIniKeyList&);
    };
    static constexpr Step kSteps[] = {
        {286,
         [](SystemIniKeyList& k) {
             InsertKey(k, kIniDirect3D, "Direct3D", 1);
             if (k[kIniVSync].m_nValue > 2) k[kIniVSync].m_nValue = 2;
         }},
        {567, [](SystemIniKeyList& k) { InsertKey(k, 4, "DD_VideoStretch", 0); }},
        {568,
         [](SystemIniKeyList& k) {
             InsertKey(k, 4, "D3D_FontCache", 0);
             InsertKey(k, 5, "DD_FontCache", 1);
         }},
        {672, [](SystemIniKeyList& k) { k[kIniEnglish].SetInt("English", 0); }},
        {842, [](SystemIniKeyList& k) { k[kIniMidiDirectMusic].SetInt("Midi_DirectMusic", 1); }},
    };
    for (const Step& s : kSteps) {
        if (fileVersion >= s.version) continue;
        keys.resize(kSystemIniKeyCount);
        s.apply(keys);
    }
}
