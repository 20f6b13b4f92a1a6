// window_frames WINDOW COUNT FOLDER [SECONDS]
//
// Watches an X window and writes each picture it shows that differs from
// the one before as FOLDER/frameNNNN.ppm, until COUNT pictures are written,
// the picture has held still for five seconds after its first change, or
// SECONDS (default 120) have passed. The real-window checks use it to see
// moments a photograph taken by a shell command would miss: a scene that
// shows for a few frames between two others. Exit 0 when COUNT pictures
// were written or the picture held still, 1 on the time limit, 2 on a usage
// or X error.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

int g_xError = 0;

int NoteXError(Display*, XErrorEvent* event) {
    g_xError = event->error_code;
    return 0;
}

// One colour channel scaled to 8 bits, whatever the visual's depth.
unsigned char Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    const unsigned long value = (pixel & mask) >> __builtin_ctzl(mask);
    const unsigned long top = mask >> __builtin_ctzl(mask);
    return static_cast<unsigned char>(value * 255 / top);
}

// The window's pixels as 8-bit RGB, or empty when the window cannot be read.
std::vector<unsigned char> Grab(Display* display, Window window, int& width, int& height) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return {};
    width = attributes.width;
    height = attributes.height;
    XImage* image = XGetImage(display, window, 0, 0, width, height, AllPlanes, ZPixmap);
    XSync(display, False);
    if (!image) return {};
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            for (const unsigned long mask : {image->red_mask, image->green_mask, image->blue_mask})
                rgb.push_back(Channel(pixel, mask));
        }
    }
    XDestroyImage(image);
    return rgb;
}

bool WritePpm(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    const bool written = std::fwrite(rgb.data(), 1, rgb.size(), file) == rgb.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: window_frames WINDOW COUNT FOLDER [SECONDS]\n");
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const int count = std::atoi(argv[2]);
    const std::string folder = argv[3];
    const int seconds = argc > 4 ? std::atoi(argv[4]) : 120;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "window_frames: no X display\n");
        return 2;
    }
    XSetErrorHandler(NoteXError);
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    auto lastChange = Clock::now();
    std::vector<unsigned char> last;
    int written = 0;
    while (written < count && Clock::now() < deadline) {
        if (written > 1 && Clock::now() - lastChange > std::chrono::seconds(5)) break;
        int width = 0, height = 0;
        std::vector<unsigned char> rgb = Grab(display, window, width, height);
        if (g_xError != 0) {
            std::fprintf(stderr, "window_frames: the window cannot be read (X error %d)\n", g_xError);
            XCloseDisplay(display);
            return 2;
        }
        if (!rgb.empty() && rgb != last) {
            char name[32];
            std::snprintf(name, sizeof name, "/frame%04d.ppm", written);
            if (!WritePpm(folder + name, width, height, rgb)) {
                std::fprintf(stderr, "window_frames: cannot write %s%s\n", folder.c_str(), name);
                XCloseDisplay(display);
                return 2;
            }
            ++written;
            last = std::move(rgb);
            lastChange = Clock::now();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    XCloseDisplay(display);
    return Clock::now() < deadline ? 0 : 1;
}
