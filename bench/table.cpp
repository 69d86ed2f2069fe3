#include "table.h"

#include <QFile>
#include <QStringList>

#include <cmath>
#include <cstdio>

namespace Bench {

namespace {

struct Row {
    QString what, figure, floor, ratio, goal, met;
};

std::vector<Row> rows;
QStringList notes;

} // namespace

namespace {

QString ratioText(double ratio)
{
    return std::isnan(ratio) ? QStringLiteral("-") : QString::asprintf("%.2fx", ratio);
}

} // namespace

void addRow(QString const &what, QString const &figure, QString const &floor, double ratio, QString const &goal,
            bool met)
{
    rows.push_back({what, figure, floor, ratioText(ratio), goal, met ? QStringLiteral("met") : QStringLiteral("MISSED")});
}

void addRowWithoutGoal(QString const &what, QString const &figure, QString const &floor, double ratio, bool right)
{
    rows.push_back({what, figure, floor, ratioText(ratio), QStringLiteral("-"), right ? QStringLiteral("-") : QStringLiteral("WRONG")});
}

void addNote(QString const &note)
{
    notes << note;
}

QString duration(double us)
{
    if (us >= 1000)
        return QString::asprintf("%.1f ms", us / 1000);
    if (us >= 10)
        return QString::asprintf("%.1f us", us);
    if (us >= 1)
        return QString::asprintf("%.2f us", us);
    return QString::asprintf("%.0f ns", us * 1000);
}

void printTable()
{
    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    loadAverage.open(QIODevice::ReadOnly);
    notes << QStringLiteral("Load average of the machine at the end (1, 5, 15 min): %1.")
                 .arg(QString::fromLatin1(loadAverage.readAll().split(' ').mid(0, 3).join(", ")));
    std::printf("| benchmark | figure (median) | floor or peer | ratio | goal | met |\n|---|---|---|---|---|---|\n");
    for (const Row &row : rows) {
        std::printf("| %s | %s | %s | %s | %s | %s |\n", qUtf8Printable(row.what), qUtf8Printable(row.figure),
                    qUtf8Printable(row.floor), qUtf8Printable(row.ratio), qUtf8Printable(row.goal),
                    qUtf8Printable(row.met));
    }
    std::printf("\n");
    for (const QString &note : qAsConst(notes))
        std::printf("- %s\n", qUtf8Printable(note));
}

} // namespace Bench
