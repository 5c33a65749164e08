#include "data/Exchange.h"

#include "data/Csv.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

enum Column
{
    Wort,
    Artikel,
    Mehrzahl,
    Silben,
    Frequenz,
    Themen,
    Markiert,
    Bild,
    Ton
};

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The ending of a picture's file, by its first bytes.
QString pictureKind(const QByteArray& bytes)
{
    if (bytes.startsWith("\x89PNG")) {
        return QStringLiteral("png");
    }
    if (bytes.startsWith(QByteArrayView("\0\0\1\0", 4))) {
        return QStringLiteral("ico");
    }
    if (bytes.startsWith(QByteArrayView("\0\0\2\0", 4))) {
        return QStringLiteral("cur");
    }
    if (bytes.startsWith("BM")) {
        return QStringLiteral("bmp");
    }
    if (bytes.startsWith("GIF8")) {
        return QStringLiteral("gif");
    }
    if (bytes.startsWith("\xFF\xD8\xFF")) {
        return QStringLiteral("jpg");
    }
    return QStringLiteral("bin");
}

// Names Windows keeps for its devices, whatever the ending.
bool isDeviceName(const QString& stem)
{
    static const QStringList devices{"CON", "PRN", "AUX", "NUL"};
    const QString upper = stem.section(u'.', 0, 0).toUpper();
    if (devices.contains(upper)) {
        return true;
    }
    return upper.size() == 4 && (upper.startsWith(u"COM") || upper.startsWith(u"LPT")) &&
           upper.back() >= u'1' && upper.back() <= u'9';
}

// A word's letters as a file name: what a file system refuses becomes "_".
QString safeStem(const QString& word)
{
    constexpr qsizetype MaxLength = 80;
    QString stem;
    for (const QChar c : word.trimmed()) {
        const bool refused = c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c);
        stem += refused ? u'_' : c;
    }
    if (stem.size() > MaxLength) {
        stem.truncate(stem.at(MaxLength - 1).isHighSurrogate() ? MaxLength - 1 : MaxLength);
    }
    // Windows drops dots and blanks at the end; a leading dot hides a file.
    while (stem.endsWith(u'.') || stem.endsWith(u' ')) {
        stem.chop(1);
    }
    if (stem.startsWith(u'.')) {
        stem[0] = u'_';
    }
    if (stem.isEmpty()) {
        stem = QStringLiteral("Bild");
    }
    if (isDeviceName(stem)) {
        stem += u'_';
    }
    return stem;
}

QStringList fieldsOf(const Word& word, const QString& picture)
{
    QStringList fields(Exchange::Columns.size());
    fields[Wort] = word.mot;
    fields[Artikel] = word.determinant;
    fields[Mehrzahl] = word.pluriel;
    fields[Silben] = word.syllabes;
    fields[Frequenz] = word.categorie;
    fields[Themen] = word.theme;
    fields[Markiert] = word.marked ? QStringLiteral("O") : QStringLiteral("N");
    fields[Bild] = picture;
    fields[Ton] = word.sound;
    return fields;
}

// The words of a dictionary file read for an export, in German order; the
// pictures are read one by one.
class StoredWords
{
public:
    Result open(const QString& path)
    {
        if (Result opened = m_db.open(path, Database::Access::ReadOnly); !opened) {
            return opened;
        }
        const auto columns = m_db.columns(QString(Schema::DictionaryTable));
        if (!columns) {
            return columns;
        }
        m_hasPictures = columns->contains(QStringLiteral("icone integree"));
        auto words = readWords(m_db);
        if (!words) {
            return words;
        }
        m_words = std::move(words.value);
        return Result::success();
    }

    const std::vector<Word>& words() const { return m_words; }

    ResultOf<QByteArray> picture(qint64 rowid)
    {
        if (!m_hasPictures) {
            return QByteArray();
        }
        const auto cached =
            m_db.cached(QStringLiteral("SELECT \"icone integree\" FROM lexa WHERE rowid=?"));
        if (!cached) {
            return Result(cached);
        }
        Statement* query = cached.value;
        if (Result bound = query->bind(1, rowid); !bound) {
            return bound;
        }
        const QByteArray bytes = query->next() ? query->column(0).toByteArray() : QByteArray();
        Result read = query->status();
        query->reset();
        if (!read) {
            return read;
        }
        return bytes;
    }

private:
    Database m_db;
    std::vector<Word> m_words;
    bool m_hasPictures = false;
};

