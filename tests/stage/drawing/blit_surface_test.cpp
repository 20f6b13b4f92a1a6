#include "stage/drawing/blit_surface.h"

#include <gtest/gtest.h>

#include <memory>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"

namespace {

TEST(PickBlitSurface, TwinOnlyWithoutTexturesAndWhereItHasPixels) {
    const int saved = DDSetting.bD3D;
    SurfaceArray[20].lpDD = std::make_unique<DDDRAWDATA>();
    SurfaceArray[38].lpDD.reset();
    SurfaceArray[21].lpDD.reset();
    SurfaceArray[39].lpDD = std::make_unique<DDDRAWDATA>();
    DDSetting.bD3D = 0;
    EXPECT_EQ(PickBlitSurface(20, 0), 20);
    EXPECT_EQ(PickBlitSurface(21, 0), 39) << "no pixels of its own: the twin";
    EXPECT_EQ(PickBlitSurface(20, 1), 20) << "the twin has none";
    EXPECT_EQ(PickBlitSurface(21, 1), 39);
    DDSetting.bD3D = 1;
    EXPECT_EQ(PickBlitSurface(21, 0), 21);
    EXPECT_EQ(PickBlitSurface(21, 1), 21);
    DDSetting.bD3D = saved;
    SurfaceArray[20].lpDD.reset();
    SurfaceArray[39].lpDD.reset();
}

}  // namespace
