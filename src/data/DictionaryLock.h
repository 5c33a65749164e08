#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second LEXA away from a dictionary folder that this one has open:
// two editors on one dictionary would each write what they show over the
// other's changes. The lock file beside the dictionary names this process;
// a lock whose process is gone (a crashed LEXA) is taken over.
class DictionaryLock
{
public:
    explicit DictionaryLock(const QString& folder);

    // True when this process holds the folder until the lock is destroyed;
    // false with a German message naming the folder in errorMessage().
    bool tryLock();
    const QString& errorMessage() const { return m_error; }

private:
    QString m_folder;
    QLockFile m_file;
    QString m_error;
};