Result cannotWrite(const QString& path)
{
    return Result::failure(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden. Bitte "
                                          "wählen Sie einen anderen Ordner oder Namen.")
                               .arg(native(path)));
}

// A picture goes into the new folder, which no one sees until it takes the
// place of the old one; the folder is synced once, as a whole, before that
// (a sync for each of thousands of files would take minutes).
Result writePicture(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        file.write(bytes) != bytes.size()) {
        return cannotWrite(path);
    }
    file.close();
    return file.error() == QFileDevice::NoError ? Result::success() : cannotWrite(path);
}

// Writes to disk what is pending on the file system of `folder` (syncs
// `folder` itself too, with its entries).
bool syncFileSystem(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    return synced;
}

// Puts the pictures written into `written` (none: null) in the place of the
// picture folder `folder`, which goes as a whole; a folder holding folders
// is not LEXA's and stays.
Result replaceFolder(const QString& folder, QTemporaryDir* written)
{
    const QString parent = QFileInfo(folder).absolutePath();
    // The old folder waits in a place of its own until the new one is in.
    QTemporaryDir old(parent + QStringLiteral("/.lexa-XXXXXX"));
    const QString oldPlace = old.path() + QStringLiteral("/alt");
    const bool hadOld = QFileInfo(folder).isDir();
    if (hadOld) {
        if (!QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty()) {
            return Result::failure(
                QStringLiteral("Der Ordner „%1“ enthält weitere Ordner: LEXA ersetzt ihn nicht. "
                               "Bitte wählen Sie einen anderen Namen für die CSV-Datei.")
                    .arg(native(folder)));
        }
        if (!old.isValid() || !QDir().rename(folder, oldPlace)) {
            return cannotWrite(folder);
        }
    }
    if (written && (!syncFileSystem(written->path()) || !QDir().rename(written->path(), folder))) {
        if (hadOld) {
            QDir().rename(oldPlace, folder);
        }
        return cannotWrite(folder);
    }
    if (written) {
        written->setAutoRemove(false);
    }
    // The new name lasts once the parent folder's entries are on disk.
    syncFileSystem(parent);
    return Result::success();
}

// The columns of the header row by name; a failure names what is wrong.
ResultOf<std::array<qsizetype, Exchange::Columns.size()>> columnsOf(const QStringList& header)
{
    std::array<qsizetype, Exchange::Columns.size()> at;
    at.fill(-1);
    const QString expected = QStringLiteral("Die erste Zeile muss die Spalten %1 nennen.").arg([] {
        QStringList names;
        for (const QLatin1StringView name : Exchange::Columns) {
            names.append(name);
        }
        return names.join(QStringLiteral(", "));
    }());
    for (qsizetype i = 0; i < header.size(); ++i) {
        const QString name = header.at(i).trimmed();
        qsizetype column = -1;
        for (size_t c = 0; c < Exchange::Columns.size(); ++c) {
            if (name.compare(Exchange::Columns.at(c), Qt::CaseInsensitive) == 0) {
                column = static_cast<qsizetype>(c);
            }
        }
        if (column < 0) {
            return Result::failure(QStringLiteral("Zeile 1: die Spalte „%1“ kennt LEXA nicht. %2")
                                       .arg(name, expected));
        }
        if (at.at(static_cast<size_t>(column)) >= 0) {
            return Result::failure(
                QStringLiteral("Zeile 1: die Spalte „%1“ steht zweimal da.").arg(name));
        }
        at.at(static_cast<size_t>(column)) = i;
    }
    QStringList missing;
    for (size_t c = 0; c < Exchange::Columns.size(); ++c) {
        if (at.at(c) < 0) {
            missing.append(QStringLiteral("„%1“").arg(Exchange::Columns.at(c)));
        }
    }
    if (!missing.isEmpty()) {
        return Result::failure((missing.size() == 1
                                    ? QStringLiteral("Zeile 1: die Spalte %1 fehlt. %2")
                                    : QStringLiteral("Zeile 1: die Spalten %1 fehlen. %2"))
                                   .arg(missing.join(QStringLiteral(", ")), expected));
    }
    return at;
}

