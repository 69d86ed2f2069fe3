// The settings store on an arbitrary settings.ini in the target's own fake installation.
#include "fuzz/fuzzapplication.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/settingsanswers.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FakeInstallation::reset();
    if (!FakeInstallation::writeFile(QStringLiteral("settings/settings.ini"), bytesOf(data, size))
        || !settingsAnswersHold())
        std::abort();
    return 0;
}
