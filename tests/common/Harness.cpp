#include "Harness.h"

#include "widgets/MessageBox.h"

#include <QDir>
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
        !Fixtures::writeThemes(m_dir.path(), themes) ||
        !(importFile.isNull() || Fixtures::writeFile(path("listemot.txt"), importFile))) {
        return false;
    }
    QDir::setCurrent(m_dir.path());
    m_form = std::make_unique<Form1>();
    return m_form->Form_Load();
}

QStringList Harness::entries(const ListBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->entryCount(); ++i) {
        texts.append(list->entry(i));
    }
    return texts;
}

void Harness::select(const QString& word)
{
    const int index = static_cast<int>(listed().indexOf(word));
    QVERIFY2(index >= 0, qPrintable(word + " is not in List1"));
    m_form->ui().List1->setListIndex(index);
}
