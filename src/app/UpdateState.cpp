#include "app/UpdateState.h"

#include "app/Settings.h"
#include "app/UpdateTexts.h"

namespace corvane {

void readUpdateSettings(UpdateState& state, const Settings& settings) {
    state.updateCheck = settings.readBool(Settings::kOptions, update_texts::kKeyUpdateCheck, true);
    state.updateUrl = settings.readString(Settings::kOptions, update_texts::kKeyUpdateUrl, "");
}

}  // namespace corvane
