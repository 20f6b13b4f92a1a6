#pragma once
// The key table of the user's System.ini: names, value types and defaults of
// the eleven settings, kept in the project's system data. The position of an
// entry, not its name, decides which setting a value goes to.
#include <string>

#include "foundation/data_record.h"

enum SystemIniKeyIndex {
    kIniDirect3D = 0,
    kIniWindowMode,
    kIniBpp,
    kIniVSync,
    kIniD3DFontCache,
    kIniDDFontCache,
    kIniDDVideoStretch,
    kIniShowFps,
    kIniFreeStage,
    kIniEnglish,
    kIniMidiDirectMusic,
    kSystemIniKeyCount
};

class cSystemIniKey : public cDataRecord {
public:
    enum Type { kInt = 0, kText = 1 };

    cSystemIniKey();
    void RegisterFields(int version) override;

    void SetInt(const std::string& name, int value);
    void SetText(const std::string& name, const std::string& text);

    int m_nType = kInt;
    std::string m_strName;
    int m_nValue = 0;
    std::string m_strText;
};

using SystemIniKeyList = cVector<cSystemIniKey>;

// The table of a new project.
void SetDefaultSystemIniKeys(SystemIniKeyList& keys);
// The steps that bring the table of an older System.dat up to date.
void UpgradeSystemIniKeys(SystemIniKeyList& keys, int fileVersion);
