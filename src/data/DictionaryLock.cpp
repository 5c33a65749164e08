#include "data/DictionaryLock.h"

#include <QDir>

namespace {
const QString LockFileName = QStringLiteral("LEXA.lock");
} // namespace

DictionaryLock::DictionaryLock(const QString& folder)
    : m_folder(QDir::toNativeSeparators(QDir(folder).absolutePath())),
      m_file(QDir(folder).absoluteFilePath(LockFileName))
{
    // Only a dead owner makes a lock stale, never its age: a LEXA may stay
    // open for days.
    m_file.setStaleLockTime(0);
}

DictionaryLock::Outcome DictionaryLock::tryLock()
{
    m_error.clear();
    if (m_file.tryLock(0)) {
        return Outcome::Held;
    }
    switch (m_file.error()) {
    case QLockFile::LockFailedError:
        m_error = QStringLiteral("Das Wörterbuch im Ordner „%1“ ist schon in einem anderen "
                                 "LEXA-Fenster geöffnet. Bitte arbeiten Sie dort weiter.")
                      .arg(m_folder);
        return Outcome::Refused;
    case QLockFile::PermissionError:
        // No one can write there, so no other LEXA can change the dictionary either.
        return Outcome::ReadOnly;
    default:
        m_error = QStringLiteral("Das Wörterbuch im Ordner „%1“ kann nicht für LEXA "
                                 "reserviert werden.")
                      .arg(m_folder);
        return Outcome::Refused;
    }
}
