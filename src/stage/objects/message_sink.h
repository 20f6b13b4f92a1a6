#pragma once
// The stage scene keeps the list of shown messages, draws them and owns
// their pictures; stage code that wants a message shown (the message and
// game-wait commands, the item pick-up icon, the extra-life rule) only
// describes it and hands it to the sink the scene installed.
#include <string>

namespace MessageKind {
enum : int { Timer = 0, Text = 1, Icon = 2, ExtraLifeIcon = 3 };
}

// Where a message is placed; the owner kinds 1 to 3 and 4 to 6 place alike
// (the creator names the owner: the commanding character or the hero).
namespace MessagePlace {
enum : int {
    ScreenCentre = 0,
    AboveOwner = 1,
    BelowOwner = 2,
    OnOwner = 3,
    AboveHero = 4,
    BelowHero = 5,
    OnHero = 6,
    ScreenTopLeft = 7,
    ScreenCentreAt = 8,
    StageTopLeft = 9,
    StageCentreAt = 10
};
}

// How long a message stays: until the advance key (its creator removes it),
// until the stage ends, or a number of frames.
namespace MessageTime {
enum : int { UntilKey = 0, UntilStageEnd = 1, Frames = 2 };
}

// The values a message is made of, in the order the message takes them.
struct MessageRequest {
    int nKind = MessageKind::Timer;
    std::string strText;
    int nGraphicKind = 0, nGraphicNo = 0, nColumn = 0;
    int nPlace = MessagePlace::ScreenCentre;
    int nUnit = 0;  // places 7 to 10: 0 blocks of 32 pixels, 1 pixels
    int nX = 0, nY = 0, nOffsetX = 0, nOffsetY = 0;
    int bClamp = 0;
    int bAnchored = 0;
    int nTimeKind = MessageTime::UntilKey;
    int nRemain = 0;
    int bCountFrozen = 0;
    int nOwnerId = 0;
    int bNoOpening = 0;
    int bEscapes = 0;
    int bRefresh = 0, nRefreshInterval = 0;
    int bWindow = 0;
    int bIdFlag = 0, nId = 0;
    bool operator==(const MessageRequest&) const = default;
};

class cMessageSink {
public:
    virtual ~cMessageSink() = default;
    // A new message at the end of the list. A message with the ID flag
    // takes the place of the shown message with that ID instead (the
    // message command rewrites a shown text this way).
    virtual void AddMessage(const MessageRequest& message) = 0;
    // A message that a command holding the game takes back itself when the
    // wait ends: the key names that message, whatever else was added
    // meanwhile. A sink without keys only adds it (a timed message then
    // ends by its time).
    using Key = const void*;
    virtual Key AddHeldMessage(const MessageRequest& message) {
        AddMessage(message);
        return nullptr;
    }
    virtual void RemoveHeldMessage(Key) {}
    // Takes back the shown message with the ID flag and this ID, if any.
    virtual void RemoveMessageWithId(int) {}
};
