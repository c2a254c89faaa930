#include "ui/SoundPlayer.h"

#include <canberra.h>

#include <utility>

namespace corvane {

struct CanberraSoundPlayer::Context {
    ca_context* ctx = nullptr;
};

CanberraSoundPlayer::CanberraSoundPlayer() = default;

CanberraSoundPlayer::~CanberraSoundPlayer() {
    if (m_context && m_context->ctx)
        ca_context_destroy(m_context->ctx);
}

bool CanberraSoundPlayer::ready() {
    if (m_context)
        return true;
    if (m_failed)
        return false;
    ca_context* ctx = nullptr;
    if (ca_context_create(&ctx) != CA_SUCCESS || !ctx) {
        m_failed = true;
        return false;
    }
    ca_context_change_props(ctx, CA_PROP_APPLICATION_NAME, "Corvane", CA_PROP_APPLICATION_ID, "corvane",
                            nullptr);
    if (ca_context_open(ctx) != CA_SUCCESS) {
        ca_context_destroy(ctx);
        m_failed = true;
        return false;
    }
    m_context = std::make_unique<Context>();
    m_context->ctx = ctx;
    return true;
}

void CanberraSoundPlayer::playEvent(const std::string& eventId) {
    if (eventId.empty() || !ready())
        return;
    ca_context_play(m_context->ctx, 0, CA_PROP_EVENT_ID, eventId.c_str(), nullptr);
}

void CanberraSoundPlayer::playFile(const std::string& path) {
    if (path.empty() || !ready())
        return;
    ca_context_play(m_context->ctx, 0, CA_PROP_MEDIA_FILENAME, path.c_str(), nullptr);
}

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
