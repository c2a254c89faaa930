#pragma once

#include "filter/LocaleFormats.h"

namespace corvane {

// The system locale's short date, long time and decimal separator as the core reads them.
LocaleFormats systemLocaleFormats();

}  // namespace corvane
