#pragma once
// The texts of ranking values: times as minutes, seconds and hundredths,
// numbers padded to a width.
#include <string>

// "01:23.45" for 8345 hundredths; minutes take as many digits as they need.
void TimeToText(std::string& out, int hundredths);
// |value| padded on the left to digits places (0 or too few: its own digit
// count), the padding zeros blanks without zeroFill (the last digit always
// stays); "-" before a negative value, "+" before any other with plusSign.
void IntToText(std::string& out, int value, int digits, int zeroFill, int plusSign);
// Decimal digits of |v|: 1 for 0, at most 10.
int DigitCount(int v);
