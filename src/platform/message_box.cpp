#include "platform/message_box.h"

#include <deque>
#include <mutex>

#include "platform/dialog_internal.h"
#include "platform/host_log.h"
#include "platform/text.h"

namespace {

std::mutex g_mutex;
platform::MessageBoxHandler g_handler;
platform::MessageBoxHandler g_inWindow;
std::deque<int> g_answers;
std::vector<platform::MessageBoxRecord> g_records;

int DefaultAnswer(UINT type) {
    if ((type & MB_DEFMASK) == MB_DEFBUTTON2) return (type & MB_TYPEMASK) == MB_OKCANCEL ? IDCANCEL : IDNO;
    switch (type & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL: return IDYES;
        default: return IDOK;
    }
}

const char* AnswerName(int answer) {
    switch (answer) {
        case IDOK: return "OK";
        case IDCANCEL: return "Cancel";
        case IDYES: return "Yes";
        case IDNO: return "No";
        default: return "none";
    }
}

// One report line per box: its line breaks become " / ".
std::string OneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\r' || text[i] == '\n') {
            out += " / ";
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

namespace {

// The box is the active window while it is shown.
class ActiveBox {
public:
    ActiveBox() : m_box(platform::detail::BeginMessageBoxWindow()) {}
    ~ActiveBox() { platform::detail::EndMessageBoxWindow(m_box); }
    ActiveBox(const ActiveBox&) = delete;
    ActiveBox& operator=(const ActiveBox&) = delete;

private:
    HWND m_box;
};

}  // namespace

int MessageBoxA(HWND, const std::string& text, const std::string& caption, UINT type) {
    platform::MessageBoxRecord rec{text, caption, type};
    ActiveBox active;
    platform::MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        handler = g_handler;
    }
    if (handler) { return handler(rec); }
    int answer = platform::DefaultMessageBoxAnswer(type);
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_records.push_back(rec);
        if (!g_answers.empty()) {
            answer = g_answers.front();
            g_answers.pop_front();
        }
    }
    return platform::ReportUnshownMessageBox(rec, answer);
}

namespace platform {

int ReportUnshownMessageBox(const MessageBoxRecord& box, int answer) {
    HostWarn("message box not shown: [" + Cp932ToUtf8(OneLine(box.caption)) + "] " + Cp932ToUtf8(OneLine(box.text)) +
             " -> " + AnswerName(answer));
    return answer;
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_handler = std::move(handler);
}

int DefaultMessageBoxAnswer(UINT type) { return DefaultAnswer(type); }

void SetInWindowMessageBox(MessageBoxHandler box) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_inWindow = std::move(box);
}

int ShowInWindowMessageBox(const MessageBoxRecord& box) {
    MessageBoxHandler inWindow;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        inWindow = g_inWindow;
    }
    if (!inWindow || !detail::LiveMainWindow() || !detail::OnMainWindowThread()) return 0;
    return inWindow(box);
}

void QueueMessageBoxAnswer(int answer) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_answers.push_back(answer);
}

std::vector<MessageBoxRecord> RecordedMessageBoxes() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_records;
}

void ClearMessageBoxes() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_records.clear();
    g_answers.clear();
}

}  // namespace platform
