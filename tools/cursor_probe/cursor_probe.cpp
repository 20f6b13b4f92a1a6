// cursor_probe
//
// Prints "hidden" when the X display's current pointer image has no pixel
// that shows (every pixel fully transparent), else "shown", with the image's
// size. The real-window checks use it to see that a full-screen game hides
// the pointer. Exit 0 after printing, 2 when the display or its cursor
// extension cannot be had.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cursor_probe: no X display\n");
        return 2;
    }
    int eventBase = 0;
    int errorBase = 0;
    XFixesCursorImage* image =
        XFixesQueryExtension(display, &eventBase, &errorBase) ? XFixesGetCursorImage(display) : nullptr;
    if (!image) {
        std::fprintf(stderr, "cursor_probe: the cursor extension gives no image\n");
        XCloseDisplay(display);
        return 2;
    }
    const unsigned long count = static_cast<unsigned long>(image->width) * image->height;
    unsigned long shown = 0;
    // Pixels are 32-bit ARGB values held in longs; alpha 0 draws nothing.
    for (unsigned long i = 0; i < count; ++i) {
        if ((image->pixels[i] >> 24) & 0xFF) ++shown;
    }
    std::printf("%s %ux%u %lu\n", shown ? "shown" : "hidden", image->width, image->height, shown);
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
