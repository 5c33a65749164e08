#include "data/DataSource.h"

#include <QDir>
#include <utility>

DataSource::DataSource(const QString& databaseName, const QString& recordSource,
                       Database::Access access, QObject* parent)
    : QObject(parent), m_databaseName(databaseName), m_recordSource(recordSource), m_access(access)
{
}

DataSource::~DataSource() = default;

DataSource::DeferDisplay::DeferDisplay(DataSource& source) : m_source(source)
{
    ++m_source.m_deferred;
}

DataSource::DeferDisplay::~DeferDisplay()
{
    if (--m_source.m_deferred == 0 && std::exchange(m_source.m_displayPending, false)) {
        m_source.loadBoundControls();
    }
}

void DataSource::bind(BoundControl* control)
{
    if (!m_bound.contains(control)) {
        m_bound.append(control);
    }
}

void DataSource::setWatcher(RecordWatcher* watcher)
{
    m_watcher = watcher;
    if (m_recordset) {
        m_recordset->setWatcher(watcher);
    }
}

Result DataSource::Refresh()
{
    if (m_recordset) {
        if (Result left = m_recordset->leaveRecord(); !left) {
            return left;
        }
    }
    const QString path =
        m_path.isEmpty() ? QDir::current().absoluteFilePath(m_databaseName) : m_path;
    auto db = std::make_unique<Database>();
    if (Result opened = db->open(path, m_access); !opened) {
        return opened;
    }
    const auto columns = db->columns(m_recordSource);
    if (!columns) {
        return columns;
    }
    if (Result fields = checkFields(columns.value, db->path()); !fields) {
        return fields;
    }
    // Only a file that holds the table is changed (the record set says when
    // it does not); before the rows are read, which a change of the file
    // would make stale.
    if (m_access == Database::Access::ReadWrite && !columns->isEmpty()) {
        if (Result wal = db->useWal(); !wal) {
            return wal;
        }
    }
    RecordView& view = *this;
    auto recordset = std::make_unique<RecordSet>(*db, m_recordSource, view);
    if (Result loaded = recordset->load(); !loaded) {
        return loaded;
    }
    // The rows read are told only once the record set is the one in use.
    recordset->setWatcher(m_watcher);
    m_recordset = std::move(recordset);
    m_db = std::move(db);
    m_path = path;
    if (m_watcher) {
        m_watcher->rowsRead();
    }
    showCurrent();
    return Result::success();
}

Result DataSource::checkFields(const QStringList& columns, const QString& path) const
{
    QStringList missing;
    for (const QString& field : m_requiredFields) {
        if (!columns.isEmpty() && !columns.contains(field, Qt::CaseInsensitive)) {
            missing.append(QStringLiteral("„%1“").arg(field));
        }
    }
    if (missing.isEmpty()) {
        return Result::success();
    }
    return Result::failure(
        QStringLiteral("Der Tabelle „%1“ in der Datei „%2“ %3 %4. LEXA kann in ihr nicht alles "
                       "speichern und öffnet sie nicht; die Datei bleibt, wie sie ist. Nehmen Sie "
                       "eine Sicherungskopie des Wörterbuchs oder ergänzen Sie die Felder mit "
                       "einem Datenbankprogramm.")
            .arg(m_recordSource, QDir::toNativeSeparators(path),
                 missing.size() == 1 ? QStringLiteral("fehlt das Feld")
                                     : QStringLiteral("fehlen die Felder"),
                 missing.join(QStringLiteral(", "))));
}

RecordSet& DataSource::Recordset()
{
    return *m_recordset;
}

QList<std::pair<QString, QVariant>> DataSource::changedFields() const
{
    QList<std::pair<QString, QVariant>> fields;
    for (const BoundControl* control : m_bound) {
        if (control->isBoundChanged()) {
            fields.append({control->dataField(), control->boundValue()});
        }
    }
    return fields;
}

void DataSource::clearChanged()
{
    for (BoundControl* control : std::as_const(m_bound)) {
        control->clearBoundChanged();
    }
}

void DataSource::showCurrent()
{
    if (m_deferred > 0) {
        // The values now shown are given up, as a load would.
        clearChanged();
        m_displayPending = true;
        return;
    }
    loadBoundControls();
}

void DataSource::loadBoundControls()
{
    const bool current = m_recordset && m_recordset->hasCurrent();
    for (BoundControl* control : std::as_const(m_bound)) {
        control->loadBoundValue(current ? m_recordset->field(control->dataField()) : QVariant());
        control->clearBoundChanged();
    }
    emit currentShown();
}
