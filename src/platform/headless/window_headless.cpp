#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/headless_input.h"
#include "platform/host_log.h"
#include "platform/joystick.h"
#include "platform/keyboard.h"
#include "platform/message_box.h"
#include "platform/present.h"
#include "platform/text.h"
#include "platform/threads.h"
#include "platform/window.h"

namespace {

struct Scheduled {
    long long frame;
    long long order;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    // A change of the input snapshot made at that frame instead of a post
    // (msg 0).
    std::function<void()> apply;
};

// A photograph the script asks for: written by the presenting thread, with
// the frame itself, so it cannot catch a later one.
struct Shot {
    long long frame;
    std::string hostPath;
    // The part of the frame kept; the whole frame when w is 0.
    int x = 0, y = 0, w = 0, h = 0;
};

std::mutex g_mutex;
std::vector<Scheduled> g_schedule;
std::vector<Shot> g_shots;
long long g_order = 0;
// Signalled whenever the window has delivered its due input; true while it
// has taken some out of the schedule and not yet delivered all of it.
std::condition_variable g_taken;
bool g_delivering = false;
// The open headless window's thread (the one that pumps it); none while no
// headless window is open.
bool g_windowOpen = false;
std::thread::id g_windowThread;

void StopWaits() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_windowOpen = false;
    g_taken.notify_all();
}

bool AnyDueLocked(long long frame) {
    return std::any_of(g_schedule.begin(), g_schedule.end(), [&](const Scheduled& s) { return s.frame <= frame; });
}

void ScheduleEvent(Scheduled e) {
    std::lock_guard<std::mutex> lock(g_mutex);
    e.order = g_order++;
    g_schedule.push_back(std::move(e));
}

std::vector<Scheduled> TakeDue(long long frame) {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::vector<Scheduled> due;
    auto split = std::stable_partition(g_schedule.begin(), g_schedule.end(),
                                       [&](const Scheduled& s) { return s.frame > frame; });
    due.assign(split, g_schedule.end());
    g_schedule.erase(split, g_schedule.end());
    if (!due.empty()) g_delivering = true;
    std::sort(due.begin(), due.end(), [](const Scheduled& a, const Scheduled& b) {
        return a.frame != b.frame ? a.frame < b.frame : a.order < b.order;
    });
    return due;
}

std::atomic<bool> g_fullScreenAvailable{true};
std::atomic<bool> g_lossDue{false};
std::mutex g_lossMutex;
std::function<void()> g_lossHook;

class HeadlessWindow : public platform::WindowBackend {
public:
    bool Open(const std::string&, int x, int y, int w, int h) override {
        m_rect = RECT{x, y, x + w, y + h};
        m_activatePending = true;
        std::lock_guard<std::mutex> lock(g_mutex);
        g_windowOpen = true;
        g_windowThread = std::this_thread::get_id();
        return true;
    }
    void Close() override { StopWaits(); }
    // A closing window pumps no more: a present waits for nothing of it.
    void Closing() override { StopWaits(); }
    void SetTitle(const std::string&) override {}
    void Move(int x, int y, int w, int h) override {
        m_rect = RECT{x, y, x + w, y + h};
        m_maximised = false;
    }
    RECT Geometry() override { return m_rect; }
    RECT WorkArea() override { return RECT{0, 0, 1920, 1080}; }
    bool Minimised() override { return false; }
    bool Maximised() override { return m_maximised; }
    // Without a desktop the window keeps its size; only the state is kept.
    void Maximise() override { m_maximised = true; }
    bool SetDisplay(WindowDisplay display) override {
        return display != WindowDisplay::FullScreen || g_fullScreenAvailable.load();
    }
    void Pump(const std::function<void(UINT, WPARAM, LPARAM)>& post) override {
        if (m_activatePending) {
            m_activatePending = false;
            post(WM_ACTIVATEAPP, 1, 0);
        }
        for (const auto& s : TakeDue(platform::PresentedFrameSerial())) {
            if (s.apply) {
                s.apply();
                continue;
            }
            if (s.msg == WM_KEYDOWN || s.msg == WM_KEYUP) {
                platform::SetKeyDown(static_cast<int>(s.wParam), s.msg == WM_KEYDOWN);
            }
            post(s.msg, s.wParam, s.lParam);
        }
        std::lock_guard<std::mutex> lock(g_mutex);
        if (g_delivering) {
            g_delivering = false;
            g_taken.notify_all();
        }
    }

private:
    RECT m_rect;
    bool m_activatePending = false;
    bool m_maximised = false;
};

