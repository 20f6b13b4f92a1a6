// The starts of both drawing paths when the display lacks a service: each
// failing DirectDraw step writes its line to the run report and its name to
// the debug log, and the start fails; a display driver below the Direct3D
// driver model fails that start before anything is made.
#include <string>

#include "draw/primitives.h"
#include "draw_fixture.h"
#include "foundation/report.h"
#include "platform/cursor.h"
#include "support/test_env.h"

namespace {

struct FailingStep {
    int code;
    int windowMode;
    const char* reportLine;  // nullptr: the step writes none
    const char* name;
};

const FailingStep kSteps[] = {
    {DDINIT_CREATEEX_ERR, 0, "DirectDrawCreateEx Err", "CREATEEX_ERR"},
    {DDINIT_CREATEEX_ERR, 1, "DirectDrawCreateEx Err", "CREATEEX_ERR"},
    {DDINIT_SETCOOPLEVEL_ERR, 0, "SetCooperativeLevel Err", "SETCOOPLEVEL_ERR"},
    {DDINIT_SETCOOPLEVEL_ERR, 1, "SetCooperativeLevel Err", "SETCOOPLEVEL_ERR"},
    {DDINIT_SETDISPLAYMODE_ERR, 0, "SetDisplayMode Err", "SETDISPLAYMODE_ERR"},
    {DDINIT_CREATESURFACE_ERR, 0, "Primary CreateSurface Err", "CREATESURFACE_ERR"},
    {DDINIT_CREATESURFACE_ERR, 1, "Primary CreateSurface Err", "CREATESURFACE_ERR"},
    {DDINIT_GETATTACHEDSURFACE_ERR, 0, "GetAttachedSurface Err", "GETATTACHEDSURFACE_ERR"},
    {DDINIT_CREATEPALETTE_ERR, 0, "CreatePalette Err", "CREATEPALETTE_ERR"},
    {DDINIT_CREATEPALETTE_ERR, 1, "CreatePalette Err", "CREATEPALETTE_ERR"},
    {DDINIT_SETPALETTE_ERR, 0, "SetPalette Err", "SETPALETTE_ERR"},
    {DDINIT_CLIPPER_ERR, 1, "CreateClipper Err", "CLIPPER_ERR"},
    {DDINIT_SETHWND_ERR, 1, "SetHWnd Err", "SETHWND_ERR"},
    {DDINIT_SETCLIPPER_ERR, 1, "SetClipper Err", "SETCLIPPER_ERR"},
};

class DeviceStartTest : public DrawTest {
protected:
    void TearDown() override {
        SetDebugLog(0, "");
        DrawTest::TearDown();
        DDSoftwareCaps = DDSOFTWARECAPS();
    }
    // Starts the DirectDraw path at 8 bits (the palette is set on the
    // primary only there) with one step failing.
    bool StartFailing(int code, int windowMode) {
        DDSoftwareCaps = DDSOFTWARECAPS();
        DDSoftwareCaps.nFailingStartStep = code;
        return DDInit(0, nullptr, 640, 480, 8, 0, windowMode, 1, 60, 0, nullptr, nullptr, 0, 0);
    }
};

}  // namespace

TEST_F(DeviceStartTest, EachFailingDirectDrawStepWritesItsLineAndItsNameAndFailsTheStart) {
    for (const FailingStep& s : kSteps) {
        SCOPED_TRACE(testing::Message() << s.name << (s.windowMode ? " window" : " full screen"));
        TestEnv env;
        SetDebugLog(1, env.Dir().HostPath() + "/debug.txt");
        EXPECT_FALSE(StartFailing(s.code, s.windowMode));
        SetDebugLog(0, "");
        EXPECT_NE(env.Report().find(s.reportLine), std::string::npos) << env.Report();
        EXPECT_NE(env.Dir().ReadHostFile("debug.txt").find(s.name), std::string::npos);
        DDRelease();
        EXPECT_EQ(lpDDCon, nullptr);
        EXPECT_EQ(BackBuffer.Pixels(), nullptr) << "nothing of the failed start stays";
    }
}

