#pragma once

namespace corvane::ui_texts {

// Texts the windows hand to the message dialog as they stand; the dialog translates them as
// core texts, so the list of core texts names them too.
inline constexpr const char* kCancel = "&Cancel";
inline constexpr const char* kHelpTitle = "Help";
inline constexpr const char* kLanguageTitle = "Language";
inline constexpr const char* kShutdownTitle = "Shutdown";
inline constexpr const char* kHelpPagesMissing = "The help pages were not found in %1.";
inline constexpr const char* kProgramFilesTitle = "Program Files";
// %1 is the library's path.
inline constexpr const char* kImageLibraryMissing =
    "The image library %1 was not found; the window is shown without its pictures.";

}  // namespace corvane::ui_texts
