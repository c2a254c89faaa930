#include "net/ReceiveLoop.h"

#include "net/NetTexts.h"
#include "protocol/Placeholders.h"
#include "net/Socket.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

namespace corvane {

ReceiveLoop::~ReceiveLoop() {
    stop();
    if (m_stopFd >= 0)
        ::close(m_stopFd);
}

bool ReceiveLoop::start(std::string& error) {
    m_stopFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_stopFd < 0) {
        error = fillIn(net_texts::kSocketFailed, std::strerror(errno));
        return false;
    }
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error& e) {
        error = fillIn(net_texts::kSocketFailed, e.what());
        return false;
    }
    return true;
}

void ReceiveLoop::stop() {
    m_stopping.store(true);
    if (m_stopFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] auto n = ::write(m_stopFd, &one, sizeof one);
    }
    if (m_thread.joinable() && std::this_thread::get_id() != m_thread.get_id())
        m_thread.join();
}

}  // namespace corvane
