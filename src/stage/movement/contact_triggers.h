#pragma once
// Triggers that block contacts fire on a character. A sink set here takes
// them; without one they go to the flow engine's trigger start (engine
// hooks), like the triggers of hits and deaths.
class cChara;

namespace ContactTrigger {
enum : int {
    BlockHit = 11,         // touched a block
    BlockSide = 12,        // a block on its left or right
    BlockLeft = 13,        // a block on its left
    BlockRight = 14,       // a block on its right
    BlockAboveBelow = 15,  // a block above or below
    BlockAbove = 16,       // a block above
    BlockBelow = 17        // a block below
};
}

using ContactTriggerSink = void (*)(cChara& chara, int trigger);
void SetContactTriggerSink(ContactTriggerSink sink);
void FireContactTrigger(cChara& chara, int trigger);
