#pragma once
// The editor's vocabulary of the character and screen effect kinds: the
// kind's name and, for each of the five parameters, its label, range and
// the value a new entry of the kind starts with. The player reads only the
// defaults (old files get the roughness parameters from them); new entries
// of the default game are made from them.
struct EffectParamInfo {
    const char* label;  // nullptr: the kind has no such parameter
    int lowest;
    int highest;
    int initial;
};

struct EffectKindInfo {
    const char* name;
    EffectParamInfo params[5];  // parameter 1 (index 0) is always the run time
};

// Kind info by kind number; nullptr for kind 0 and kinds outside the table.
const EffectKindInfo* CharaEffectKind(int kind);
const EffectKindInfo* ScrEffectKind(int kind);
