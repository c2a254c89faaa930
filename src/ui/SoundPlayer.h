#pragma once

#include "platform/SoundPlayer.h"

#include <array>
#include <memory>
#include <string>

namespace corvane {

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
