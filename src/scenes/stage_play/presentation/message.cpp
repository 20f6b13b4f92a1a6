#include "scenes/stage_play/presentation/message.h"

#include <cmath>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/display_report.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "foundation/abort.h"
#include "gamedata/global_data.h"
#include "scenes/stage_play/presentation/message_escapes.h"
#include "stage/drawing/stage_anchor.h"
#include "stage/objects/chara_lookup.h"
#include "stage/objects/stage_chara.h"

namespace {

constexpr int kIconSize = 16;
constexpr int kPanelHeight = 20;  // the status panel a clamped message keeps clear of
constexpr int kOpeningFrames = 10;
// Icons rise one pixel every 4 frames of their 30-frame display.
constexpr int kIconRiseFrames = 30;

bool IsOwnerPlace(int place) { return place >= MessagePlace::AboveOwner && place <= MessagePlace::OnHero; }
// Places on the screen that, unless anchored, stay where the stage was.
bool IsScreenPlace(int place) {
    return place == MessagePlace::ScreenCentre || place == MessagePlace::ScreenTopLeft ||
           place == MessagePlace::ScreenCentreAt;
}

int PictureMemory() { return !lpDTCon && VideoMemoryShort() ? 1 : 0; }

bool HasId(const cMessage& m, int id) { return m.m_Request.bIdFlag && m.m_Request.nId == id; }

}  // namespace

cMessage::cMessage(cMessageList& list, const MessageRequest& request) : m_lpList(&list) { Init(request, 0); }

void cMessage::Init(const MessageRequest& request, int reinit) {
    const int shownWidth = m_nWidth, shownHeight = m_nHeight;
    m_Request = request;
    m_strText = request.strText;
    m_strSource = request.strText;
    m_nRemain = request.nRemain;
    m_bStored = 0;
    m_dOpening = 0.0;
    if (request.bEscapes) ExpandEscapes(m_strText);
    if (request.nKind == MessageKind::Text) {
        std::tie(m_nWidth, m_nHeight) = MeasureText(m_strText);
    } else if (request.nKind == MessageKind::Icon || request.nKind == MessageKind::ExtraLifeIcon) {
        m_nWidth = m_nHeight = kIconSize;
    }
    m_bOpening = request.nTimeKind == MessageTime::UntilKey && !request.bNoOpening ? 1 : 0;
    if (request.nKind != MessageKind::Text) return;
    if (!reinit || !m_lpPicture) CreatePicture();
    else if (m_nWidth != shownWidth || m_nHeight != shownHeight) CreatePictureAt(PictureIndex());
    RenderText(m_lpPicture);
}

void cMessage::ExpandEscapes(std::string& text) const {
    ::ExpandEscapes(text, StoryData.m_vVar, StageState().m_vecStageVar);
}

std::pair<int, int> cMessage::MeasureText(const std::string& text) const {
    std::pair<int, int> size{0, 0};
    Font& font = *m_lpList->m_lpFont;
    if (font.m_nCacheMode != 0) MeasureTextLines(font, size, text.c_str());
    else size = font.Measure(text.c_str());
    return {size.first + 2, size.second + 2};
}

void cMessage::CreatePicture() {
    cMessageList& l = *m_lpList;
    if (!DDPushSurfaceList(l.m_lstPicture, l.m_lstPictureEntry, m_nWidth, m_nHeight, 1, PictureMemory(), 0, 0)) {
        FatalClose();
    }
    m_lpPicture = &l.m_lstPicture.back();
}

void cMessage::CreatePictureAt(int index) {
    cMessageList& l = *m_lpList;
    ErasePicture();
    if (!DDPushSurfaceListAt(l.m_lstPicture, l.m_lstPictureEntry, index, m_nWidth, m_nHeight, 1, PictureMemory(), 0,
                             0)) {
        FatalClose();
    }
    m_lpPicture = &*std::next(l.m_lstPicture.begin(), std::min(index, l.m_lstPicture.Count() - 1));
}

void cMessage::RenderText(DDSURFACEDATA* picture) {
    if (!picture) return;
    if (lpDTCon || DDSetting.nBpp != 8) DDFillSurface(picture, 0);
    Font& font = *m_lpList->m_lpFont;
    if (m_Request.bWindow) font.DrawTextFrame(picture, 1, 1, 0, 0, m_strText.c_str(), 0);
    else font.DrawText(picture, 1, 1, m_strText.c_str());
}

