#pragma once
// The scene base. A scene runs one frame per Run; its state index is -1
// until Init has run, then walks its state table (the first state fades in,
// the last fades out and switches the scene).
#include <string>

class cScene {
public:
    cScene() = default;
    virtual ~cScene() = default;
    cScene(const cScene&) = delete;
    cScene& operator=(const cScene&) = delete;

    virtual void Run() {}
    virtual void Init() {}
    virtual void FadeIn() {}
    virtual void FadeOut() {}

    // The close handler's request to a scene that runs a nested frame loop
    // (stage play): leave it and close. Other scenes ignore it.
    virtual void RequestQuit() {}
    // True once that request has been made: the player has already agreed
    // to the close that the scene sends back when its loop ends.
    virtual bool QuitRequested() const { return false; }

    // The name the ranking entry edits for this scene (stage play); none for
    // the others.
    virtual std::string* RegistrationName() { return nullptr; }

    // The frame rate the game loop measured this frame; stage play keeps
    // it, the other scenes ignore it.
    virtual void StoreShownFps(int /*fps*/) {}

    int State() const { return m_nState; }

protected:
    int m_nState = -1;
    int m_nSubStep = 0;
};
