#include "shell/dialogs/mem_dc.h"

#include "draw/device/pixel_format.h"
#include "draw/pixel_ops.h"

bool cMemDc::Create(int width, int height) {
    Release();
    if (width <= 0 || height <= 0) return false;
    for (DDPIXELS* p : {&m_First, &m_Second, &m_Extra}) {
        if (!p->Allocate(D3DFMT_X8R8G8B8, width, height)) {
            Release();
            return false;
        }
        ClearPixels(*p, 0, 0, p->nWidth, p->nHeight, 0xFF000000u | m_nBrush);
    }
    return true;
}

void cMemDc::Release() {
    for (DDPIXELS* p : {&m_Extra, &m_First, &m_Second}) *p = DDPIXELS{};
}
