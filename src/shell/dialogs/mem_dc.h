#pragma once
// Off-screen drawing for a window's client area: two memory pictures of one
// size, one further picture and one brush colour. A view draws into the
// first picture and keeps the second for what lies under it.
#include <cstdint>

#include "draw/device/surface.h"

class cMemDc {
public:
    cMemDc() = default;
    ~cMemDc() { Release(); }
    cMemDc(const cMemDc&) = delete;
    cMemDc& operator=(const cMemDc&) = delete;

    // Three 32-bit pictures of width x height, cleared to the brush. False
    // (and empty) when a side is 0 or below or the memory cannot be had.
    bool Create(int width, int height);
    // Drops the further picture, then the first and the second; an empty
    // holder stays empty. The brush stays for the next Create.
    void Release();
    bool Ready() const { return !m_First.Empty(); }

    DDPIXELS& First() { return m_First; }
    DDPIXELS& Second() { return m_Second; }
    DDPIXELS& Extra() { return m_Extra; }
    int Width() const { return m_First.nWidth; }
    int Height() const { return m_First.nHeight; }

    std::uint32_t m_nBrush = 0xFFFFFF;

private:
    DDPIXELS m_First;
    DDPIXELS m_Second;
    DDPIXELS m_Extra;
};