QString withFile(const QString& path, const QString& error)
{
    return QStringLiteral("Die Datei „%1“ kann nicht importiert werden. %2")
        .arg(native(path), error);
}

} // namespace

QString Exchange::pictureFolder(const QString& csvPath)
{
    const QFileInfo csv(csvPath);
    return QDir(csv.absolutePath()).filePath(csv.completeBaseName() + QStringLiteral("-Bilder"));
}

QString Exchange::pictureFileName(const QString& word, const QByteArray& picture,
                                  QSet<QString>* taken)
{
    const QString stem = safeStem(word);
    const QString kind = pictureKind(picture);
    QString name = stem + u'.' + kind;
    for (int n = 2; taken->contains(name.toCaseFolded()); ++n) {
        name = QStringLiteral("%1-%2.%3").arg(stem).arg(n).arg(kind);
    }
    taken->insert(name.toCaseFolded());
    return name;
}

QByteArray Exchange::table(const std::vector<Word>& words, const QStringList& pictures)
{
    QStringList header;
    for (const QLatin1StringView name : Columns) {
        header.append(name);
    }
    QByteArray bytes = Csv::Bom.toByteArray() + Csv::record(header);
    for (size_t i = 0; i < words.size(); ++i) {
        bytes += Csv::record(fieldsOf(words[i], pictures.value(static_cast<qsizetype>(i))));
    }
    return bytes;
}

ResultOf<Exchange::Exported> Exchange::exportDictionary(const QString& folder,
                                                        const QString& csvPath)
{
    const QString path = QDir(folder).filePath(Schema::DictionaryFile);
    if (!QFileInfo::exists(path)) {
        return Result::failure(
            QStringLiteral("Im Ordner „%1“ gibt es kein Wörterbuch (keine Datei %2).")
                .arg(native(QDir(folder).absolutePath()), Schema::DictionaryFile));
    }
    const QString pictures = pictureFolder(csvPath);
    if (isDictionaryFile(csvPath, folder) || isDictionaryFile(pictures, folder)) {
        return Result::failure(QStringLiteral("Die Datei „%1“ gehört zum Wörterbuch. Bitte "
                                              "wählen Sie einen anderen Namen für die CSV-Datei.")
                                   .arg(native(csvPath)));
    }
    StoredWords stored;
    if (Result opened = stored.open(path); !opened) {
        return opened;
    }
    // The pictures go into a new folder beside the old one, which they
    // replace once all are written.
    QTemporaryDir written(QFileInfo(csvPath).absolutePath() + QStringLiteral("/.lexa-XXXXXX"));
    if (!written.isValid()) {
        return cannotWrite(csvPath);
    }
    // A folder for others to read, as a folder made by hand would be.
    QFile::setPermissions(written.path(), QFile::permissions(QFileInfo(csvPath).absolutePath()));
    Exported exported;
    QStringList names;
    QSet<QString> taken;
    const QString folderName = QFileInfo(pictures).fileName();
    for (const Word& word : stored.words()) {
        const ResultOf<QByteArray> picture = stored.picture(word.rowid);
        if (!picture) {
            return picture;
        }
        if (picture.value.isEmpty()) {
            names.append(QString());
            continue;
        }
        const QString name = pictureFileName(word.mot, picture.value, &taken);
        if (Result done = writePicture(QDir(written.path()).filePath(name), picture.value); !done) {
            return done;
        }
        names.append(folderName + u'/' + name);
        ++exported.pictures;
    }
    exported.words = static_cast<int>(stored.words().size());
    QSaveFile csv(csvPath);
    const QByteArray bytes = table(stored.words(), names);
    if (!csv.open(QIODevice::WriteOnly) || csv.write(bytes) != bytes.size()) {
        return cannotWrite(csvPath);
    }
    if (Result replaced = replaceFolder(pictures, exported.pictures > 0 ? &written : nullptr);
        !replaced) {
        return replaced;
    }
    if (!csv.commit()) {
        return cannotWrite(csvPath);
    }
    return exported;
}

