#pragma once

#include <memory>
#include <string>

namespace corvane {

// Plays sounds in the background. Nothing here ever reports a failure: without a sound device,
// or for a sound the desktop theme does not have, it stays silent.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // One of the desktop theme's event sounds ("dialog-error", "message", ...).
    virtual void playEvent(const std::string& eventId) = 0;
    // A sound file such as Warning.wav.
    virtual void playFile(const std::string& path) = 0;
};

// The desktop's sound service; the connection is made on first use.
class CanberraSoundPlayer : public SoundPlayer {
public:
    CanberraSoundPlayer();
    ~CanberraSoundPlayer() override;
    CanberraSoundPlayer(const CanberraSoundPlayer&) = delete;
    CanberraSoundPlayer& operator=(const CanberraSoundPlayer&) = delete;

    void playEvent(const std::string& eventId) override;
    void playFile(const std::string& path) override;

private:
    struct Context;
    bool ready();
    std::unique_ptr<Context> m_context;
    bool m_failed = false;
};

}  // namespace corvane
