// The settings store on an arbitrary settings.ini in the target's own fake installation.
#include "fuzz/fuzzapplication.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/settingsanswers.h"

#include <cstdlib>

namespace {

bool within(int value, int minimum, int maximum)
{
    return value >= minimum && value <= maximum;
}

// A number outside its accepted range aborts.
QVector<int> checkedAnswers()
{
    const QVector<int> answers = settingsAnswers();
    if (!within(answers.at(21), 0x6000, 0x6666) || !within(answers.at(22), 0x7111, 0x7777)
        || !within(answers.at(23), 100, 10000))
        std::abort();
    return answers;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FakeInstallation::reset();
    if (!FakeInstallation::writeFile(QStringLiteral("settings/settings.ini"), bytesOf(data, size)))
        std::abort();
    const QVector<int> first = checkedAnswers();
    // The defaults written back must be what the next process is answered.
    delete gCSettingsSettings;
    gCSettingsSettings = nullptr;
    if (checkedAnswers() != first)
        std::abort();
    return 0;
}
