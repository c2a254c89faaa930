#pragma once

#include "net/Binding.h"
#include "net/NetComponent.h"
#include "net/SyslogEvents.h"

namespace corvane {

// The TCP side of the listener: a port and a binding list kept as settings. Nothing opens it
// and it has no connection handler; syslog arrives over UDP only.
class TnTCPSyslogServer : public TnComponent {
public:
    static constexpr int kDefaultPort = 601;

    BindingList& Bindings() { return m_bindings; }
    const BindingList& Bindings() const { return m_bindings; }
    void SetBindings(const BindingList& list) { m_bindings = list; }
    int DefaultPort() const { return m_bindings.DefaultPort(); }
    void SetDefaultPort(int port) { m_bindings.SetDefaultPort(port); }
    bool Active() const { return m_active; }
    void Close() { m_active = false; }

    TLogMessageEvent OnMessage;

    virtual void DoMessage(TnComponent* sender, TnSyslogMessage* aData, Binding* aBinding)
    {
        if (OnMessage && aData)
            OnMessage(sender, aData, aBinding);
    }

private:
    BindingList m_bindings{kDefaultPort};
    bool m_active = false;
};

}  // namespace corvane
