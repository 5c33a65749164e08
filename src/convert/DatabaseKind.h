#pragma once

#include <QString>

// What a dictionary file is, told by its first bytes.
enum class DatabaseKind
{
    Missing,
    SQLite,
    Access,
    Unknown
};

DatabaseKind databaseKind(const QString& path);
