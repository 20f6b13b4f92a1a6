#pragma once
// The limits of an edit field (characters per line, number of lines, the
// byte count, double-byte counting) and the check that every change the
// user types goes through.
#include <string>

struct cEditLimits {
    int maxCount = 4096;
    int charsPerLine = 1024;
    int lines = 32;
    // Lengths in characters (a Shift-JIS pair counts one) instead of bytes.
    int doubleByte = 0;
};

struct cEditText {
    std::string text;  // Shift-JIS, lines broken by "\r\n"
    int selStart = 0;
    int selEnd = 0;
};

// The bytes a read of the field takes, the terminating zero included.
int EditByteLimit(const cEditLimits& limits);

// The text cut to at most n bytes without splitting a Shift-JIS character.
std::string CutToBytes(const std::string& text, int n);

// The change check: the text and selection the field shows after the user
// changed previous into now. Long lines wrap onto the next; a text with too
// many lines falls back to previous (at the first run, previous cut to one
// line's length); a joining Backspace that would overfill a line is undone.
// Characters are only ever removed whole.
cEditText CheckEditChange(const cEditLimits& limits, const std::string& previous, cEditText now, bool backspaceHeld,
                          bool firstRun);
