#pragma once

#include <QtTest>

#include <unistd.h>

// Access refusals cannot be seen as root, where file permissions do not bind.
// A test that needs them starts with RUN_AS_UNPRIVILEGED_USER(): as root it
// runs the same test function (and data row) again in a child process as the
// user "nobody" and passes when the child passes; as any other user it goes on.
namespace TestSupport {

inline bool isRoot() { return geteuid() == 0; }

// Whether this process is such a re-run child.
inline bool isRerun() { return qEnvironmentVariableIsSet("COMCHANNEL_TEST_RERUN"); }

// Runs the current test function and data row again in a child, under `wrapper` and after
// `setup` (shell commands as root, $$ the child) in a private mount namespace; returns the
// child's exit code and prints its output on failure.
int rerunCurrentTest(QString const &setup, QStringList wrapper = {});

// Runs the current test as "nobody" in its fake installation opened to everybody. A build tree
// below a directory closed to "nobody" (/root) is shown to it through a private mount namespace.
int runCurrentTestAsNobody();

} // namespace TestSupport

#define RUN_AS_UNPRIVILEGED_USER()                                   \
    do {                                                             \
        if (TestSupport::isRoot()) {                                 \
            QCOMPARE(TestSupport::runCurrentTestAsNobody(), 0);      \
            return;                                                  \
        }                                                            \
    } while (false)
