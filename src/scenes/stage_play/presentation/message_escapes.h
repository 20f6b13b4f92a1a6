#pragma once
// The '#' escapes of a message text: #S3. inserts stage variable 3, #C3.
// common variable 3, with an optional format after '_' (Z zero padding,
// P a plus sign, a digit the width), e.g. #S3_Z5. gives 00042.
#include <string>

#include "foundation/checked_containers.h"

// Replaces every valid escape of the text by its value; anything else stays
// as it is. Only variables 1 to 1000 are read.
void ExpandEscapes(std::string& text, const cVector<int>& commonVars, const cVector<int>& stageVars);
