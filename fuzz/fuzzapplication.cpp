// The library finds its installation through the application's path: every
// target runs inside one application object, made before the first input.
#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}
