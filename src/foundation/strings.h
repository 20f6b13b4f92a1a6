#pragma once
// Formatting, comparison by operator code, percentages, clamping, substrings
// and the random range on which replays depend.
#include <string>

#include "foundation/report.h"

void FormatString(std::string& out, const char* format, ...) PLAYER_PRINTF(2, 3);
void AppendFormat(std::string& out, const char* format, ...) PLAYER_PRINTF(2, 3);
std::string StrPrintf(const char* format, ...) PLAYER_PRINTF(1, 2);

// Comparison codes 0..7: == != >= <= > < divisible not-divisible.
bool CompareByOp(int a, int b, int op);
// a x b percent, rounded half away from zero (the product wraps in 32 bits).
int PercentOf(int a, int b);
int Clamp(int& v, int lo, int hi);
int FixStrLen(std::string& s);
std::string StrMid(const std::string& s, int start, int count);
int RandomRange(int a, int b);

// Shift-JIS (code page 932).
bool IsDbcsLead(unsigned char c);
bool IsDbcsTrail(unsigned char c);
bool IsDbcsPair(const unsigned char* p);
int CountChars(const std::string& text);
