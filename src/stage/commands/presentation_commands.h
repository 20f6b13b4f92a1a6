#pragma once
// The executors of the commands that show or sound something or change how
// the character looks, and of the code and arrangement commands. Each
// takes one sub-step of the command for the character; a command with a
// time above 0 therefore acts on every sub-step of it.
#include <functional>

class cChara;
class cCmdInst;
class cFlowCmd;

// Shows the command's text, or with ID mode rewrites or removes the shown
// message of that ID; may hold the game while the message is shown.
int CmdMessage(cChara& c, cCmdInst& cmd);
// Shows a picture of the picture table (0 removes every picture, or with
// ID mode the one of that ID); may hold the game while it is shown.
int CmdShowPicture(cChara& c, cCmdInst& cmd);
int CmdChangeGraphic(cChara& c, cCmdInst& cmd);
int CmdChangeAnimeSet(cChara& c, cCmdInst& cmd);
int CmdRunAnime(cChara& c, cCmdInst& cmd);
int CmdRunEffect(cChara& c, cCmdInst& cmd);
int CmdRunCharaEffect(cChara& c, cCmdInst& cmd);
int CmdRunScreenEffect(cChara& c, cCmdInst& cmd);
int CmdChangeScreenColor(cChara& c, cCmdInst& cmd);
int CmdChangeBackground(cChara& c, cCmdInst& cmd);
int CmdPlaySound(cChara& c, cCmdInst& cmd);
int CmdPlayBgm(cChara& c, cCmdInst& cmd);
int CmdArrange(cChara& c, cCmdInst& cmd);

// Where an effect of half size (a, b) starts, in stage pixels, for the
// position kind and unit of a command; a kind or unit the command does not
// offer places it on the character as kind 1 does.
struct EffectPoint {
    double x = 0.0, y = 0.0;
};
EffectPoint EffectPos(int a, int b, const cChara& c, int kind, int unit, int x, int y, int ox, int oy);

// The screen effect and the screen tone belong to the stage scene, which
// installs these; without them (tests, no scene) the commands do nothing.
struct ScenePresentationHooks {
    // Starts screen effect `number` (0 stops it) with run mode and loop.
    std::function<void(int number, int mode, int loop)> runScreenEffect;
    // Takes the tone of a screen-colour command.
    std::function<void(const cFlowCmd& command)> setScreenTone;
};
ScenePresentationHooks& ScenePresentation();
