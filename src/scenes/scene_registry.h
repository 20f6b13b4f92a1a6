#pragma once
// The six scene classes, by scene number.
#include <string>

#include "scenes/fading_scene.h"
#include "scenes/options/option_scene.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "scenes/stage_select/stage_select_scene.h"
#include "scenes/title/title_scene.h"
#include "scenes/world_map/map_menu_scene.h"
#include "scenes/world_map/world_map_scene.h"
#include "shell/loop/game.h"

// Registers the six constructors with the game object, and the replay
// services of the main window's file requests.
void RegisterScenes();
