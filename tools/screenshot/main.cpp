// Usage: lexa-screenshot OUTDIR [WORD [SCALE]]
// Opens the dictionary of the current directory offscreen, selects WORD (or
// the first word), and writes OUTDIR/form1.png and OUTDIR/resul_ch.png; with
// a SCALE other than 1, renders at that scale into form1@SCALE.png and
// resul_ch@SCALE.png.
#include "app/Form1.h"
#include "app/ResulCh.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray scale = argc > 3 ? QByteArray(argv[3]) : QByteArray("1");
    if (scale != "1") {
        qputenv("QT_SCALE_FACTOR", scale);
    }
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: lexa-screenshot OUTDIR [WORD [SCALE]]\n";
        return 2;
    }
    const QDir out(args.at(1));
    const QString suffix =
        (scale == "1" ? QString() : QLatin1Char('@') + QString::fromLatin1(scale)) +
        QStringLiteral(".png");
    Form1 form;
    if (!form.Form_Load()) {
        return 1;
    }
    form.show();
    WordList* list = form.ui().List1;
    const QList<int> matches =
        args.size() > 2 ? form.editor().words().rowsIgnoringCase(args.at(2)) : QList<int>();
    if (list->entryCount() > 0) {
        list->setListIndex(matches.isEmpty() ? 0 : matches.first());
    }
    QApplication::processEvents();
    bool ok = form.grab().save(out.filePath(QStringLiteral("form1") + suffix));
    ResulCh& search = form.openedSearchWindow();
    search.show();
    QApplication::processEvents();
    ok = search.grab().save(out.filePath(QStringLiteral("resul_ch") + suffix)) && ok;
    search.hide();
    return ok ? 0 : 1;
}
