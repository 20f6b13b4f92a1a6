#include "scenes/menu/menu_texts.h"

#include <algorithm>
#include <string>

#include "draw/device/device.h"
#include "draw/text/font.h"
#include "foundation/strings.h"

void DrawMenuTexts(const cSystemData& data, DDSURFACEDATA* /*surface*/, int x, int y, int first, int count,
                   int cursorRoom) {
    if (count <= 0) return;
    std::string text;
    int widest = 0;
    for (int i = first; i < first + count; ++i) {
        const std::string& line = data.SystemTexts[i];
        widest = std::max(widest, CountChars(line));
        if (cursorRoom) text += ' ';
        text += line;
        text += '\n';
    }
    const int width = 16 * (widest + (cursorRoom ? 1 : 0));
    // The texts are the project's: passed as an argument, never as the
    // format, so a percent sign in them is drawn as it is.
    Fonts[1].DrawTextBoxF(&BackBuffer, x, y, width, 16 * count, "%s", text.c_str());
}
