// Run by a throw-away user in a copied installation: prints the secrecy level it gets
// and what the settings store answers, logs one line and tries to store a value.
#include "common/globalpaths.h"
#include "common/logger.h"
#include "tests/support/settingsanswers.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    std::printf("level %d\n", Global::currentSecrecy());
    debug(QStringLiteral("Probe"), QStringLiteral("probe line"));
    QStringList answers;
    for (int answer : settingsAnswers())
        answers << QString::number(answer);
    std::printf("answers %s\n", qPrintable(answers.join(QLatin1Char(' '))));
    CSettings().write(QStringLiteral("Debug/journals"), false);
    return 0;
}