struct ScriptLine {
    std::vector<Scheduled> events;
    std::vector<Shot> shots;
    int answer = 0;
};

// The next word as a whole number: "1e9" or "1.5" is refused, not read as
// its leading 1, so a typing slip never passes as another value.
template <typename T>
bool ReadNumber(std::istringstream& in, T& value) {
    std::string word;
    if (!(in >> word)) return false;
    T read{};
    const char* end = word.data() + word.size();
    const auto [at, error] = std::from_chars(word.data(), end, read);
    if (error != std::errc() || at != end) return false;
    value = read;
    return true;
}

template <typename... T>
bool ReadNumbers(std::istringstream& in, T&... values) {
    return (ReadNumber(in, values) && ...);
}

// <frame> joy <id> <x> <y> <buttons> | <frame> joyoff <id>
bool ParseJoystick(std::istringstream& in, const std::string& verb, long long frame, ScriptLine& out,
                   std::string& why) {
    int id = -1;
    if (!ReadNumber(in, id) || id < 0 || id >= platform::kJoystickCount) {
        why = "joystick ids run from 0 to 7";
        return false;
    }
    if (verb == "joyoff") {
        out.events.push_back({frame, 0, 0, 0, 0, [id] { platform::RemoveJoystick(id); }});
        return true;
    }
    long long x = -1, y = -1, buttons = -1;
    if (!ReadNumbers(in, x, y, buttons) || x < 0 || x > 65535 || y < 0 || y > 65535 || buttons < 0 ||
        buttons > 0xFFFFFFFFll) {
        why = "joy needs x and y from 0 to 65535 and a button mask";
        return false;
    }
    platform::JoystickReading r{static_cast<DWORD>(x), static_cast<DWORD>(y), static_cast<DWORD>(buttons)};
    out.events.push_back({frame, 0, 0, 0, 0, [id, r] { platform::SetJoystickState(id, r); }});
    return true;
}

// <frame> shot <file>: a relative file is found from the script's folder,
// so a script and its pictures stay together wherever the game folder is.
bool ParseShot(std::istringstream& in, long long frame, const std::string& scriptFolder, ScriptLine& out) {
    std::string file;
    std::getline(in >> std::ws, file);
    while (!file.empty() && (file.back() == ' ' || file.back() == '\t' || file.back() == '\r')) file.pop_back();
    if (file.empty()) return false;
    out.shots.push_back({frame, file.front() == '/' ? file : scriptFolder + file});
    return true;
}

// <frame> shotarea <x> <y> <w> <h> <file>: a part of the frame, so a run
// can keep one small region (the status panel) of every frame around an
// event without a full picture each.
bool ParseShotArea(std::istringstream& in, long long frame, const std::string& scriptFolder, ScriptLine& out) {
    int x = -1, y = -1, w = 0, h = 0;
    if (!ReadNumbers(in, x, y, w, h) || x < 0 || y < 0 || w <= 0 || h <= 0) return false;
    const std::size_t before = out.shots.size();
    if (!ParseShot(in, frame, scriptFolder, out) || out.shots.size() != before + 1) return false;
    Shot& shot = out.shots.back();
    shot.x = x;
    shot.y = y;
    shot.w = w;
    shot.h = h;
    return true;
}

