#include "platform/TADODataSet.h"

#include "platform/Exceptions.h"
#include "platform/TADOConnection.h"

#include <sqlite3.h>

#include <QRegularExpression>

#include <new>
#include <optional>

namespace {

// A prepared statement that is always finalized, so no statement outlives
// the event that ran it.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql) : db(db)
    {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK)
            fail();
    }
    // A statement the engine may refuse: prepared() tells.
    Statement(sqlite3* db, const QString& sql, std::nothrow_t) : db(db)
    {
        const QByteArray text = sql.toUtf8();
        sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt); }
    bool prepared() const { return stmt != nullptr; }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // True while a row is there; throws on an engine error.
    bool step()
    {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            fail();
        return false;
    }
    int columns() const { return sqlite3_column_count(stmt); }
    QString columnName(int i) const { return QString::fromUtf8(sqlite3_column_name(stmt, i)); }
    QString text(int i) const
    {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(stmt, i)) : QString();
    }
    QByteArrayView utf8(int i) const
    {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return bytes ? QByteArrayView(bytes, sqlite3_column_bytes(stmt, i)) : QByteArrayView();
    }
    long long integer(int i) const { return sqlite3_column_int64(stmt, i); }
    void bind(int i, long long value) { sqlite3_bind_int64(stmt, i, value); }

private:
    [[noreturn]] void fail() { throw EDatabaseError(QString::fromUtf8(sqlite3_errmsg(db))); }
    sqlite3* db;
    sqlite3_stmt* stmt = nullptr;
};

// The statements of the program's dialect: all columns of one table, with at
// most one condition. Those can be read as row ids plus the listed field.
struct SimpleSelect {
    QString table, rest;
};

std::optional<SimpleSelect> simpleSelect(const QString& sql)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+([A-Za-z_][A-Za-z0-9_]*)(\s+where\s.*?)?\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(sql);
    if (!match.hasMatch())
        return std::nullopt;
    return SimpleSelect{match.captured(1), match.captured(2)};
}

// Only a table's rows have row ids: a view gives null for every row.
bool isTable(sqlite3* db, const QString& name)
{
    sqlite3_stmt* lookup = nullptr;
    sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE", -1,
                       &lookup, nullptr);
    const QByteArray utf8 = name.toUtf8();
    sqlite3_bind_text(lookup, 1, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
    const bool found = sqlite3_step(lookup) == SQLITE_ROW;
    sqlite3_finalize(lookup);
    return found;
}

QString quotedName(const QString& name)
{
    QString doubled = name;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

} // namespace

TCustomADODataSet::TCustomADODataSet(QObject* owner, const QString& name) : QObject(owner)
{
    setObjectName(name);
}

void TCustomADODataSet::setActive(bool value)
{
    if (value == active)
        return;
    if (value)
        open();
    else
        close();
}

void TCustomADODataSet::requireField(const QString& field, const QString& control)
{
    requirements.append({field, control});
}

void TCustomADODataSet::setListField(const QString& field)
{
    listField = field;
}

void TCustomADODataSet::open()
{
    if (!Connection)
        throw EDatabaseError(objectName() + QStringLiteral(": Missing Connection or ConnectionString"));
    // A dataset whose connection is closed tries to open it first.
    Connection->setConnected(true);
    Snapshot fresh = readSnapshot(commandText());
    snapshot = std::move(fresh);
    active = true;
    current = -1;
    currentValues.clear();
    if (snapshot.count > 0)
        current = 0;
    loadCurrentRecord();
    emit dataSetChanged();
}

void TCustomADODataSet::close()
{
    active = false;
    snapshot = Snapshot();
    current = -1;
    currentValues.clear();
    emit dataSetChanged();
}

TCustomADODataSet::Snapshot TCustomADODataSet::readSnapshot(const QString& sql) const
{
    sqlite3* db = Connection->handle();
    Snapshot result;
    {
        // Preparing the command as it stands gives the engine's own errors
        // and the names of its columns.
        Statement command(db, sql);
        for (int i = 0; i < command.columns(); ++i)
            result.fieldNames << command.columnName(i);
    }
    checkRequiredFields(result.fieldNames);
    if (!readsRows()) {
        result.count = -1; // counted only if asked
        return result;
    }
    const std::optional<SimpleSelect> simple = simpleSelect(sql);
    if (!simple || !readByRowId(result, simple->table, simple->rest))
        readWhole(result, sql);
    return result;
}

