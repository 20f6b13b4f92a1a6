#include "stage/movement/contact_triggers.h"

namespace {
ContactTriggerSink g_sink = nullptr;
}  // namespace

void SetContactTriggerSink(ContactTriggerSink sink) { g_sink = sink; }

void FireContactTrigger(cChara& chara, int trigger) {
    if (g_sink) g_sink(chara, trigger);
}
