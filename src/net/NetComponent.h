#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// The common ground of the listener's parts: a name and a free tag, and the identity that
// events pass as their sender.
class TnComponent {
public:
    TnComponent() = default;
    virtual ~TnComponent() = default;
    TnComponent(const TnComponent&) = delete;
    TnComponent& operator=(const TnComponent&) = delete;

    std::string Name;
    std::intptr_t Tag = 0;
};

}  // namespace corvane
