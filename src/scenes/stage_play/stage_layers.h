#pragma once
// The stage's background layers: pictures tiled over the frame behind the
// objects (key 0) or in front of them (key 1), moving with the view by
// their scroll factors and on their own by their auto-scroll.
#include "draw/device/surface.h"

class cStageData;
class cStageState;

// Background picture of layer 0; layer i uses the one i further on.
constexpr int kFirstLayerPicture = 56;

// One frame of the layers' own auto-scroll; nothing while the pause menu
// is open.
void ScrollLayers(cStageData& stage, int paused);
// Every shown layer of the key. The back pass (key 0) clears the frame to
// colour 16 when it draws no layer.
void DrawBackground(DDSURFACEDATA* dst, int key, const cStageState& state, const cStageData& stage);
