#pragma once

#include <string>

namespace corvane {

// The kinds of message dialog, by the picture and sound each one has. The user interface maps
// them to its own dialog kinds; the values are those the settings and the sound table know.
enum DialogKind : int { dkPlain = 0, dkError = 16, dkQuestion = 32, dkWarning = 48, dkInformation = 64 };

// How the core shows an error, warning or notice without knowing the user interface. The user
// interface implements it with the program's message dialog; tests record the calls.
// `kind` is a DialogKind. The answer is 1 (OK) or 2 (Cancel). Texts are 8-bit as the core keeps
// them.
class MessageDialogs {
public:
    virtual ~MessageDialogs() = default;
    virtual int show(const std::string& message, const std::string& title, int kind,
                     const std::string& detail = {}) = 0;
};

}  // namespace corvane