// The part of the frame a shot keeps, cut to the frame.
platform::Frame ShotPicture(const Shot& shot, const platform::Frame& frame) {
    if (shot.w == 0) return frame;
    platform::Frame part;
    part.width = std::max(0, std::min(shot.w, frame.width - shot.x));
    part.height = std::max(0, std::min(shot.h, frame.height - shot.y));
    part.pixels.reserve(static_cast<std::size_t>(part.width) * static_cast<std::size_t>(part.height));
    for (int row = 0; row < part.height; ++row) {
        auto first = frame.pixels.begin() + static_cast<std::ptrdiff_t>(shot.y + row) * frame.width + shot.x;
        part.pixels.insert(part.pixels.end(), first, first + part.width);
    }
    return part;
}

bool ParseLine(const std::string& line, const std::string& scriptFolder, ScriptLine& out, std::string& why) {
    std::istringstream in(line);
    std::string first;
    if (!(in >> first)) return true;
    if (first == "answer") {
        if (!ReadNumber(in, out.answer) || out.answer < IDOK || out.answer > IDNO) {
            why = "answer needs a button id from 1 to 7";
            return false;
        }
        return true;
    }
    long long frame = -1;
    std::istringstream frameWord(first);
    if (!ReadNumber(frameWord, frame) || frame < 0) {
        why = "a line starts with a frame number or 'answer'";
        return false;
    }
    std::string verb;
    in >> verb;
    int value = -1;
    if (verb == "close") {
        out.events.push_back({frame, 0, WM_CLOSE, 0, 0, {}});
        return true;
    }
    if (verb == "joy" || verb == "joyoff") return ParseJoystick(in, verb, frame, out, why);
    if (verb == "lose") {
        out.events.push_back({frame, 0, 0, 0, 0, [] { g_lossDue.store(true); }});
        return true;
    }
    if (verb == "shot") {
        if (!ParseShot(in, frame, scriptFolder, out)) why = "'shot' needs a file";
        return why.empty();
    }
    if (verb == "shotarea") {
        if (!ParseShotArea(in, frame, scriptFolder, out)) why = "'shotarea' needs x, y, width, height and a file";
        return why.empty();
    }
    if (verb == "text") {
        std::string text;
        std::getline(in >> std::ws, text);
        for (WPARAM ch : platform::TypedCharacters(platform::Utf8ToCp932(text)))
            out.events.push_back({frame, 0, WM_CHAR, ch, 0, {}});
        return true;
    }
    if (verb == "click") {
        int x = -1;
        int y = -1;
        if (!ReadNumbers(in, x, y) || x < 0 || y < 0 || x > 0x7FFF || y > 0x7FFF) {
            why = "'click' needs a client point x y";
            return false;
        }
        auto point = static_cast<LPARAM>(x | (y << 16));
        out.events.push_back({frame, 0, WM_LBUTTONDOWN, 0, point, {}});
        out.events.push_back({frame + 1, 0, WM_LBUTTONUP, 0, point, {}});
        return true;
    }
    if (!ReadNumber(in, value)) {
        why = "'" + verb + "' needs a number";
        return false;
    }
    bool isKey = verb == "key" || verb == "keydown" || verb == "keyup";
    if (isKey && (value < 0 || value > 255)) {
        why = "key codes run from 0 to 255";
        return false;
    }
    auto vk = static_cast<WPARAM>(value);
    if (verb == "keydown" || verb == "key") out.events.push_back({frame, 0, WM_KEYDOWN, vk, 0, {}});
    if (verb == "keyup") out.events.push_back({frame, 0, WM_KEYUP, vk, 0, {}});
    if (verb == "key") out.events.push_back({frame + 1, 0, WM_KEYUP, vk, 0, {}});
    if (verb == "activate") out.events.push_back({frame, 0, WM_ACTIVATEAPP, value ? 1u : 0u, 0, {}});
    if (out.events.empty()) {
        why = "unknown command '" + verb + "'";
        return false;
    }
    return true;
}

}  // namespace

