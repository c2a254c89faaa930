#pragma once

#include <QtGlobal>

namespace corvane::settings_dialog_texts {

inline constexpr const char* kCaption = "Setup";
inline constexpr const char* kHeader = "Preferences";
inline constexpr const char* kPortSettings = "Port Settings";
inline constexpr const char* kPortRange = "Value must be a number. [1..65535]";
inline constexpr const char* kDeleteRecord = "Delete record?";

// The first texts of the fields; FillFromSettings keeps them where the file has no value. The
// ones that describe what belongs in a field are shown in the user's language.
inline constexpr const char* kUDPPort = "514";
inline constexpr const char* kTCPPort = "601";
inline constexpr const char* kBinding = "127.0.0.1";
inline constexpr const char* kUpdateURLHint =
    QT_TRANSLATE_NOOP("corvane::TSettings", "Server used for updates");
inline constexpr const char* kEmailAddr1 = QT_TRANSLATE_NOOP("corvane::TSettings", "Email address to notify");
inline constexpr const char* kMailHost = QT_TRANSLATE_NOOP("corvane::TSettings", "Server used to send mail.");
inline constexpr const char* kUserName = QT_TRANSLATE_NOOP("corvane::TSettings", "Mail host login ID");
inline constexpr const char* kPort = "587";
inline constexpr const char* kPassword = "Password";
inline constexpr const char* kNotifyAddress = QT_TRANSLATE_NOOP("corvane::TSettings", "IP Address");
inline constexpr const char* kNotifyCondition = QT_TRANSLATE_NOOP("corvane::TSettings", "Text or Characters");
inline constexpr const char* kNotifyFacility = "System";
inline constexpr const char* kNotifySeverity = "Emergency";
inline constexpr const char* kKeepMessages = "2000000";
inline constexpr const char* kKeepDays = "0";

}  // namespace corvane::settings_dialog_texts
