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

    enum class Outcome
    {
        Held,     // this process holds the folder until the lock is destroyed
        ReadOnly, // the folder cannot be written: the dictionary can only be read
        Refused   // another LEXA holds it, or it cannot be reserved: see errorMessage()
    };
    [[nodiscard]] Outcome tryLock();
    // Why the folder was refused: German, naming the folder.
    const QString& errorMessage() const { return m_error; }

private:
    QString m_folder;
    QLockFile m_file;
    QString m_error;
};