TEST_F(DeviceStartTest, EveryOtherCodeIsSuccessAndWritesNoName) {
    for (int code : {0, 8, 9, 13, -1}) {
        SCOPED_TRACE(code);
        TestEnv env;
        SetDebugLog(1, env.Dir().HostPath() + "/debug.txt");
        EXPECT_TRUE(DDInitErrorMessage(code));
        SetDebugLog(0, "");
        EXPECT_EQ(env.Dir().ReadHostFile("debug.txt").find("_ERR"), std::string::npos);
    }
}

TEST_F(DeviceStartTest, AStepThatOnlyTheOtherStartHasNeverFailsThisOne) {
    // The window start has no display mode to set, and a deep full screen
    // sets no palette on the primary.
    EXPECT_TRUE(StartFailing(DDINIT_SETDISPLAYMODE_ERR, 1));
    DDRelease();
    DDSoftwareCaps.nFailingStartStep = DDINIT_SETPALETTE_ERR;
    EXPECT_TRUE(DDInit(0, nullptr, 640, 480, 32, 0, 0, 1, 60, 0, nullptr, nullptr, 0, 0));
    EXPECT_EQ(BackBuffer.Pixels()->fmt, D3DFMT_X8R8G8B8);
}

TEST_F(DeviceStartTest, ADriverBelowTheDeviceDriverModelFailsTheDeviceStartWithItsLevel) {
    TestEnv env;
    DDSoftwareCaps.nDDIVersion = 7;
    EXPECT_FALSE(DDInit(1, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0, 0));
    EXPECT_EQ(lpDTCon, nullptr) << "nothing was made";
    EXPECT_NE(env.Report().find("ビデオカードのドライバがDirectX9をサポートしていません！ 7"), std::string::npos)
        << env.Report();
    DDRelease();
    // The DirectDraw start that follows does not ask for the driver model.
    ASSERT_TRUE(DDInit(0, nullptr, 640, 480, 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0, 0));
    EXPECT_NE(lpDDCon, nullptr);
}

TEST_F(DeviceStartTest, ThisHostReportsTheDriverModelTheDeviceNeeds) {
    EXPECT_EQ(GetDDIVersion(), 9);
    EXPECT_EQ(DDSOFTWARECAPS().nDDIVersion, 9);
}

TEST_F(DeviceStartTest, FullScreenHidesThePointerExceptWhileABoxIsOpenAndAWindowShowsIt) {
    struct Case {
        const char* name;
        int bD3D;
        int windowMode;
        bool shownAfterStart;
    };
    for (const Case c : {Case{"device full screen", 1, 0, false}, Case{"DirectDraw full screen", 0, 0, false},
                         Case{"DirectDraw window", 0, 1, true}}) {
        SCOPED_TRACE(c.name);
        platform::ResetCursorCount();
        if (c.windowMode) ShowCursor(FALSE);  // hidden before: a window start shows it again
        ASSERT_TRUE(DDInit(c.bD3D, nullptr, 640, 480, 32, 0, c.windowMode, 1, 60, 0, nullptr, nullptr, 0, 0));
        EXPECT_EQ(platform::CursorShown(), c.shownAfterStart);
        if (c.bD3D) { ASSERT_EQ(DDBeginScene(), 1); }
        EXPECT_EQ(DDDialogBoxMode(1), 1);
        EXPECT_TRUE(platform::CursorShown()) << "the pointer serves the box";
        if (c.bD3D) { EXPECT_EQ(lpDTCon->bInScene, 0) << "the frame is closed under the box"; }
        EXPECT_EQ(DDDialogBoxMode(0), 1);
        EXPECT_EQ(platform::CursorShown(), c.shownAfterStart);
        DDRelease();
    }
    platform::ResetCursorCount();
}