namespace platform {

namespace headless {
void SetFullScreenAvailable(bool available) { g_fullScreenAvailable.store(available); }

void SetDisplayLossHook(std::function<void()> hook) {
    std::lock_guard<std::mutex> lock(g_lossMutex);
    g_lossHook = std::move(hook);
}

void RunDueDisplayLoss() {
    if (!g_lossDue.exchange(false)) return;
    std::function<void()> hook;
    {
        std::lock_guard<std::mutex> lock(g_lossMutex);
        hook = g_lossHook;
    }
    if (hook) hook();
}
}  // namespace headless

std::unique_ptr<WindowBackend> MakeHeadlessWindowBackend() { return std::make_unique<HeadlessWindow>(); }

}  // namespace platform

namespace platform::headless {

void ScheduleWindowMessage(long long frame, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_schedule.push_back({frame, g_order++, msg, wParam, lParam, {}});
}

bool ScriptedInputPending() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return !g_schedule.empty();
}

void ClearSchedule() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_schedule.clear();
    g_shots.clear();
    g_taken.notify_all();
}

void AwaitDueInput(long long frame) {
    if (!VirtualClockOn()) return;
    // Long enough for a pump of a window thread starved by a loaded machine;
    // only reached when the window thread stops pumping without closing.
    constexpr auto kLongestWait = std::chrono::milliseconds(1000);
    // The wait is a gate every slice: a suspending window thread finds this
    // thread parked at once, and a stopped one unwinds.
    constexpr auto kSlice = std::chrono::milliseconds(2);
    const auto giveUp = std::chrono::steady_clock::now() + kLongestWait;
    std::unique_lock<std::mutex> lock(g_mutex);
    if (g_windowThread == std::this_thread::get_id()) return;
    for (;;) {
        if (!g_windowOpen || (!AnyDueLocked(frame) && !g_delivering)) return;
        if (std::chrono::steady_clock::now() >= giveUp) {
            lock.unlock();
            // The frame goes on without its input: the run may no longer
            // show what the script meant, and the report must say why.
            HostLog("headless: the scripted input due at frame " + std::to_string(frame) +
                    " was not taken within 1 s; the frame goes on without it");
            return;
        }
        g_taken.wait_for(lock, kSlice);
        lock.unlock();
        ThreadGate();
        lock.lock();
    }
}

void WriteDueShots(long long serial, const Frame& frame) {
    std::vector<Shot> due;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (g_shots.empty()) return;
        auto split =
            std::stable_partition(g_shots.begin(), g_shots.end(), [&](const Shot& s) { return s.frame > serial; });
        due.assign(split, g_shots.end());
        g_shots.erase(split, g_shots.end());
    }
    for (const Shot& shot : due) {
        const Frame picture = ShotPicture(shot, frame);
        if (picture.width == 0 || picture.height == 0 || !WritePng(shot.hostPath, picture))
            HostWarn("headless script: cannot write " + shot.hostPath);
    }
}

bool LoadInputScript(const std::string& hostPath, std::string* error) {
    std::ifstream file(hostPath, std::ios::binary);
    if (!file) {
        if (error) *error = hostPath + ": cannot be read";
        return false;
    }
    const std::size_t slash = hostPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : hostPath.substr(0, slash + 1);
    std::vector<ScriptLine> parsed;
    std::string line;
    int number = 0;
    // A script is small; a line longer than this is not one.
    constexpr std::size_t kMaxLine = 4096;
    while (std::getline(file, line)) {
        ++number;
        if (line.size() > kMaxLine) line.clear(), line = "#";
        auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        ScriptLine one;
        std::string why;
        if (!ParseLine(line, folder, one, why)) {
            if (error) *error = hostPath + ":" + std::to_string(number) + ": " + why;
            return false;
        }
        parsed.push_back(std::move(one));
    }
    for (const auto& one : parsed) {
        if (one.answer) QueueMessageBoxAnswer(one.answer);
        for (const auto& e : one.events) ScheduleEvent(e);
        std::lock_guard<std::mutex> lock(g_mutex);
        g_shots.insert(g_shots.end(), one.shots.begin(), one.shots.end());
    }
    return true;
}

}  // namespace platform::headless
