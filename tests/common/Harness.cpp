#include "Harness.h"

#include "widgets/MessageBox.h"

#include <QDir>

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

QStringList Harness::entries(const QAbstractItemView* list)
{
    QStringList texts;
    const QAbstractItemModel* model = list->model();
    for (int i = 0; model != nullptr && i < model->rowCount(); ++i) {
        texts.append(model->index(i, 0).data().toString());
    }
    return texts;
}
