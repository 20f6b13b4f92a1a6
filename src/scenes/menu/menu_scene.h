#pragma once
// The frame that the five menu scenes share: input with the menu
// auto-repeat and the scene's latched buttons, Init on the first frame, then
// the function of the current state. The first state fades in from black,
// the last fades out to black and hands over to the requested scene.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "shell/loop/scene.h"

class cMenuScene : public cScene {
public:
    // buttonMask: the buttons latched to one press (3: buttons 1 and 2; 15:
    // buttons 1 to 4).
    cMenuScene(int scene, int buttonMask) : m_nScene(scene), m_nButtonMask(buttonMask) {}
    ~cMenuScene() override;

    void Run() final;
    int Kind() const { return m_nScene; }
    int SubStep() const { return m_nSubStep; }

protected:
    // One frame of the state; each scene dispatches through its own table.
    virtual void RunState(int state) = 0;

    // The direction word after the auto-repeat, and the buttons of this frame.
    std::uint16_t Keys() const;
    bool Button(int n) const;

    // One step of the fade; true on the frame it completes.
    bool StepFadeIn();
    bool StepFadeOut();
    // The end of the fade-out: a black back buffer, the cursor stack reset
    // (unless keepCursors), and the switch to the requested scene.
    void EndFadeOut(bool keepCursors = false);
    // Requests a scene and goes to the fade-out state.
    void Leave(int scene, int fadeOutState);

    // Loads pictures of the surface table; released with the scene. A
    // picture that cannot be made is a fatal close (false).
    bool LoadPictures(std::initializer_list<int> pictures);

private:
    int m_nScene;
    int m_nButtonMask;
    std::vector<int> m_vPictures;
};

// Runs the state's function from a scene's table; a state outside it does
// nothing. The entry is copied out before the call: g++ 12's bounds
// sanitizer misreads an index taken inside a member-pointer call.
template <class Scene, std::size_t N>
void RunStateOf(Scene& scene, void (Scene::*const (&states)[N])(), int state) {
    if (state < 0 || state >= static_cast<int>(N)) return;
    const auto step = states[state];
    (scene.*step)();
}

// Blits the rectangle of a picture of the surface table, colour-keyed.
void DrawPicture(int picture, int x, int y, int sx, int sy, int w, int h);