ResultOf<Exchange::Import> Exchange::readTable(const QByteArray& bytes,
                                               const PictureSource& pictures)
{
    ResultOf<QList<Csv::Record>> parsed = Csv::parse(bytes);
    if (!parsed) {
        return parsed;
    }
    const QList<Csv::Record>& records = parsed.value;
    if (records.isEmpty()) {
        return Result::failure(QStringLiteral("Sie ist leer."));
    }
    const auto columns = columnsOf(records.front().fields);
    if (!columns) {
        return columns;
    }
    const auto at = [&](const Csv::Record& record, Column column) {
        return record.fields.at(columns.value.at(column));
    };
    Import import;
    for (qsizetype r = 1; r < records.size(); ++r) {
        const Csv::Record& record = records.at(r);
        const QString line = QStringLiteral("Zeile %1: ").arg(record.line);
        if (record.fields.size() != records.front().fields.size()) {
            import.problems.append(line + QStringLiteral("%1 Felder statt %2.")
                                              .arg(record.fields.size())
                                              .arg(records.front().fields.size()));
            continue;
        }
        Row row;
        row.line = record.line;
        Word& word = row.word;
        word.mot = at(record, Wort);
        word.determinant = at(record, Artikel);
        word.pluriel = at(record, Mehrzahl);
        word.syllabes = at(record, Silben);
        word.categorie = at(record, Frequenz);
        word.theme = at(record, Themen);
        word.sound = at(record, Ton);
        const QString mark = at(record, Markiert);
        word.marked = mark == u'O';
        if (word.mot.trimmed().isEmpty()) {
            import.problems.append(line + QStringLiteral("das Wort ist leer."));
            continue;
        }
        if (!word.marked && mark != u'N' && !mark.isEmpty()) {
            import.problems.append(line + QStringLiteral("„%1“ in der Spalte Markiert: erlaubt "
                                                         "sind O (markiert), N (nicht markiert) "
                                                         "oder nichts.")
                                              .arg(mark));
            continue;
        }
        if (const QString name = at(record, Bild); !name.isEmpty()) {
            const ResultOf<QByteArray> picture = pictures(name);
            if (!picture) {
                import.problems.append(line + picture.error);
                continue;
            }
            word.icon = picture.value;
        }
        import.rows.push_back(std::move(row));
    }
    return import;
}

ResultOf<Exchange::Import>
Exchange::readFile(const QString& csvPath, const QString& dictionaryFolder,
                   const std::function<bool(const QByteArray&)>& isPicture)
{
    if (isDictionaryFile(csvPath, dictionaryFolder)) {
        return Result::failure(withFile(csvPath, QStringLiteral("Sie gehört zum Wörterbuch.")));
    }
    QFile file(csvPath);
    if (!file.exists()) {
        return Result::failure(withFile(csvPath, QStringLiteral("Es gibt sie nicht.")));
    }
    if (file.size() > FileMaxBytes) {
        return Result::failure(
            withFile(csvPath, QStringLiteral("Sie ist größer als %1 MB.").arg(FileMaxBytes >> 20)));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return Result::failure(withFile(csvPath, QStringLiteral("Sie ist nicht lesbar.")));
    }
    const QDir base = QFileInfo(csvPath).absoluteDir();
    const PictureSource pictures = [&](const QString& name) -> ResultOf<QByteArray> {
        const QString path = base.filePath(name);
        QFile picture(path);
        if (isDictionaryFile(path, dictionaryFolder) || !QFileInfo(path).isFile()) {
            return Result::failure(
                QStringLiteral("das Bild „%1“ fehlt (gesucht als „%2“).").arg(name, native(path)));
        }
        if (picture.size() > PictureMaxBytes) {
            return Result::failure(QStringLiteral("das Bild „%1“ ist größer als %2 MB.")
                                       .arg(name, QString::number(PictureMaxBytes >> 20)));
        }
        QByteArray bytes;
        if (picture.open(QIODevice::ReadOnly)) {
            bytes = picture.readAll();
        }
        if (!isPicture(bytes)) {
            return Result::failure(QStringLiteral("„%1“ ist kein lesbares Bild.").arg(name));
        }
        return bytes;
    };
    ResultOf<Import> read = readTable(file.readAll(), pictures);
    if (!read) {
        read.error = withFile(csvPath, read.error);
    }
    return read;
}

