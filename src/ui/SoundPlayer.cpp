#include "ui/SoundPlayer.h"

#include <utility>

namespace corvane {

std::string ReadEventSound(const std::string& name) {
    static const std::pair<const char*, const char*> kEvents[] = {
        {"SystemHand\\.Current", "dialog-error"},           {"SystemExclamation\\.Current", "dialog-warning"},
        {"SystemAsterisk\\.Current", "dialog-information"}, {"SystemQuestion\\.Current", "dialog-question"},
        {"SystemNotification\\.Current", "message"},
    };
    for (const auto& [event, id] : kEvents)
        if (name == event)
            return id;
    return {};
}

namespace {
SystemSoundTable& table() {
    static SystemSoundTable sounds;
    return sounds;
}
}  // namespace

void LoadSystemSounds() {
    SystemSoundTable& t = table();
    t[0] = ReadEventSound("SystemNotification\\.Current");
    t[1] = t[0];
    t[2] = t[0];
    t[3] = ReadEventSound("SystemHand\\.Current");
    t[4] = ReadEventSound("SystemAsterisk\\.Current");
    t[5] = ReadEventSound("SystemQuestion\\.Current");
    t[6] = ReadEventSound("SystemExclamation\\.Current");
}

const SystemSoundTable& systemSounds() {
    return table();
}

int soundSlotForKind(int kind) {
    // The error kind plays the exclamation slot and the warning kind the hand slot.
    switch (kind) {
        case 0:
            return 2;
        case 16:
            return 6;
        case 32:
            return 5;
        case 48:
            return 3;
        case 64:
            return 4;
        default:
            return 0;
    }
}

SoundPlayer& defaultSoundPlayer() {
    static CanberraSoundPlayer player;
    return player;
}

}  // namespace corvane
