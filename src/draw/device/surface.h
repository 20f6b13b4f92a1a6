#pragma once
// The surface record of the drawing layer. Callers own the records; the
// layer owns what they point to: a Direct3D-path part (a texture held as a
// CPU pixel buffer in the texture format) or a DirectDraw-path part (a pixel
// buffer in the display format).
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "draw/device/pixel_format.h"
#include "platform/win_types.h"

// The largest side of any surface or texture this layer creates.
constexpr int kMaxSurfaceSide = 16384;

// Pixel memory taken already zeroed from the system. A fresh large block
// comes as pages the system fills with zeros when first touched, so a
// surface is not cleared in a pass of its own: a picture pays only for
// being decoded into it, a surface made but never drawn on for nothing.
// Value-initialising an element leaves the zero it has; a buffer is only
// ever sized when it is made (see DDPIXELS::Allocate), never grown into
// memory that held pixels.
template <class T>
struct ZeroedAllocator {
    using value_type = T;
    ZeroedAllocator() = default;
    template <class U>
    ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        void* p = std::calloc(n, sizeof(T));
        if (!p) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) noexcept { std::free(p); }
    template <class U>
    void construct(U*) noexcept {}
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) { return true; }
};

using PixelBytes = std::vector<std::uint8_t, ZeroedAllocator<std::uint8_t>>;

// A CPU pixel buffer: rows of nPitch bytes, no padding beyond the format.
struct DDPIXELS {
    DWORD fmt = 0;
    int nWidth = 0;
    int nHeight = 0;
    int nPitch = 0;
    PixelBytes bits;
    // Known to hold only texels of full alpha (set after a load that found
    // none other; every write access drops it). Blits copy such sources
    // without looking at their alpha.
    bool bOpaque = false;
    // Known to hold only texels of alpha 0 or 255 (key holes and opaque
    // pixels; set and dropped as bOpaque). Blits select such texels by their
    // top bit without looking for partial alpha.
    bool bAlphaCut = false;

    bool Empty() const { return bits.empty(); }
    // False (and empty) when the memory cannot be had; sides beyond
    // kMaxSurfaceSide are cut to it.
    bool Allocate(DWORD format, int width, int height);
    // Sets bOpaque when every texel of a 32-bit texture has full alpha, and
    // bAlphaCut when every one has alpha 0 or 255.
    void NoteOpacity();
    // Drops both notes: the pixels are about to change.
    void ForgetOpacity() {
        bOpaque = false;
        bAlphaCut = false;
    }
    template <class T>
    T* Row(int y) {
        ForgetOpacity();
        return reinterpret_cast<T*>(bits.data() + static_cast<std::size_t>(y) * nPitch);
    }
    template <class T>
    const T* Row(int y) const {
        return reinterpret_cast<const T*>(bits.data() + static_cast<std::size_t>(y) * nPitch);
    }
    // Inline: the generic paths call these for every pixel.
    std::uint32_t Get(int x, int y) const {
        switch (BytesPerPixel(fmt)) {
            case 1: return Row<std::uint8_t>(y)[x];
            case 2: return Row<std::uint16_t>(y)[x];
            default: return Row<std::uint32_t>(y)[x];
        }
    }
    void Put(int x, int y, std::uint32_t v) {
        switch (BytesPerPixel(fmt)) {
            case 1: Row<std::uint8_t>(y)[x] = static_cast<std::uint8_t>(v); break;
            case 2: Row<std::uint16_t>(y)[x] = static_cast<std::uint16_t>(v); break;
            default: Row<std::uint32_t>(y)[x] = v; break;
        }
    }
};

struct DDSURFACEDATA;

// Memory kinds of a Direct3D texture.
constexpr int DTMEMORYTYPE_VIDEO_RT = 0;
constexpr int DTMEMORYTYPE_SYSTEM = 1;
constexpr int DTMEMORYTYPE_VIDEO_NORT = 2;

struct DDTEXTUREDATA {
    DDTEXTUREDATA() = default;
    DDTEXTUREDATA(const DDTEXTUREDATA&) = delete;
    DDTEXTUREDATA& operator=(const DDTEXTUREDATA&) = delete;
    // Leaves the list of created textures, so a record dropped without its
    // release never leaves a dangling entry there.
    ~DDTEXTUREDATA();

    int nTextureId = 0;
    DDPIXELS texture;  // the level-0 surface, texture width x texture height
    int nMemoryType = DTMEMORYTYPE_VIDEO_RT;
    int bColorKey = 0;
    int bRenderTarget = 0;
    std::vector<std::uint8_t> lpColorIndex;  // empty: no colour index map
    // The record this texture belongs to; the device restore rebuilds the
    // texture from it. Kept current when the record moves.
    DDSURFACEDATA* lpOwner = nullptr;
};

struct DDDRAWDATA {
    DDPIXELS surface;
    int bColorKey = 0;
    DWORD dwColorKey = 0;  // the source key given at creation
    int bSurfaceLost = 0;  // video memory gone until DDRestore
    std::vector<std::uint8_t> lpColorIndex;
};

struct DDSURFACEDATA {
    std::unique_ptr<DDTEXTUREDATA> lpDT;
    std::unique_ptr<DDDRAWDATA> lpDD;
    char name[260] = {};
    int nWidth = 0;
    int nHeight = 0;
    int nTexWidth = 0;
    int nTexHeight = 0;
    char fileName[260] = {};
    int nDDMemory = 0;
    int nMirrorWidth = 0;
    int nMirrorHeight = 0;
    DDSURFACEDATA* lpShareSD = nullptr;
    int bLost = 0;

    DDSURFACEDATA() = default;
    DDSURFACEDATA(DDSURFACEDATA&& other) noexcept;
    DDSURFACEDATA& operator=(DDSURFACEDATA&& other) noexcept;

    // The pixels this record draws from or into in the running path; null
    // when it has none (never created, shared without a link, released).
    // Inline: every blit asks for both sides' pixels.
    DDPIXELS* Pixels() {
        if (lpDT) return lpDT->texture.Empty() ? nullptr : &lpDT->texture;
        if (lpDD) return lpDD->surface.Empty() ? nullptr : &lpDD->surface;
        return nullptr;
    }
    bool Keyed() const {
        if (lpDT) return lpDT->bColorKey != 0;
        if (lpDD) return lpDD->bColorKey != 0;
        return false;
    }
};

void SetRecordName(char (&field)[260], const char* text);
// Sizes a surface may have (positive, at most kMaxSurfaceSide each way).
bool SurfaceSizeAllowed(int width, int height);
// Mirror cells are counted forward; a negative cell is refused (reported).
bool MirrorCellsAllowed(int cellWidth, int cellHeight, const char* file);
