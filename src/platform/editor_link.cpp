#include "platform/editor_link.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

#include "platform/text.h"

namespace platform {

std::string EditorSocketName(const std::string& editorClass, const std::string& editorTitle) {
    return std::string(1, '\0') + Cp932ToUtf8(editorClass) + "/" + Cp932ToUtf8(editorTitle);
}

bool SendEditorNotice(const std::string& editorClass, const std::string& editorTitle, DWORD dwData, int value,
                      std::uint64_t windowId) {
    std::string name = EditorSocketName(editorClass, editorTitle);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (name.size() > sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, name.data(), name.size());
    unsigned char packet[16];
    auto put = [&](int at, std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) packet[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    put(0, dwData, 4);
    put(4, static_cast<std::uint32_t>(value), 4);
    put(8, windowId, 8);
    int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    auto len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
    bool sent = sendto(fd, packet, sizeof packet, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&addr), len) ==
                static_cast<ssize_t>(sizeof packet);
    close(fd);
    return sent;
}

}  // namespace platform
