// nivara-jetbench [--samples N] [FILE ...]: what an Access book costs at
// start-up. For each file, the connection is opened on it (the copy into a
// temporary SQLite database included) and, taking turns with it, on an SQLite
// copy of the same file, which costs what any SQLite book costs. Without files
// it measures the sample Access databases of the shared test data.

#include "bench/Timing.h"
#include "platform/TADOConnection.h"
#include "platform/jet/JetBook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double openMs(const QString& path)
{
    TADOConnection connection(nullptr, QStringLiteral("ADOConnection1"));
    connection.ConnectionString = QStringLiteral("Data Source=") + path;
    const bench::Stopwatch clock;
    connection.setConnected(true);
    return clock.ms();
}

QStringList sharedSamples()
{
    const QDir jet(QStringLiteral(NIVARA_SOURCE_DIR "/../shared/fixtures/jet"));
    QStringList files;
    for (const QString& name : jet.entryList({QStringLiteral("*.mdb"), QStringLiteral("*.accdb")}, QDir::Files))
        files << jet.filePath(name);
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    int samples = 9;
    if (arguments.size() >= 2 && arguments.first() == QLatin1String("--samples")) {
        samples = qMax(1, arguments.at(1).toInt());
        arguments = arguments.mid(2);
    }
    const QStringList files = arguments.isEmpty() ? sharedSamples() : arguments;

    std::printf("| file | size | open the Access book (ms) | open its SQLite copy (ms) | ratio |\n");
    std::printf("|---|---:|---:|---:|---:|\n");
    for (const QString& file : files) {
        const QString path = QFileInfo(file).absoluteFilePath();
        QTemporaryDir folder;
        const QString copy = platform::copyJetBook(path, folder);
        std::vector<double> jet, sqlite;
        for (int i = 0; i < samples; ++i) {
            jet.push_back(openMs(path));
            sqlite.push_back(openMs(copy));
        }
        const double jetMs = bench::median(jet), sqliteMs = bench::median(sqlite);
        std::printf("| %s | %.1f MB | %.1f | %.2f | %.0fx |\n", qPrintable(QFileInfo(path).fileName()),
                    QFileInfo(path).size() / 1e6, jetMs, sqliteMs, jetMs / sqliteMs);
    }
    return 0;
}
