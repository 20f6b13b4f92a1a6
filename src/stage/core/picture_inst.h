#pragma once
// A picture of the picture table shown over the stage for a while: at a
// screen or stage position, or following a character.
#include <functional>
#include <optional>

#include "draw/device/surface.h"
#include "draw/device/surface_table.h"
#include "foundation/checked_containers.h"

// Where a picture stands.
namespace PicturePlace {
enum : int {
    ScreenCentre = 0,
    FollowChara = 1,
    FollowChara2 = 2,
    ScreenTopLeft = 3,
    ScreenCentreAt = 4,
    StageTopLeft = 5,
    StageCentreAt = 6
};
}

// The display-time kind that counts the picture's frames down.
constexpr int kPictureTimed = 2;

class cPictureInst {
public:
    // The size is the picture's scaled by the percent, rounded half away
    // from zero; a percent other than 100 stretches it.
    void Init(int number, int place, int unit, int x, int y, int offsetX, int offsetY, int pictureWidth,
              int pictureHeight, int anchored, int layer, int scalePercent, int timeKind, int frames,
              int countWhileFrozen, int ownerId, int hasId, int id);
    // Counts the time down and draws the picture; 1 when its time is over
    // (then nothing is drawn). `follow` is the project's switch that makes
    // a picture follow its character rather than stay where it was made.
    int Update(DDSURFACEDATA* dst, DDSURFACEDATA* picture, int frozen, int follow);
    // Where on the screen the picture is drawn this frame; the first call
    // takes the anchor.
    void Place(int& x, int& y, int follow);
    // The stage position of a following picture: its character's centre
    // plus the offset; a vanished character leaves the last centre.
    void GetPos(int& x, int& y);
    // Keeps the centre of the owning character, when it is still there.
    void TakeOwnerCentre();

    int m_nNumber = 0;
    int m_nPlace = PicturePlace::ScreenCentre;
    int m_nUnit = 0;  // 0 blocks, 1 pixels
    int m_nX = 0, m_nY = 0;
    int m_nOffsetX = 0, m_nOffsetY = 0;
    int m_nWidth = 0, m_nHeight = 0;
    int m_bStretched = 0;
    int m_nLayer = 0;
    int m_nTimeKind = 0;
    int m_nOwnerId = 0;
    int m_nFrames = 0;
    int m_bCountWhileFrozen = 0;
    // Screen places: 1 keeps the picture on the screen, 0 leaves it where
    // it first appeared in the stage. Other places: 1 keeps it where it
    // first appeared on the screen.
    int m_bAnchored = 0;
    int m_bStored = 0;
    int m_nStoredX = 0, m_nStoredY = 0;
    int m_bHasId = 0, m_nId = 0;
    double m_dOwnerCentreX = 0.0, m_dOwnerCentreY = 0.0;

private:
    void ScreenPosition(int& x, int& y, int follow);
    void Anchor(int& x, int& y);
};

// The shown pictures of the running stage with their surfaces and the
// creation records of these, in three lists walked together.
class cStageState;

// One shown picture: its place in each of the three lists.
struct PictureSlot {
    cList<cPictureInst>::iterator picture;
    cList<DDSURFACEDATA>::iterator surface;
    cList<SURFACETABLEENTRY>::iterator entry;
};
// The first shown picture that `matches` names; none at the end of the
// shortest list.
std::optional<PictureSlot> FindPicture(cStageState& state, const std::function<bool(const cPictureInst&)>& matches);
// Releases the slot's surface and takes the slot out of the three lists;
// the slot after it.
PictureSlot ErasePictureSlot(cStageState& state, const PictureSlot& slot);
// Updates and draws the pictures of one drawing layer; a picture whose time
// is over is released and leaves the three lists.
void DrawPictures(DDSURFACEDATA* dst, cStageState& state, int layer, int frozen, int follow);
// Releases every picture and empties the lists (each stage reset).
void ClearPictures(cStageState& state);