bool TCustomADODataSet::readByRowId(Snapshot& result, const QString& table, const QString& where) const
{
    sqlite3* db = Connection->handle();
    if (!isTable(db, table))
        return false;
    const QString listed = listField.isEmpty() ? QStringLiteral("NULL") : quotedName(listField);
    const QString sql = QStringLiteral("SELECT rowid, %1 FROM %2%3").arg(listed, table, where);
    Statement rows(db, sql, std::nothrow);
    // Nor can a table declared without row ids.
    if (!rows.prepared())
        return false;
    while (rows.step()) {
        result.rowIds.push_back(rows.integer(0));
        const QByteArrayView title = rows.utf8(1);
        result.listUtf8.append(title.data(), title.size());
        result.listEnds.push_back(int(result.listUtf8.size()));
    }
    result.table = table;
    result.count = int(result.rowIds.size());
    return true;
}

void TCustomADODataSet::readWhole(Snapshot& result, const QString& sql) const
{
    Statement rows(Connection->handle(), sql);
    while (rows.step()) {
        QStringList values;
        for (int i = 0; i < rows.columns(); ++i)
            values << rows.text(i);
        result.wholeRows.append(values);
    }
    result.count = int(result.wholeRows.size());
}

void TCustomADODataSet::checkRequiredFields(const QStringList& fieldNames) const
{
    for (const Requirement& need : requirements) {
        if (!fieldNames.contains(need.field, Qt::CaseInsensitive))
            throw EDatabaseError(QStringLiteral("%1: Field '%2' not found").arg(need.control, need.field));
    }
}

int TCustomADODataSet::RecordCount() const
{
    if (!active)
        return 0;
    if (snapshot.count < 0) {
        Statement count(Connection->handle(), QStringLiteral("SELECT count(*) FROM (%1)").arg(commandText()));
        count.step();
        const_cast<Snapshot&>(snapshot).count = int(count.integer(0));
    }
    return snapshot.count;
}

void TCustomADODataSet::First()
{
    moveTo(0);
}

void TCustomADODataSet::Prior()
{
    moveTo(current - 1);
}

void TCustomADODataSet::Next()
{
    moveTo(current + 1);
}

void TCustomADODataSet::Last()
{
    moveTo(RecordCount() - 1);
}

void TCustomADODataSet::moveTo(int row)
{
    if (!active || !readsRows() || snapshot.count == 0)
        return;
    setCurrent(qBound(0, row, snapshot.count - 1));
}

void TCustomADODataSet::setCurrent(int row)
{
    if (row == current)
        return;
    current = row;
    loadCurrentRecord();
    emit recordChanged();
}

void TCustomADODataSet::loadCurrentRecord()
{
    currentValues.clear();
    if (current < 0)
        return;
    if (snapshot.table.isEmpty()) {
        currentValues = snapshot.wholeRows.at(current);
        return;
    }
    Statement record(Connection->handle(),
                     QStringLiteral("SELECT * FROM %1 WHERE rowid = ?1").arg(snapshot.table));
    record.bind(1, snapshot.rowIds[current]);
    // A row another program deleted since the snapshot shows as empty.
    if (record.step()) {
        for (int i = 0; i < record.columns(); ++i)
            currentValues << record.text(i);
    }
}

int TCustomADODataSet::fieldIndex(const QString& field) const
{
    for (int i = 0; i < snapshot.fieldNames.size(); ++i) {
        if (snapshot.fieldNames[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString TCustomADODataSet::FieldText(const QString& field) const
{
    const int index = fieldIndex(field);
    return index >= 0 && index < currentValues.size() ? currentValues[index] : QString();
}

QString TCustomADODataSet::listText(int row) const
{
    if (row < 0 || row >= snapshot.count)
        return {};
    if (snapshot.table.isEmpty())
        return snapshot.wholeRows.at(row).value(fieldIndex(listField));
    const int begin = row == 0 ? 0 : snapshot.listEnds[row - 1];
    return QString::fromUtf8(snapshot.listUtf8.constData() + begin, snapshot.listEnds[row] - begin);
}

// --- TSQLStrings

void TSQLStrings::Clear()
{
    owner->Close();
    lines.clear();
}

void TSQLStrings::Add(const QString& line)
{
    owner->Close();
    lines.append(line);
}

// --- TADOQuery, TADOTable

TADOQuery::TADOQuery(QObject* owner, const QString& name) : TCustomADODataSet(owner, name) {}

TADOTable::TADOTable(QObject* owner, const QString& name) : TCustomADODataSet(owner, name) {}

QString TADOTable::commandText() const
{
    return QStringLiteral("SELECT * FROM ") + quotedName(TableName);
}
