#include "support/stage/recording_draw_sink.h"

#include <cstdio>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"

namespace {

const char* const kOpNames[] = {
    "Blt",   "Burst",         "Split",          "Wave",           "Rotate",         "Turn",          "Circle",
    "Lens",  "Tint",          "Half",           "Mosaic",         "Blur",           "Fill",          "Clear",
    "Frame", "CircleOutline", "LineBatchReset", "LineBatchFlush", "SpriteBatchOff", "SpriteBatchOn",
};
static_assert(std::size(kOpNames) == static_cast<std::size_t>(DrawOp::SpriteBatchOn) + 1);

bool HasSource(DrawOp op) { return op <= DrawOp::Blur; }
bool HasSourceSize(DrawOp op) { return op == DrawOp::Blt || op == DrawOp::Turn; }
bool HasTarget(DrawOp op) { return op < DrawOp::LineBatchReset; }

std::string Format(const char* fmt, auto... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, fmt, args...);
    return buffer;
}

}  // namespace

std::string DrawSurfaceName(const DDSURFACEDATA* sd) {
    if (sd == &BackBuffer) return "Back";
    if (sd >= SurfaceArray && sd < SurfaceArray + kSurfaceCount)
        return Format("#%d", static_cast<int>(sd - SurfaceArray));
    return "?";
}

std::string DescribeDrawCall(const DrawCall& c) {
    const auto op = static_cast<std::size_t>(c.op);
    std::string line = op < std::size(kOpNames) ? kOpNames[op] : "?";
    if (!HasTarget(c.op)) return line;
    line += " " + DrawSurfaceName(c.dst) + Format(" %d,%d %dx%d", c.x, c.y, c.w, c.h);
    if (HasSource(c.op)) {
        line += " <- " + DrawSurfaceName(c.src) + Format(" %d,%d", c.sx, c.sy);
        if (HasSourceSize(c.op)) line += Format(" %dx%d", c.sw, c.sh);
        if (c.src2) line += " / " + DrawSurfaceName(c.src2) + Format(" %d,%d", c.s2x, c.s2y);
        if (c.key) line += " key";
    }
    if (c.tint) line += Format(" tint=%08x/%u", c.tint->dwColor, c.tint->dwColorOp);
    std::size_t used = c.p.size();
    while (used > 0 && c.p[used - 1] == 0) --used;
    for (std::size_t i = 0; i < used; ++i) line += Format(i == 0 ? " p=%g" : ",%g", c.p[i]);
    return line;
}

void RecordingDrawSink::Draw(const DrawCall& call) {
    m_Calls.push_back(call);
    if (m_bForward) DrawOnLayer(call);
}

std::vector<std::string> RecordingDrawSink::Lines() const {
    std::vector<std::string> lines;
    for (const DrawCall& c : m_Calls) lines.push_back(DescribeDrawCall(c));
    return lines;
}
