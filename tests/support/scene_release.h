#pragma once
// What a scene test or benchmark made of the game's shared resources (its
// modes, the menu sound sink, fonts, surfaces, the device and the system
// data) given back, so the next one starts from a clean game.
#include "draw/device.h"
#include "draw/font.h"
#include "draw/surface_table.h"
#include "draw/surfaces.h"
#include "gamedata/global_data.h"
#include "scenes/menu/menu_sounds.h"
#include "shell/game.h"

inline void ReleaseSceneResources() {
    Game.DeleteScenes();
    SetMenuSoundSink(nullptr);
    for (Font& f : Fonts) f.Release();
    for (DDSURFACEDATA& s : SurfaceArray) DDReleaseSurface(&s);
    DDRelease();
    SystemData.SetDefaults();
}