QList<QList<std::pair<QString, QVariant>>> Exchange::records(const std::vector<Row>& rows)
{
    const auto text = [](const QString& value) { return value.isEmpty() ? QVariant() : value; };
    QList<QList<std::pair<QString, QVariant>>> records;
    records.reserve(static_cast<qsizetype>(rows.size()));
    for (const Row& row : rows) {
        const Word& word = row.word;
        records.append({{QStringLiteral("mot"), word.mot},
                        {QStringLiteral("determinant"), text(word.determinant)},
                        {QStringLiteral("categorie"), text(word.categorie)},
                        {QStringLiteral("theme"), text(word.theme)},
                        {QStringLiteral("mot marque"), QString(word.marked ? u'O' : u'N')},
                        {QStringLiteral("icone integree"),
                         word.icon.isEmpty() ? QVariant() : QVariant(word.icon)},
                        {QStringLiteral("fichier son associe"), text(word.sound)},
                        {QString(Schema::PluralField), text(word.pluriel)},
                        {QString(Schema::SyllablesField), text(word.syllabes)}});
    }
    return records;
}

QStringList Exchange::themeNames(const QString& field, const QStringList& known)
{
    QStringList names;
    const auto add = [&names](const QString& name) {
        const QString trimmed = name.trimmed();
        if (!trimmed.isEmpty() && !names.contains(trimmed)) {
            names.append(trimmed);
        }
    };
    const QStringView text(field);
    const auto knownStartsAt = [&](qsizetype at) {
        return std::any_of(known.begin(), known.end(), [&](const QString& name) {
            return !name.isEmpty() && text.sliced(at).startsWith(name);
        });
    };
    // A name ends where the field ends, a capital letter follows (theme
    // names are nouns) or another known name begins: "Haus" is no name of
    // its own in "Haustiere".
    const auto endsName = [&](qsizetype end) {
        return end == text.size() || text[end].isUpper() || knownStartsAt(end);
    };
    QString unknown;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype longest = 0;
        for (const QString& name : known) {
            if (name.size() > longest && text.sliced(at).startsWith(name) &&
                endsName(at + name.size())) {
                longest = name.size();
            }
        }
        if (longest > 0) {
            add(std::exchange(unknown, {}));
            add(field.sliced(at, longest));
            at += longest;
            continue;
        }
        // Unknown names run together break where a capital follows a small letter.
        if (!unknown.isEmpty() && text[at].isUpper() && text[at - 1].isLower()) {
            add(std::exchange(unknown, {}));
        }
        unknown += text[at];
        ++at;
    }
    add(unknown);
    return names;
}

ResultOf<QStringList> Exchange::addThemes(const QString& themesPath, const std::vector<Row>& rows)
{
    DataSource themes(themesPath, QString(Schema::ThemesTable), Database::Access::ReadWrite);
    if (Result opened = themes.Refresh(); !opened) {
        return opened;
    }
    RecordSet& table = themes.Recordset();
    QStringList known;
    for (const qint64 rowid : table.rowids()) {
        const QString name = table.textOf(rowid);
        if (!name.isEmpty()) {
            known.append(name);
        }
    }
    QStringList added;
    for (const Row& row : rows) {
        for (const QString& name : themeNames(row.word.theme, known)) {
            if (!known.contains(name) && !added.contains(name)) {
                added.append(name);
            }
        }
    }
    if (added.isEmpty()) {
        return added;
    }
    if (Result begun = table.BeginTrans(); !begun) {
        return begun;
    }
    for (const QString& name : std::as_const(added)) {
        Result done = table.AddNew();
        if (done) {
            done = table.setField(QStringLiteral("theme"), name);
        }
        if (done) {
            done = table.Update();
        }
        if (!done) {
            table.RollbackTrans();
            return done;
        }
    }
    if (Result committed = table.CommitTrans(); !committed) {
        return committed;
    }
    return added;
}

bool Exchange::isDictionaryFile(const QString& path, const QString& folder)
{
    const QFileInfo file(path);
    const QString dir = QFileInfo(file.absolutePath()).canonicalFilePath();
    if (folder.isEmpty() || dir.isEmpty() || dir != QFileInfo(folder).canonicalFilePath()) {
        return false;
    }
    const QString name = file.fileName();
    return name.startsWith(Schema::DictionaryFile, Qt::CaseInsensitive) ||
           name.startsWith(Schema::ThemesFile, Qt::CaseInsensitive) ||
           name.startsWith(QStringLiteral("LEXA.lock"), Qt::CaseInsensitive);
}
