#pragma once
// Test books: a small namaz.mdb written with exactly the tables, stored
// queries, fields and rows a test asks for.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

struct BookRow {
    QString kholase, porsesh, pasokh, pavaraghi;
};

struct BookTable {
    QStringList fields{"kholase", "porsesh", "pasokh", "pavaraghi"};
    QList<BookRow> rows;
};

struct BookSpec {
    QMap<QString, BookTable> tables;     // table name -> content
    QMap<QString, QString> storedQueries; // view name -> table it selects from

    // The seven tables and seven stored queries of a complete book, each
    // table holding `rowsPerTable` rows titled "<table> <n>" (n from 1).
    static BookSpec complete(int rowsPerTable = 3);

    BookSpec& withoutTable(const QString& table);
    BookSpec& withoutStoredQuery(const QString& name);
    BookSpec& withoutField(const QString& table, const QString& field);
    BookSpec& withRows(const QString& table, const QList<BookRow>& rows);
};

// The six category tables, then the combined table, in catalogue order.
QStringList bookTables();
// The stored query of each table, in the same order.
QStringList bookStoredQueries();

// Writes the book to `path` (replacing any file there). Returns false and
// sets `error` when SQLite refuses.
bool writeBook(const QString& path, const BookSpec& spec, QString* error = nullptr);
