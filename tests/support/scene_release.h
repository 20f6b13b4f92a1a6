#pragma once
// What a scene test or benchmark made of the game's shared resources (its
// modes, the menu sound sink, fonts, surfaces, the device and the system
// data) given back, so the next one starts from a clean game.
#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/device/surfaces.h"
#include "draw/text/font.h"
#include "gamedata/global_data.h"
#include "scenes/menu/menu_sounds.h"
#include "shell/loop/game.h"

inline void ReleaseSceneResources() {
    Game.DeleteScenes();
    SetMenuSoundSink(nullptr);
    for (Font& f : Fonts) f.Release();
    for (DDSURFACEDATA& s : SurfaceArray) DDReleaseSurface(&s);
    DDRelease();
    SystemData.SetDefaults();
}
