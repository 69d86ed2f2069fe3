// Saves self-checking contents to one file with Global::safeSaving:
//   crashkill_saver FILE once|loop SEED
// "loop" saves until it is killed and says "saved" after its first save.
#include "common/globalsaving.h"
#include "savedcontent.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 4)
        return 2;
    const QString file = arguments.at(1);
    const bool loop = arguments.at(2) == QLatin1String("loop");
    QRandomGenerator random(arguments.at(3).toUInt());

    for (bool first = true;; first = false) {
        const QString error = Global::safeSaving(file, SavedContent::make(random));
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
            return 1;
        }
        if (!loop)
            return 0;
        if (first) {
            std::puts("saved");
            std::fflush(stdout);
        }
    }
}
