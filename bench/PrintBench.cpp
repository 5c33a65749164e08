// lexa-bench-print FOLDER...: word cards of every word of each dictionary
// folder (made with lexa-makedemo --words N --icons) as a PDF; prints the
// median time of three runs, the peak memory so far, the file's size and its
// image objects (each picture with its transparency mask). Folders from
// small to large show whether memory follows the number of cards.
#include "widgets/PrintLayout.h"
#include "widgets/PrintWords.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <sys/resource.h>

namespace {

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    const QTemporaryDir dir;
    const QString pdf = dir.filePath("cards.pdf");
    out << "cards  pages   median ms   peak MiB   PDF KiB   images + masks\n";
    for (const QString& folder : app.arguments().mid(1)) {
        ResultOf<std::unique_ptr<PrintWords>> source = PrintWords::open(folder);
        if (!source) {
            QTextStream(stderr) << source.error << '\n';
            return 1;
        }
        const std::vector<Word> words = source.value->choose({});
        QList<double> times;
        for (int run = 0; run < 3; ++run) {
            QElapsedTimer timer;
            timer.start();
            if (const Result written = writePdf(pdf, *source.value, words, {}); !written) {
                QTextStream(stderr) << written.error << '\n';
                return 1;
            }
            times.append(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(times.begin(), times.end());
        QFile file(pdf);
        if (!file.open(QIODevice::ReadOnly)) {
            return 1;
        }
        const QByteArray bytes = file.readAll();
        out << qSetFieldWidth(5) << words.size() << qSetFieldWidth(7) << (words.size() + 7) / 8
            << qSetFieldWidth(12) << QString::number(times[1], 'f', 0) << qSetFieldWidth(11)
            << QString::number(peakMiB(), 'f', 1) << qSetFieldWidth(10) << bytes.size() / 1024
            << qSetFieldWidth(16) << bytes.count("/Subtype /Image") << qSetFieldWidth(0) << '\n';
    }
    return 0;
}
