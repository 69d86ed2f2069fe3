// Run by a throw-away user in a copied installation: prints the secrecy level
// it gets and what the settings store answers, and logs one line.
#include "common/globalpaths.h"
#include "common/logger.h"
#include "tests/support/settingsanswers.h"

#include <QCoreApplication>
#include <QStringList>

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
    return 0;
}
