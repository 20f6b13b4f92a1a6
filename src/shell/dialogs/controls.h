#pragma once
// The bound controls the player's dialogs use: static texts, edit fields
// with their limits, check boxes and radio buttons, each tied to one dialog
// item and (but the static text) to one program variable.
#include <deque>
#include <string>

#include "shell/dialogs/bound_control.h"
#include "shell/dialogs/edit_limits.h"

class cStaticControl : public cBoundControl {
public:
    explicit cStaticControl(int id) : cBoundControl(kControlStatic) { m_nId = id; }
};

// Settings of an edit field.
struct cControlDesc {
    int id = 0;
    std::string* text = nullptr;
    int maxCount = 0;
    int charsPerLine = 0;
    int lines = 0;
    int doubleByte = 0;
    int further[4] = {};

    cControlDesc() = default;
    cControlDesc(int id, std::string* text, int maxCount, int charsPerLine, int lines, int doubleByte)
        : id(id), text(text), maxCount(maxCount), charsPerLine(charsPerLine), lines(lines), doubleByte(doubleByte) {}
};

// The settings of a one-line field of n characters.
cControlDesc OneLineDesc(int id, std::string* text, int n, int doubleByte);

class cEditControl : public cBoundControl {
public:
    cEditControl() : cBoundControl(kControlEdit) {}
    // Attaches, takes the settings (0 limits become the defaults), shows the
    // bound text and runs the change check once, so a text that breaks the
    // limits is cut before anyone sees it.
    void Init(cDialog* dialog, const cControlDesc& desc);
    void Push() override;
    void Pull() override;
    void OnChange() override;
    // Shows a text the program chose (through the limits, caret at its end).
    void SetText(const std::string& text);

    const cEditLimits& Limits() const { return m_Limits; }

private:
    std::string* m_pText = nullptr;
    cEditLimits m_Limits;
    int m_nFurther[4] = {};
    std::string m_strPrevious;
    int m_bInit = 0;
    int m_bBusy = 0;
};

class cCheckControl : public cBoundControl {
public:
    cCheckControl(int id, int* value) : cBoundControl(kControlCheck), m_pValue(value) { m_nId = id; }
    void Push() override;
    void Pull() override;

private:
    int* m_pValue;
};

class cRadioControl : public cBoundControl {
public:
    cRadioControl(int id, int* value, int standsFor)
        : cBoundControl(kControlRadio), m_pValue(value), m_nValue(standsFor) {
        m_nId = id;
    }
    void Push() override;
    void Pull() override;

private:
    int* m_pValue;
    int m_nValue;
};

// The first control of the array with the id. None: the fatal-error close.
template <class Control>
Control* FindControl(std::deque<Control>& controls, int id);
cCheckControl* FindCheckControl(std::deque<cCheckControl>& controls, int id);
