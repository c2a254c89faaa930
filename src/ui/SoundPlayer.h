#pragma once

#include <array>
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

// The sound of a system event of the sound scheme, e.g. "SystemHand\.Current", as the event
// id of the desktop theme; empty for an event without a sound.
std::string ReadEventSound(const std::string& name);

// Seven sound slots, filled once at start: 0-2 SystemNotification, 3 SystemHand,
// 4 SystemAsterisk, 5 SystemQuestion, 6 SystemExclamation. An empty slot plays nothing.
using SystemSoundTable = std::array<std::string, 7>;

// Fills the program's table; runs once at start, before any window exists.
void LoadSystemSounds();
const SystemSoundTable& systemSounds();

// The sound slot of a message dialog kind (an unknown kind has slot 0).
int soundSlotForKind(int kind);

// The player the program uses unless one is injected.
SoundPlayer& defaultSoundPlayer();

}  // namespace corvane
