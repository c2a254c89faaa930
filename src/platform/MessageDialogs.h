#pragma once

#include <string>

namespace corvane {

// How the core shows an error, warning or notice without knowing the user interface. The user
// interface implements it with the program's message dialog; tests record the calls.
// Kinds: 0 plain, 16 error, 32 question, 48 warning, 64 information. The answer is 1 (OK) or
// 2 (Cancel). Texts are 8-bit as the core keeps them.
class MessageDialogs {
public:
    virtual ~MessageDialogs() = default;
    virtual int show(const std::string& message, const std::string& title, int kind,
                     const std::string& detail = {}) = 0;
};

}  // namespace corvane
