#include "stage/objects/item.h"

void cItem::AnchorOnScale(int scale, int oldScale, int) {
    if (scale == oldScale) return;
    m_dY -= (m_nBaseHeight + m_rcGraphicBase.y) * (scale - oldScale);
    ClampY(BoundMode::Grid);
}
