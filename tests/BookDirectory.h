#pragma once
// What a test needs to prove that the reader never writes: the state of a
// directory, and another program writing to a book while the reader runs.

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

// Every entry under `path`, with size, modification time and content hash,
// and the directories' own modification times (a file made and removed
// again still changes them).
inline QStringList directoryState(const QString& path)
{
    const QDir root(path);
    QStringList state{QStringLiteral("./ modified %1").arg(QFileInfo(path).lastModified().toMSecsSinceEpoch())};
    QDirIterator entries(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo info = entries.nextFileInfo();
        QString entry = root.relativeFilePath(info.filePath());
        entry += QStringLiteral("%1 modified %2").arg(info.isDir() ? QStringLiteral("/") : QString())
                     .arg(info.lastModified().toMSecsSinceEpoch());
        if (info.isFile()) {
            QFile file(info.filePath());
            file.open(QIODevice::ReadOnly);
            entry += QStringLiteral(" %1 bytes sha1 %2")
                         .arg(info.size())
                         .arg(QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex()));
        }
        state << entry;
    }
    state.sort();
    return state;
}

// Another program takes the book for itself and adds a row to `table`.
// Returns the engine's message, or an empty text when the write went through.
inline QString writeExclusively(const QString& book, const QString& table)
{
    sqlite3* db = nullptr;
    const QByteArray file = QFile::encodeName(book);
    QString message;
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        const QByteArray sql =
            QStringLiteral("BEGIN EXCLUSIVE; INSERT INTO %1 (kholase) VALUES ('written by another'); COMMIT;")
                .arg(table)
                .toUtf8();
        char* error = nullptr;
        if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK)
            message = QString::fromUtf8(error);
        sqlite3_free(error);
    } else {
        message = QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_close(db);
    return message;
}
