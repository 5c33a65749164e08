#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTextStream>
#include <QTimer>

// Ends the application once the window it watches has painted for the first
// time: a measured start-up lasts until the first picture of the window.
class QuitAfterPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

// Prints this process's peak resident memory ("VmHWM: 38012 kB") for
// lexa-bench. The rusage of a child would not do: it also counts the memory of
// the benchmark process that forked it.
inline void printPeakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:")) {
                QTextStream(stdout) << line << Qt::endl;
            }
        }
    }
}
