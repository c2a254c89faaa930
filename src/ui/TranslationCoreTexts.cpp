#include "ui/TranslationCoreTexts.h"

#include "store/StoreTexts.h"
#include "app/AppTexts.h"
#include "app/ExchangeTexts.h"
#include "app/SettingsTexts.h"
#include "app/UpdateTexts.h"
#include "filter/FilterTexts.h"
#include "net/NetTexts.h"
#include "platform/HttpTexts.h"
#include "platform/PlatformTexts.h"
#include "ui/ApplicationEvents.h"
#include "ui/SettingsDialogTexts.h"
#include "ui/UiTexts.h"

#include <string_view>

namespace corvane {
namespace {

// The filter texts are views of literals, so their data ends with the literal's terminator.
const char* literal(std::string_view text) {
    return text.data();
}

}  // namespace

const std::vector<const char*>& coreTexts() {
    static const std::vector<const char*> texts = {
        app_texts::kUpdateHost,
        app_texts::kSaveData,
        app_texts::kSaveFailed,
        exchange_texts::kCreateFailed,
        exchange_texts::kWriteFailed,
        exchange_texts::kOpenFailed,
        exchange_texts::kReadFailed,
        exchange_texts::kNoSuchColumn,
        exchange_texts::kNotOpen,
        app_texts::kMailTitle,
        app_texts::kMailFailed,
        app_texts::kMailRetried,
        app_texts::kMailNoRecipient,
        app_texts::kMailNoServer,
        app_texts::kMailBadPort,
        settings_texts::kSettingsTitle,
        settings_texts::kReadFailed,
        settings_texts::kTooLarge,
        settings_texts::kWriteFailed,
        update_texts::kGetDataTitle,
        update_texts::kGetDataMessage,
        update_texts::kHostUnresolved,
        update_texts::kUpdateCheckTitle,
        update_texts::kFolderFailed,
        update_texts::kFileFailed,
        literal(filter_texts::kIncorrectlyTerminated),
        literal(filter_texts::kUnterminatedField),
        literal(filter_texts::kUnterminatedString),
        literal(filter_texts::kInvalidCharacter),
        literal(filter_texts::kLeftParenExpected),
        literal(filter_texts::kRightParenExpected),
        literal(filter_texts::kParenOrCommaExpected),
        literal(filter_texts::kExpressionExpected),
        literal(filter_texts::kFieldNotFound),
        literal(filter_texts::kFieldNotUsable),
        literal(filter_texts::kNullOnlyWithEquals),
        literal(filter_texts::kEmptyInList),
        literal(filter_texts::kInvalidKeywordUse),
        literal(filter_texts::kTypeMismatch),
        literal(filter_texts::kNotACondition),
        literal(filter_texts::kAggregateNotAllowed),
        literal(filter_texts::kAggregateMixed),
        literal(filter_texts::kConstantOutOfRange),
        literal(filter_texts::kConstantWrongType),
        literal(filter_texts::kNotAnInteger),
        literal(filter_texts::kNotADateTime),
        literal(filter_texts::kNothing),
        net_texts::kBindInUse,
        net_texts::kBindPrivileged,
        net_texts::kBindNoSuchAddress,
        net_texts::kBindBadAddress,
        net_texts::kBindBadPort,
        net_texts::kBindFailed,
        net_texts::kSocketFailed,
        net_texts::kReceiveFailed,
        net_texts::kTcpFramingError,
        net_texts::kTcpNoQueue,
        net_texts::kTcpListenFailed,
        net_texts::kTcpListenFailedTitle,
        http_texts::kBodyTooLarge,
        http_texts::kBodyNotStored,
        http_texts::kErrorStatus,
        platform_texts::kNotificationExecute,
        platform_texts::kOpenFileFailed,
        platform_texts::kNotificationSound,
        platform_texts::kSoundFailed,
        storetexts::kInitializeData,
        storetexts::kNoFilterCompiler,
        storetexts::kTableNotOpen,
        storetexts::kNoCurrentRecord,
        storetexts::kNotEditing,
        storetexts::kFieldReadOnly,
        storetexts::kLookupNotFound,
        storetexts::kCannotOpenFile,
        storetexts::kCannotWriteFile,
        storetexts::kFileMovedAside,
        storetexts::kLookupFilledAfterError,
        storetexts::kLookupMovedAside,
        storetexts::kFolderInUse,
        storetexts::kFolderInUseUnknown,
        storetexts::kJournalForeign,
        storetexts::kJournalDamaged,
        storetexts::kJournalUnreadable,
        storetexts::kEmptyFile,
        storetexts::kNotAPacket,
        storetexts::kTruncated,
        storetexts::kBadStructure,
        storetexts::kBadValue,
        storetexts::kBinaryRows,
        kUnknownComponent,
        kUnknownException,
        settings_dialog_texts::kCaption,
        settings_dialog_texts::kHeader,
        settings_dialog_texts::kPortSettings,
        settings_dialog_texts::kPortRange,
        settings_dialog_texts::kDeleteRecord,
        // Texts the windows hand to the message dialog as they stand.
        ui_texts::kCancel,
        ui_texts::kHelpTitle,
        ui_texts::kLanguageTitle,
        ui_texts::kShutdownTitle,
        ui_texts::kHelpPagesMissing,
        ui_texts::kProgramFilesTitle,
        ui_texts::kImageLibraryMissing,
    };
    return texts;
}

}  // namespace corvane
