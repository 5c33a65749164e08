#include "data/DictionaryLock.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
const QString LockFileName = QStringLiteral("LEXA.lock");

// Whether the disk of `folder` has no room left: a small file written there
// comes back short, or is refused for want of space.
bool noRoom(const QString& folder)
{
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(QStringLiteral(".LEXA-Platz")));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        return errno == ENOSPC || errno == EDQUOT;
    }
    const char block[4096] = {};
    const ssize_t written = ::write(fd, block, sizeof block);
    const int error = errno;
    ::close(fd);
    ::unlink(path.constData());
    return written >= 0 ? written < ssize_t(sizeof block) : error == ENOSPC || error == EDQUOT;
}
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
        m_error = (noRoom(m_folder)
                       ? QStringLiteral("Der Datenträger des Ordners „%1“ ist voll: LEXA kann "
                                        "dort die Datei „%2“ nicht anlegen und das Wörterbuch "
                                        "darum nicht öffnen. Schaffen Sie Platz auf dem "
                                        "Datenträger (löschen Sie nicht mehr benötigte Dateien) "
                                        "und starten Sie LEXA noch einmal.")
                       : QStringLiteral("Das Wörterbuch im Ordner „%1“ kann nicht für LEXA "
                                        "reserviert werden: die Datei „%2“ kann dort nicht "
                                        "angelegt werden. Prüfen Sie den Ordner und starten Sie "
                                        "LEXA noch einmal."))
                      .arg(m_folder, LockFileName);
        return Outcome::Refused;
    }
}
