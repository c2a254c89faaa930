#pragma once

// The store's own texts, shown to the operator as they stand.
namespace corvane::storetexts {

inline constexpr const char* kInitializeData = "Initialize Data";

inline constexpr const char* kNoFilterCompiler = "Filter expressions are not available";
inline constexpr const char* kFieldNotFound = "Field '%s' not found";
inline constexpr const char* kTableNotOpen = "%s: Cannot perform this operation on a closed dataset";
inline constexpr const char* kNoCurrentRecord = "%s: Cannot perform this operation on an empty dataset";
inline constexpr const char* kNotEditing = "%s: Dataset not in edit or insert mode";
inline constexpr const char* kFieldReadOnly = "Field '%s' cannot be modified";
inline constexpr const char* kLookupNotFound = "'%s' is not a valid value for field '%s'";

inline constexpr const char* kCannotOpenFile = "Cannot open file \"%s\". %s";
inline constexpr const char* kCannotWriteFile = "Cannot write file \"%s\". %s";
inline constexpr const char* kFileMovedAside =
    "The data file \"%s\" could not be loaded (%s). It was kept as \"%s\" and an empty table was started.";
inline constexpr const char* kLookupFilledAfterError =
    "The data file \"%s\" could not be loaded (%s). The built-in names were filled in.";
inline constexpr const char* kLookupMovedAside =
    "The data file \"%s\" could not be loaded (%s). It was kept as \"%s\" and the built-in names were filled "
    "in.";

inline constexpr const char* kFolderInUse =
    "The data folder \"%s\" is in use by Corvane process %s. Only one Corvane at a time can keep its "
    "messages there: close that one first, or start this one with another data folder.";
inline constexpr const char* kFolderInUseUnknown =
    "The data folder \"%s\" is in use by another Corvane. Only one Corvane at a time can keep its "
    "messages there: close that one first, or start this one with another data folder.";

inline constexpr const char* kJournalForeign =
    "The journal \"%s\" does not belong to the data file beside it. It was not applied and was kept as "
    "\"%s\".";
inline constexpr const char* kJournalDamaged =
    "The journal \"%s\" is damaged after its first %s changes, which were applied. It was kept as \"%s\".";
inline constexpr const char* kJournalUnreadable =
    "The journal \"%s\" could not be read (%s). It was not applied and was kept as \"%s\".";

inline constexpr const char* kEmptyFile = "The file is empty";
inline constexpr const char* kNotAPacket = "The file is not a data packet";
inline constexpr const char* kTruncated = "The data packet is cut off";
inline constexpr const char* kBadStructure = "The data packet is malformed: %s";
inline constexpr const char* kBadValue = "Invalid value \"%s\" for field '%s'";
inline constexpr const char* kBinaryRows =
    "Records of the binary data packet form cannot be read; save the table in the XML form";

}  // namespace corvane::storetexts
