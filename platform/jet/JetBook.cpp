#include "platform/jet/JetBook.h"

#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>

namespace platform {

namespace {

// Copying a book of a few megabytes takes well under a second; a child that
// runs this long is looping on a damaged file.
constexpr int copyTimeLimitMs = 30000;
// The reader's own reason is the last line of its error output; only the
// end of that output is read, however much the library wrote before.
constexpr qint64 reasonTailBytes = 4096;

QString notAnAccessDatabase()
{
    return QStringLiteral("The book file could not be read as an Access database.");
}

// Beside the running program when installed; in the build tree otherwise.
QString converterPath()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/nivara-jet2sqlite");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStringLiteral(NIVARA_JET2SQLITE_BUILD_PATH);
}

QString lastLineOf(const QString& path)
{
    QFile log(path);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    if (log.size() > reasonTailBytes)
        log.seek(log.size() - reasonTailBytes);
    const QStringList lines = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

// Copies the file, or throws the reader's reason.
QString runConverter(const QString& jetPath, const QTemporaryDir& folder)
{
    const QString copyPath = folder.filePath(QStringLiteral("book.sqlite"));
    const QString logPath = folder.filePath(QStringLiteral("reader.log"));

    QProcess child;
    child.setProgram(converterPath());
    child.setArguments({jetPath, copyPath});
    child.setStandardInputFile(QProcess::nullDevice());
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardErrorFile(logPath);
    child.start();
    if (!child.waitForStarted())
        throw EDatabaseError(QStringLiteral("The Access database reader could not be started: ") + child.errorString());
    if (!child.waitForFinished(copyTimeLimitMs)) {
        child.kill();
        child.waitForFinished();
        throw EDatabaseError(QStringLiteral("The book file could not be read as an Access database in time."));
    }
    if (child.exitStatus() == QProcess::CrashExit)
        throw EDatabaseError(notAnAccessDatabase());
    if (child.exitCode() != 0) {
        const QString reason = lastLineOf(logPath);
        throw EDatabaseError(reason.isEmpty() ? notAnAccessDatabase() : reason);
    }
    return copyPath;
}

// A file that could not be copied fails the same way until it changes: the
// datasets that each try the connection again do not start the reader once
// more each, nor wait for it each time it hangs.
struct FailedCopy {
    qint64 size;
    QDateTime modified;
    QString reason;
};

QHash<QString, FailedCopy>& failedCopies()
{
    static QHash<QString, FailedCopy> failed;
    return failed;
}

} // namespace

bool isJetFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(20);
    return header.size() == 20
        && (header.mid(4) == QByteArray("Standard Jet DB\0", 16) || header.mid(4) == QByteArray("Standard ACE DB\0", 16));
}

QString copyJetBook(const QString& jetPath, const QTemporaryDir& folder)
{
    if (!folder.isValid())
        throw EDatabaseError(QStringLiteral("No temporary folder for the copy of the book: ") + folder.errorString());
    const QFileInfo book(jetPath);
    const auto known = failedCopies().constFind(jetPath);
    if (known != failedCopies().constEnd() && known->size == book.size() && known->modified == book.lastModified())
        throw EDatabaseError(known->reason);
    try {
        return runConverter(jetPath, folder);
    } catch (const EDatabaseError& error) {
        failedCopies().insert(jetPath, {book.size(), book.lastModified(), error.Message});
        throw;
    }
}

} // namespace platform
