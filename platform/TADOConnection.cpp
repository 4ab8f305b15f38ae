#include "platform/TADOConnection.h"

#include "platform/Exceptions.h"
#include "platform/PersianLike.h"
#include "platform/jet/JetBook.h"

#include <sqlite3.h>

#include <QDir>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QTemporaryDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

QString connectionSetting(const QString& connectionString, const QString& key)
{
    for (const QString& part : connectionString.split(QLatin1Char(';'))) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        if (equals > 0 && part.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return part.mid(equals + 1).trimmed();
    }
    return {};
}

// A book its writer left in write-ahead-log mode (bytes 18 and 19 of an
// SQLite header are 2) would make even a read-only reader create the log
// and its index beside it. While no writer has the log open, nothing can
// change, so such a book is read as immutable and nothing is written.
bool isIdleWriteAheadLogBook(const QString& file)
{
    QFile book(file);
    if (!book.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = book.read(20);
    return header.startsWith("SQLite format 3") && header.size() == 20 && header[18] == 2 && header[19] == 2
           && !QFileInfo::exists(file + QStringLiteral("-wal"));
}

QString engineMessage(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
}

} // namespace

TADOConnection::TADOConnection(QObject* owner, const QString& name) : QObject(owner)
{
    setObjectName(name);
    static int serial = 0;
    qtConnectionName = QStringLiteral("nivara-%1").arg(++serial);
}

TADOConnection::~TADOConnection()
{
    close();
}

QString TADOConnection::dataSourcePath() const
{
    return QDir::current().absoluteFilePath(connectionSetting(ConnectionString, QStringLiteral("Data Source")));
}

void TADOConnection::setConnected(bool connected)
{
    if (connected == Connected())
        return;
    if (connected)
        open();
    else
        close();
}

void TADOConnection::open()
{
    // The engine is chosen by the file's first bytes, never by its name.
    QString file = dataSourcePath();
    std::unique_ptr<QTemporaryDir> copyFolder;
    if (platform::isJetFile(file)) {
        copyFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/nivara-XXXXXX"));
        file = platform::copyJetBook(file, *copyFolder);
    }
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), qtConnectionName);
    // Read-only never creates the file and takes no write lock.
    QString options = QStringLiteral("QSQLITE_OPEN_READONLY");
    if (isIdleWriteAheadLogBook(file)) {
        QUrl immutable = QUrl::fromLocalFile(file);
        immutable.setQuery(QStringLiteral("immutable=1"));
        file = immutable.toString(QUrl::FullyEncoded);
        options += QStringLiteral(";QSQLITE_OPEN_URI");
    }
    database.setDatabaseName(file);
    database.setConnectOptions(options);
    if (!database.open()) {
        const QString message = engineMessage(database.lastError());
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(qtConnectionName);
        throw EDatabaseError(message);
    }
    sqlite3* opened = *static_cast<sqlite3* const*>(database.driver()->handle().data());
    // SQLite reads a file lazily: make it show now whether it is a database.
    char* error = nullptr;
    if (sqlite3_exec(opened, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(opened));
        sqlite3_free(error);
        database.close();
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(qtConnectionName);
        throw EDatabaseError(message);
    }
    // Titles and answers match the way Persian readers type.
    platform::registerPersianLike(opened);
    db = opened;
    jetCopyFolder = std::move(copyFolder);
}

void TADOConnection::close()
{
    if (!db)
        return;
    db = nullptr;
    {
        QSqlDatabase database = QSqlDatabase::database(qtConnectionName, false);
        database.close();
    }
    QSqlDatabase::removeDatabase(qtConnectionName);
    jetCopyFolder.reset();
}
