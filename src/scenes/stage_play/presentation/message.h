#pragma once
// The messages of a running stage: a text (framed or not, its '#' escapes
// expanded and, if asked, refreshed), a rising 16 x 16 icon, or an
// invisible timer. A text is rendered once into a picture of its own, kept
// in a list parallel to the messages, and rendered again only when the text
// changes or the picture is lost.
#include <functional>
#include <string>
#include <utility>

#include "draw/device/surface.h"
#include "draw/device/surface_table.h"
#include "draw/text/font.h"
#include "foundation/checked_containers.h"
#include "stage/objects/message_sink.h"
#include "stage/objects/stage_state.h"

class cMessageList;

class cMessage {
public:
    cMessage(cMessageList& list, const MessageRequest& request);

    // Fills the message; with reinit the message keeps its picture (the
    // message command's re-use of a shown message), made anew at the same
    // place of the picture list when the new text measures otherwise.
    void Init(const MessageRequest& request, int reinit);
    void ExpandEscapes(std::string& text) const;
    // The text's size in the message font + 2 on each axis.
    std::pair<int, int> MeasureText(const std::string& text) const;
    void CreatePicture();
    void CreatePictureAt(int index);
    void RenderText(DDSURFACEDATA* picture);
    // One frame: counts the time, refreshes the text, places and draws the
    // message on dst; 1 when the message is over (its picture is gone).
    int Update(cStageState& state, DDSURFACEDATA* dst, int frozen);
    // Releases the picture and takes it out of the picture lists.
    void ErasePicture();

    DDSURFACEDATA* m_lpPicture = nullptr;
    MessageRequest m_Request;
    std::string m_strText;    // escapes expanded
    std::string m_strSource;  // as given, for the refresh
    int m_nWidth = 0, m_nHeight = 0;
    int m_bStored = 0, m_nStoredX = 0, m_nStoredY = 0;
    int m_nRemain = 0;
    int m_bOpening = 0;
    double m_dOpening = 0.0;

private:
    int PictureIndex() const;
    void Refresh(const cStageState& state);
    // The top-left corner on the screen; false when the owner is gone.
    bool Place(const cStageState& state, int& x, int& y) const;
    void Anchor(const cStageState& state, int& x, int& y);
    void Draw(DDSURFACEDATA* dst, int x, int y);

    cMessageList* m_lpList;
};

// The stage scene's message list with the parallel picture lists; it is
// also where stage code's messages arrive.
class cMessageList : public cMessageSink {
public:
    using IconDrawer = std::function<void(DDSURFACEDATA* dst, int x, int y, int kind, int number, int column)>;

    cMessageList();
    ~cMessageList() override;
    cMessageList(const cMessageList&) = delete;
    cMessageList& operator=(const cMessageList&) = delete;

    void AddMessage(const MessageRequest& request) override;
    // The key is the message itself; the command that holds the game takes
    // back exactly the message it showed, wherever it stands in the list.
    Key AddHeldMessage(const MessageRequest& request) override;
    void RemoveHeldMessage(Key key) override;
    void RemoveMessageWithId(int id) override;
    // Every message once, in list order; a message that is over is removed.
    void Update(cStageState& state, DDSURFACEDATA* dst, int frozen);
    // The stage reset: every message and picture goes.
    void ClearMessagePictures();

    cList<cMessage> m_lstMessage;
    cList<DDSURFACEDATA> m_lstPicture;
    cList<SURFACETABLEENTRY> m_lstPictureEntry;
    // What the messages draw with: the text font, the picture of the
    // extra-life icon and the icon drawing of graphics.
    Font* m_lpFont;
    DDSURFACEDATA* m_lpAccessory;
    IconDrawer m_fnDrawIcon;

private:
    cMessage& ShowMessage(const MessageRequest& request);
    // Removes the first message that `matches` names, with its picture.
    void RemoveFirst(const std::function<bool(const cMessage&)>& matches);
};