int cMessage::PictureIndex() const {
    int index = 0;
    for (const DDSURFACEDATA& sd : m_lpList->m_lstPicture) {
        if (&sd == m_lpPicture) return index;
        ++index;
    }
    return index;
}

void cMessage::ErasePicture() {
    if (!m_lpPicture) return;
    DDEraseSurfaceList(m_lpList->m_lstPicture, m_lpList->m_lstPictureEntry, m_lpPicture);
    m_lpPicture = nullptr;
}

void cMessage::Refresh(const cStageState& state) {
    const int interval = m_Request.nRefreshInterval;
    if (m_Request.nKind != MessageKind::Text || !m_Request.bEscapes || !m_Request.bRefresh || interval == 0) return;
    if (state.m_nPlayFrame % interval != 0) return;
    std::string text = m_strSource;
    ExpandEscapes(text);
    if (text == m_strText) return;
    m_strText = text;
    const auto [w, h] = MeasureText(m_strText);
    if (w != m_nWidth || h != m_nHeight) {
        m_nWidth = w;
        m_nHeight = h;
        CreatePictureAt(PictureIndex());
    }
    RenderText(m_lpPicture);
}

bool cMessage::Place(const cStageState& state, int& x, int& y) const {
    const MessageRequest& r = m_Request;
    const int W = m_nWidth, H = m_nHeight;
    const double scrollX = state.m_ScrollX.m_dPos, scrollY = state.m_ScrollY.m_dPos;
    if (IsOwnerPlace(r.nPlace)) {
        const cChara* owner = FindCharaById(r.nOwnerId);
        if (!owner) return false;
        const int gx = static_cast<int>(owner->m_dX - static_cast<int>(scrollX)) - owner->m_rcGraphic.x;
        const int gy = static_cast<int>(owner->m_dY - static_cast<int>(scrollY)) - owner->m_rcGraphic.y;
        const int gw = owner->m_rcGraphic.w, gh = owner->m_rcGraphic.h;
        x = gx + gw / 2 - W / 2 + r.nOffsetX;
        const int place = (r.nPlace - 1) % 3;  // above, below, centred on
        y = place == 0 ? gy - H + r.nOffsetY : place == 1 ? gy + gh + 1 + r.nOffsetY : gy + gh / 2 - H / 2 + r.nOffsetY;
        return true;
    }
    const bool blocks = r.nUnit == 0;
    const int bx = state.m_ScrollX.m_nBlockOffset, by = state.m_ScrollY.m_nBlockOffset;
    switch (r.nPlace) {
        case MessagePlace::ScreenTopLeft:
            x = (blocks ? r.nX * 32 : r.nX) + r.nOffsetX;
            y = (blocks ? r.nY * 32 : r.nY) + r.nOffsetY;
            return true;
        case MessagePlace::ScreenCentreAt:
            x = blocks ? r.nX * 32 - W / 2 + 16 + r.nOffsetX : r.nX + r.nOffsetX - W / 2;
            y = blocks ? r.nY * 32 - H / 2 + 16 + r.nOffsetY : r.nY + r.nOffsetY - H / 2;
            return true;
        case MessagePlace::StageTopLeft:
        case MessagePlace::StageCentreAt: {
            const bool centred = r.nPlace == MessagePlace::StageCentreAt;
            const int cx = centred ? W / 2 - (blocks ? 16 : 0) : 0;
            const int cy = centred ? H / 2 - (blocks ? 16 : 0) : 0;
            const int sx = (blocks ? (r.nX + bx) * 32 : bx * 32 + r.nX) + r.nOffsetX - cx;
            const int sy = (blocks ? (r.nY + by) * 32 : by * 32 + r.nY) + r.nOffsetY - cy;
            x = static_cast<int>(sx - scrollX);
            y = static_cast<int>(sy - scrollY);
            return true;
        }
        default:  // the screen centre, and any place a damaged file names
            x = r.nOffsetX - W / 2 + kViewWidth / 2;
            y = r.nOffsetY - H / 2 + kViewHeight / 2;
            return true;
    }
}

void cMessage::Anchor(const cStageState& state, int& x, int& y) {
    const double scrollX = state.m_ScrollX.m_dPos, scrollY = state.m_ScrollY.m_dPos;
    if (IsScreenPlace(m_Request.nPlace)) {
        if (m_Request.bAnchored) return;
        FollowStagePoint(m_bStored, m_nStoredX, m_nStoredY, scrollX, scrollY, x, y);
        return;
    }
    if (!m_Request.bAnchored) return;
    KeepFirstPosition(m_bStored, m_nStoredX, m_nStoredY, x, y);
}

