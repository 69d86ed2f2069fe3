#pragma once

#include <QtTest>

// Access refusals cannot be seen as root, where file permissions do not bind.
// A test that needs them starts with RUN_AS_UNPRIVILEGED_USER(): as root it
// runs the same test function (and data row) again in a child process as the
// user "nobody" and passes when the child passes; as any other user it goes on.
namespace TestSupport {

bool isRoot();

// Makes the test's fake installation writable for everybody, runs the current
// test function as "nobody" and returns the child's exit code (its output is
// printed on failure). A build tree below a directory closed to "nobody"
// (/root) is shown to it at its own path through a private mount namespace;
// where none can be made, one line says so and the result is 1.
int runCurrentTestAsNobody();

// Whether this process is such a re-run child.
bool isRerun();

// Runs the current test function and data row again in a private mount
// namespace after `setup` (shell commands as root, $$ the child's process id).
int rerunCurrentTestAfter(QString const &setup);

} // namespace TestSupport

#define RUN_AS_UNPRIVILEGED_USER()                                   \
    do {                                                             \
        if (TestSupport::isRoot()) {                                 \
            QCOMPARE(TestSupport::runCurrentTestAsNobody(), 0);      \
            return;                                                  \
        }                                                            \
    } while (false)
