#pragma once

// The bench's one table: each row is a figure against its floor (the same work
// done the plainest way, or a peer), their ratio, the goal and whether it was met.

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <array>
#include <vector>

namespace Bench {

// A ratio of NaN prints as "-" (the row's figure is not a time).
void addRow(QString const &what, QString const &figure, QString const &floor, double ratio, QString const &goal,
            bool met);
// A figure shown for scale only: "-" for goal and met, or WRONG if the work went wrong.
void addRowWithoutGoal(QString const &what, QString const &figure, QString const &floor, double ratio, bool right);
void addNote(QString const &note);
void printTable();

QString duration(double microseconds);

inline double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

template <typename Work>
double microsecondsPerCall(int batch, const Work &work)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < batch; ++i)
        work();
    return timer.nsecsElapsed() / 1000.0 / batch;
}

// Median microseconds per call of each work; every round times a batch of
// each, one after the other. Batches are kept short, so that most of them
// run without being preempted by the machine's other work.
template <typename... Works>
std::array<double, sizeof...(Works)> medians(int rounds, int batch, Works... works)
{
    std::array<std::vector<double>, sizeof...(Works)> samples;
    (works(), ...);
    for (int round = 0; round < rounds; ++round) {
        std::size_t i = 0;
        (samples[i++].push_back(microsecondsPerCall(batch, works)), ...);
    }
    std::array<double, sizeof...(Works)> result;
    for (std::size_t i = 0; i < samples.size(); ++i)
        result[i] = median(samples[i]);
    return result;
}

// The subjects, one source file each.
void benchLogger();
void benchRecords();
void benchPages();
void benchFiles();
void benchStartUp();

} // namespace Bench
