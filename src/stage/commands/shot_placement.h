#pragma once
// Where the objects of a shot or summon command start and how they fly:
// the series loop of a shot command, the single pass of the summons, the
// six formations that lay the objects out, and the creation of each object.
#include <functional>

#include "foundation/checked_containers.h"
#include "stage/objects/shot.h"

class cChara;
class cCmdInst;
class cStageState;

// Formations, numbered as the shot part stores them.
namespace Formation {
enum : int { StraightA = 0, StraightB, Spread, Lightning, Explosion, Encircle, Count };
}

// What a formation routine needs: the stage whose shot list receives shots
// (null for the summons), the shooter, the running command and its part.
struct FormationCall {
    cStageState* stage;
    cChara& shooter;
    cCmdInst& cmd;
    cEdShot& param;
};

// Fires one series of a shot command.
void PlaceShotSeries(cStageState& stage, cChara& shooter, cCmdInst& cmd, cEdShot& param);
// One formation pass of a summon command; a definition outside its palette
// list (or a character definition of the hero's kind) places nothing.
void PlaceCharaSummon(cChara& shooter, cCmdInst& cmd, cEdShot& param);
void PlaceItemSummon(cChara& shooter, cCmdInst& cmd, cEdShot& param);
void PlaceBlockSummon(cChara& shooter, cCmdInst& cmd, cEdShot& param);

// Runs the formation `param.m_cFormation` (checked: a number outside the
// table is the fatal close's report, and formation 0 runs).
void RunFormation(const FormationCall& call, cShotPlacement& placement);
// Creates one object at the placement's current position by the kind of
// the running command.
void PlaceFormationObject(const FormationCall& call, const cShotPlacement& placement);

// The direction code of the part's direction selector for the shooter.
int PlacementDirection(const cChara& shooter, const cEdShot& param);
// The base angle of a direction code (0 left, 90 up, 180 right, 270 down).
int DirectionAngle(int code);
// The angle from (x, y) to the target of the aim slot; with none, straight
// ahead by the shooter's facing.
int AngleToTarget(double x, double y, const FormationCall& call, cShotPlacement& placement);
// The start in front of the shooter at `angle`, touching its drawn box.
void RotatedStart(cShotPlacement& placement, cChara& shooter, int angle);

// Receives each placed object of a summon: the command kind (13, 14, 15),
// the placement, the shooter and the part. By default the stage's block
// setter and character and item spawners; null places nothing.
using SummonSpawner = std::function<void(int kind, const cShotPlacement&, cChara& shooter, const cEdShot&)>;
void SetSummonSpawner(SummonSpawner spawner);

// Integer coordinates that formations share: the scroll position as whole
// pixels and the shooter's drawn box.
struct ShooterBox {
    int sx, sy;      // truncated scroll position
    int l, t, r, b;  // screen rectangle
    int gw, gh;      // graphic cell size
    int CentreX() const { return sx + l + gw / 2; }
    int CentreY() const { return sy + t + gh / 2; }
};
ShooterBox BoxOf(const cObject& object);
