#pragma once

#include "Fixtures.h"
#include "app/Form1.h"

#include <QTemporaryDir>
#include <memory>

// A main window started on a dictionary written into a fresh temporary
// folder, which is the current directory while the harness lives.
class Harness
{
public:
    Harness();
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    // Writes LEXA.MDB, THEME.MDB and, unless `importFile` is null,
    // listemot.txt; then creates the window and runs its load step.
    bool start(const QList<WordRow>& rows, const QStringList& themes = {QStringLiteral("Tiere")},
               const QByteArray& importFile = QByteArray());
    // Closes the window as the end of the program does.
    void stop() { m_form.reset(); }

    Form1& form() { return *m_form; }
    Editor& editor() { return m_form->editor(); }
    Form1Ui& ui() { return m_form->ui(); }
    QString dir() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    static QStringList entries(const QAbstractItemView* list);
    QStringList listed() const { return entries(m_form->ui().List1); }

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
    std::unique_ptr<Form1> m_form;
};