void cMessage::Draw(DDSURFACEDATA* dst, int x, int y) {
    cMessageList& l = *m_lpList;
    const int rise = (kIconRiseFrames - m_nRemain) >> 2;
    switch (m_Request.nKind) {
        case MessageKind::ExtraLifeIcon:
            DDBlt(dst, x, y - rise, kIconSize, kIconSize, l.m_lpAccessory, 0, 48, 1);
            return;
        case MessageKind::Icon:
            if (l.m_fnDrawIcon)
                l.m_fnDrawIcon(dst, x, y - rise, m_Request.nGraphicKind, m_Request.nGraphicNo, m_Request.nColumn);
            return;
        case MessageKind::Text: break;
        default: return;
    }
    if (!m_lpPicture) return;
    if (m_lpPicture->bLost) {
        RenderText(m_lpPicture);
        m_lpPicture->bLost = 0;
    }
    if (m_strText.empty()) return;
    if (m_bOpening && m_dOpening < kOpeningFrames) {
        m_dOpening += 1;
        if (m_dOpening < kOpeningFrames) {
            const double s = m_dOpening * 0.1;
            const int w = static_cast<int>(s * m_nWidth), h = static_cast<int>(s * m_nHeight);
            if (m_Request.bWindow)
                l.m_lpFont->DrawWindow(dst, x + m_nWidth / 2 - w / 2, y + m_nHeight / 2 - h / 2, w, h);
            return;
        }
    }
    DDBlt(dst, x, y, m_nWidth, m_nHeight, m_lpPicture, 0, 0, 1);
}

int cMessage::Update(cStageState& state, DDSURFACEDATA* dst, int frozen) {
    if (m_Request.nTimeKind == MessageTime::Frames && (m_Request.bCountFrozen || !frozen)) {
        if (--m_nRemain < 0) {
            ErasePicture();
            return 1;
        }
    }
    Refresh(state);
    int x = 0, y = 0;
    if (!Place(state, x, y)) {
        // A message over a character that is gone has nothing to point at;
        // a timer draws nothing and counts on.
        if (m_Request.nKind != MessageKind::Timer) {
            ErasePicture();
            return 1;
        }
    }
    Anchor(state, x, y);
    if (m_Request.bClamp) {
        if (x < 0) x = 0;
        else if (x + m_nWidth >= kViewWidth - 1) x = kViewWidth - m_nWidth;
        if (y < kPanelHeight) y = kPanelHeight;
        else if (y + m_nHeight >= kViewHeight - 1) y = kViewHeight - m_nHeight;
    }
    Draw(dst, x, y);
    return 0;
}

cMessageList::cMessageList() : m_lpFont(&Fonts[1]), m_lpAccessory(&SurfaceArray[50]) {}

cMessageList::~cMessageList() { ClearMessagePictures(); }

void cMessageList::AddMessage(const MessageRequest& request) { ShowMessage(request); }

cMessageSink::Key cMessageList::AddHeldMessage(const MessageRequest& request) { return &ShowMessage(request); }

void cMessageList::RemoveHeldMessage(Key key) {
    RemoveFirst([key](const cMessage& m) { return &m == key; });
}

void cMessageList::RemoveMessageWithId(int id) {
    RemoveFirst([id](const cMessage& m) { return HasId(m, id); });
}

cMessage& cMessageList::ShowMessage(const MessageRequest& request) {
    if (request.bIdFlag) {
        for (cMessage& shown : m_lstMessage) {
            if (!HasId(shown, request.nId)) continue;
            shown.Init(request, 1);
            return shown;
        }
    }
    return m_lstMessage.emplace_back(*this, request);
}

void cMessageList::RemoveFirst(const std::function<bool(const cMessage&)>& matches) {
    for (auto it = m_lstMessage.begin(); it != m_lstMessage.end(); ++it) {
        if (!matches(*it)) continue;
        it->ErasePicture();
        m_lstMessage.erase(it);
        return;
    }
}

void cMessageList::Update(cStageState& state, DDSURFACEDATA* dst, int frozen) {
    for (auto it = m_lstMessage.begin(); it != m_lstMessage.end();) {
        if (it->Update(state, dst, frozen)) it = m_lstMessage.erase(it);
        else ++it;
    }
}

void cMessageList::ClearMessagePictures() {
    m_lstMessage.clear();
    DDReleaseSurfaceList(m_lstPicture);
    m_lstPicture.clear();
    m_lstPictureEntry.clear();
}
