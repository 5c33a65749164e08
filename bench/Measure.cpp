#include "Measure.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace Measure {

void fail(const QString& message)
{
    QTextStream(stderr) << "lexa-bench: " << message << Qt::endl;
    std::exit(1);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double elapsedMs(const std::function<void()>& step)
{
    QElapsedTimer clock;
    clock.start();
    step();
    return double(clock.nsecsElapsed()) / 1e6;
}

double medianMs(int runs, const std::function<void()>& step, const std::function<void()>& prepare)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare) {
            prepare();
        }
        times.append(elapsedMs(step));
    }
    return median(times);
}

ProcessRun runProcess(const QString& program, const QString& folder)
{
    const QByteArray path = QFile::encodeName(program);
    const QByteArray directory = QFile::encodeName(folder);
    int output[2];
    if (pipe(output) != 0) {
        fail(QStringLiteral("no pipe for ") + program);
    }
    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        if (chdir(directory.constData()) == 0) {
            execl(path.constData(), path.constData(), static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    close(output[1]);
    int status = 0;
    const bool ended = pid > 0 && waitpid(pid, &status, 0) == pid;
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    QFile printed;
    printed.open(output[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray text = printed.readAll();
    const qsizetype peak = text.indexOf("VmHWM:");
    if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || peak < 0) {
        fail(QStringLiteral("%1 in %2 did not end cleanly").arg(program, folder));
    }
    // "VmHWM:     38012 kB"
    const QByteArray kib = text.mid(peak + 6, text.indexOf('k', peak) - peak - 6).trimmed();
    return {ms, kib.toDouble() / 1024};
}

QString ms(double value)
{
    const int decimals = value >= 100 ? 0 : value >= 10 ? 1 : value >= 1 ? 2 : 3;
    return QString::number(value, 'f', decimals) + QStringLiteral(" ms");
}

QString count(qsizetype value)
{
    QString digits = QString::number(value);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3) {
        digits.insert(i, u',');
    }
    return digits;
}

} // namespace Measure
