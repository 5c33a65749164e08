#include "Harness.h"

#include "widgets/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QTest>

Harness::Harness() : m_oldCwd(QDir::currentPath())
{
    MessageBox::resetSeam();
}

Harness::~Harness()
{
    m_form.reset();
    QDir::setCurrent(m_oldCwd);
    MessageBox::resetSeam();
}

bool Harness::start(const QList<WordRow>& rows, const QStringList& themes,
                    const QByteArray& importFile)
{
    if (!m_dir.isValid() || !Fixtures::writeDictionary(m_dir.path(), rows) ||
        !Fixtures::writeThemes(m_dir.path(), themes)) {
        return false;
    }
    if (!importFile.isNull() &&
        !Fixtures::writeFile(m_dir.filePath(QStringLiteral("listemot.txt")), importFile)) {
        return false;
    }
    QDir::setCurrent(m_dir.path());
    m_form = std::make_unique<Form1>();
    return m_form->Form_Load();
}

bool Harness::startWords(const QStringList& words)
{
    QList<WordRow> rows;
    for (const QString& word : words) {
        rows.append(WordRow{word});
    }
    return start(rows);
}

QStringList Harness::listed() const
{
    QStringList words;
    for (int i = 0; i < m_form->ui().List1->entryCount(); ++i) {
        words.append(m_form->ui().List1->entry(i));
    }
    return words;
}

void Harness::select(const QString& word)
{
    ListBox* list = m_form->ui().List1;
    for (int i = 0; i < list->entryCount(); ++i) {
        if (list->entry(i) == word) {
            list->setListIndex(i);
            return;
        }
    }
    QTest::qFail(qPrintable(QStringLiteral("no entry %1 in List1").arg(word)), __FILE__, __LINE__);
}
