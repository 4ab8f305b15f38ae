#pragma once
// The one connection to the book file. The file is opened read-only and is
// never created: a missing file is an error, as is a file that is not a
// database. Other programs keep full access to it while the reader runs.
// An Access (Jet or ACE) book is read through an SQLite copy of it in a
// temporary folder, which lives as long as the connection is open.

#include <QObject>
#include <QString>

#include <memory>

class QTemporaryDir;
struct sqlite3;

enum class TConnectMode { cmShareDenyNone };

class TADOConnection : public QObject {
    Q_OBJECT
public:
    TADOConnection(QObject* owner, const QString& name);
    ~TADOConnection() override;

    QString ConnectionString;
    QString Provider;
    bool LoginPrompt = false;
    TConnectMode Mode = TConnectMode::cmShareDenyNone;

    bool Connected() const { return db != nullptr; }
    // Opening throws EDatabaseError with the engine's message.
    void setConnected(bool connected);

    // The file named by the connection string's "Data Source", resolved
    // against the current working directory.
    QString dataSourcePath() const;

    // The engine's handle while connected.
    sqlite3* handle() const { return db; }

private:
    void open();
    void close();

    QString qtConnectionName;
    sqlite3* db = nullptr;
    std::unique_ptr<QTemporaryDir> jetCopyFolder;
};
