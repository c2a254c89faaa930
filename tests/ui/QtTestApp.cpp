#include "widgets/QtTestApp.h"

namespace {
[[maybe_unused]] auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new corvane::test::QtAppEnvironment);
}
