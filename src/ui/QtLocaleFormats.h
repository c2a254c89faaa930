#pragma once

#include "filter/LocaleFormats.h"

class QLocale;

namespace corvane {

// A locale's short date, long time and decimal separator as the core reads them. Times here are
// local, so a time-zone part of the long time goes, with the brackets and blanks around it.
LocaleFormats localeFormats(const QLocale& locale);

// The same for the system locale.
LocaleFormats systemLocaleFormats();

}  // namespace corvane
