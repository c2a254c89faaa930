#pragma once

#include <memory>
#include <string>

namespace corvane {

// Plays sounds in the background. For a sound the desktop theme does not have it stays silent;
// without a working sound device it stays silent too and failure() tells why.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // One of the desktop theme's event sounds ("dialog-error", "message", ...).
    virtual void playEvent(const std::string& eventId) = 0;
    // A sound file such as Warning.wav.
    virtual void playFile(const std::string& path) = 0;
    // Why sounds cannot play; empty while they can.
    virtual std::string failure() const { return {}; }
};

// The desktop's sound service (libcanberra); the connection is made on first use. When a sound
// cannot play for want of a working sound device or service, every later request is skipped at
// once: without a device the program is silent instead of trying (and having the sound system
// complain on standard error) for every message. A sound the theme or the disk does not have is
// no such failure.
class CanberraSoundPlayer : public SoundPlayer {
public:
    CanberraSoundPlayer();
    ~CanberraSoundPlayer() override;
    CanberraSoundPlayer(const CanberraSoundPlayer&) = delete;
    CanberraSoundPlayer& operator=(const CanberraSoundPlayer&) = delete;

    void playEvent(const std::string& eventId) override;
    void playFile(const std::string& path) override;
    std::string failure() const override { return m_failure; }

private:
    struct Context;
    bool ready();
    void check(int result);
    std::unique_ptr<Context> m_context;
    std::string m_failure;
};

}  // namespace corvane
