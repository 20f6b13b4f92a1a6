#include "stage/drawing/blit_surface.h"

#include "draw/device/device.h"
#include "draw/device/surface_table.h"

namespace {

bool HasDrawSurface(int index) { return index >= 0 && index < kSurfaceCount && SurfaceArray[index].lpDD != nullptr; }

}  // namespace

int PickBlitSurface(int index, int twin) {
    if (DDSetting.bD3D) return index;
    const int other = index + kSurfaceTwinOffset;
    if (twin) return HasDrawSurface(other) ? other : index;
    return HasDrawSurface(index) ? index : other;
}
