#include "platform/SoundPlayer.h"

#include <canberra.h>

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
    if (!m_failure.empty())
        return false;
    ca_context* ctx = nullptr;
    if (const int rc = ca_context_create(&ctx); rc != CA_SUCCESS || !ctx) {
        m_failure = ca_strerror(rc != CA_SUCCESS ? rc : CA_ERROR_OOM);
        return false;
    }
    ca_context_change_props(ctx, CA_PROP_APPLICATION_NAME, "Corvane", CA_PROP_APPLICATION_ID, "corvane",
                            nullptr);
    if (const int rc = ca_context_open(ctx); rc != CA_SUCCESS) {
        ca_context_destroy(ctx);
        m_failure = ca_strerror(rc);
        return false;
    }
    m_context = std::make_unique<Context>();
    m_context->ctx = ctx;
    return true;
}

void CanberraSoundPlayer::check(int result) {
    // A missing file or theme sound says nothing about the device; anything else does.
    if (result == CA_SUCCESS || result == CA_ERROR_NOTFOUND || result == CA_ERROR_CANCELED)
        return;
    m_failure = ca_strerror(result);
    ca_context_destroy(m_context->ctx);
    m_context.reset();
}

void CanberraSoundPlayer::playEvent(const std::string& eventId) {
    if (eventId.empty() || !ready())
        return;
    check(ca_context_play(m_context->ctx, 0, CA_PROP_EVENT_ID, eventId.c_str(), nullptr));
}

void CanberraSoundPlayer::playFile(const std::string& path) {
    if (path.empty() || !ready())
        return;
    check(ca_context_play(m_context->ctx, 0, CA_PROP_MEDIA_FILENAME, path.c_str(), nullptr));
}

}  // namespace corvane
