#pragma once

#include <QLatin1StringView>
#include <QStringList>
#include <array>

// The on-disk layout of a LEXA dictionary: two SQLite files that keep the
// names the users know. The natural order of a table is rowid order.
namespace Schema {

inline constexpr QLatin1StringView DictionaryFile{"LEXA.MDB"};
inline constexpr QLatin1StringView ThemesFile{"THEME.MDB"};

inline constexpr QLatin1StringView DictionaryTable{"lexa"};
inline constexpr QLatin1StringView ThemesTable{"themes"};

inline constexpr QLatin1StringView CreateDictionary{"CREATE TABLE lexa ("
                                                    "mot TEXT, "
                                                    "determinant TEXT, "
                                                    "categorie TEXT, "
                                                    "theme TEXT, "
                                                    "\"mot marque\" TEXT DEFAULT 'N', "
                                                    "\"icone integree\" BLOB, "
                                                    "\"fichier son associe\" TEXT, "
                                                    "pluriel TEXT, "
                                                    "syllabes TEXT)"};

// The fields that came later, at the end of the table: a file without them is
// read as it is and gets them (empty) with its first write.
inline constexpr QLatin1StringView PluralField{"pluriel"};
inline constexpr QLatin1StringView SyllablesField{"syllabes"};
inline constexpr std::array<QLatin1StringView, 2> AddedFields{PluralField, SyllablesField};

// The fields of the words table that LEXA cannot work without; a table that
// lacks one of them is refused. Later fields are added to older files.
inline const QStringList DictionaryFields{QStringLiteral("mot"),
                                          QStringLiteral("determinant"),
                                          QStringLiteral("categorie"),
                                          QStringLiteral("theme"),
                                          QStringLiteral("mot marque"),
                                          QStringLiteral("icone integree"),
                                          QStringLiteral("fichier son associe")};

inline constexpr QLatin1StringView CreateThemes{"CREATE TABLE themes (theme TEXT)"};

} // namespace Schema
