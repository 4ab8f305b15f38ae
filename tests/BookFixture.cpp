#include "BookFixture.h"

#include <sqlite3.h>

#include <QFile>

QStringList bookTables()
{
    return {"kolliyat", "moghadamat", "vajeb", "mostahab", "namaz", "motefareghe", "jamkol"};
}

QStringList bookStoredQueries()
{
    return {"Qkolliyat", "Qmoghadamat", "Qvajeb", "Qmostahab", "Qnamaz", "Qmotefar", "Qjamkol"};
}

BookSpec BookSpec::complete(int rowsPerTable)
{
    BookSpec spec;
    const QStringList tables = bookTables();
    const QStringList queries = bookStoredQueries();
    for (int t = 0; t < tables.size(); ++t) {
        BookTable table;
        for (int n = 1; n <= rowsPerTable; ++n) {
            const QString title = QStringLiteral("%1 %2").arg(tables[t]).arg(n);
            table.rows.append({title, title + " question", title + " answer", title + " notes"});
        }
        spec.tables.insert(tables[t], table);
        spec.storedQueries.insert(queries[t], tables[t]);
    }
    return spec;
}

BookSpec& BookSpec::withoutTable(const QString& table)
{
    tables.remove(table);
    return *this;
}

BookSpec& BookSpec::withoutStoredQuery(const QString& name)
{
    storedQueries.remove(name);
    return *this;
}

BookSpec& BookSpec::withoutField(const QString& table, const QString& field)
{
    tables[table].fields.removeAll(field);
    return *this;
}

BookSpec& BookSpec::withRows(const QString& table, const QList<BookRow>& rows)
{
    tables[table].rows = rows;
    return *this;
}

namespace {

QString quoted(const QString& text)
{
    QString doubled = text;
    doubled.replace('\'', "''");
    return '\'' + doubled + '\'';
}

QString fieldValue(const BookRow& row, const QString& field)
{
    if (field == "kholase")
        return row.kholase;
    if (field == "porsesh")
        return row.porsesh;
    if (field == "pasokh")
        return row.pasokh;
    return row.pavaraghi;
}

QString script(const BookSpec& spec)
{
    QString sql;
    for (auto it = spec.tables.cbegin(); it != spec.tables.cend(); ++it) {
        QStringList columns;
        for (const QString& field : it->fields)
            columns << field + " TEXT";
        sql += QStringLiteral("CREATE TABLE \"%1\" (%2);\n").arg(it.key(), columns.join(", "));
        for (const BookRow& row : it->rows) {
            QStringList values;
            for (const QString& field : it->fields)
                values << quoted(fieldValue(row, field));
            sql += QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3);\n")
                       .arg(it.key(), it->fields.join(", "), values.join(", "));
        }
    }
    for (auto it = spec.storedQueries.cbegin(); it != spec.storedQueries.cend(); ++it) {
        // A stored query over a table the test removed still has to be valid
        // SQL for SQLite to accept it; it then fails only when opened.
        sql += QStringLiteral("CREATE VIEW \"%1\" AS SELECT * FROM \"%2\";\n").arg(it.key(), it.value());
    }
    return sql;
}

} // namespace

bool writeBook(const QString& path, const BookSpec& spec, QString* error)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    const QByteArray file = QFile::encodeName(path);
    if (sqlite3_open(file.constData(), &db) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return false;
    }
    const QByteArray sql = ("BEGIN;\n" + script(spec) + "COMMIT;").toUtf8();
    char* message = nullptr;
    const bool ok = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) == SQLITE_OK;
    if (!ok && error)
        *error = QString::fromUtf8(message);
    sqlite3_free(message);
    sqlite3_close(db);
    return ok;
}
