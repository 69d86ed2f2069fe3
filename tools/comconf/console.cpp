#include "console.h"

#include <QTextStream>

#include <cstdio>

namespace {

struct Utf8Stream : QTextStream {
    explicit Utf8Stream(FILE *file) : QTextStream(file) { setCodec("UTF-8"); }
};

} // namespace

void printLine(const QString &line)
{
    static Utf8Stream out(stdout);
    out << line << Qt::endl;
}

void printErrorLine(const QString &line)
{
    static Utf8Stream err(stderr);
    err << line << Qt::endl;
}
