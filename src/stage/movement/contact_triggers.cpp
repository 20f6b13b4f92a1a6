#include "stage/movement/contact_triggers.h"

#include "stage/objects/engine_hooks.h"

namespace {
ContactTriggerSink g_sink = nullptr;
}  // namespace

void SetContactTriggerSink(ContactTriggerSink sink) { g_sink = sink; }

// Without a sink of its own a block contact starts flows like any other
// trigger, with no partner.
void FireContactTrigger(cChara& chara, int trigger) {
    if (g_sink) {
        g_sink(chara, trigger);
    } else {
        StartFlowsByTrigger(chara, trigger, nullptr, 0);
    }
}
