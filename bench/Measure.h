#pragma once

#include <QList>
#include <QString>
#include <functional>

// Timing, process runs and the look of the figures in the table.
namespace Measure {

// Prints `message` and ends the benchmark with a failure.
[[noreturn]] void fail(const QString& message);

double median(QList<double> values);
// The time `step` takes.
double elapsedMs(const std::function<void()>& step);
// The median time of `runs` runs of `step`, each after an untimed `prepare`.
double medianMs(int runs, const std::function<void()>& step,
                const std::function<void()>& prepare = {});

struct ProcessRun
{
    double ms = 0;
    double peakMiB = 0;
};
// Runs `program` in `folder` to its end: its wall time and the peak resident
// memory it prints. Fails the benchmark unless the program ends with 0.
ProcessRun runProcess(const QString& program, const QString& folder);

// "187 ms", "2.4 ms", "0.085 ms": three significant digits at most.
QString ms(double value);
// "32,767"
QString count(qsizetype value);

} // namespace Measure
