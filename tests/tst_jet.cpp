// Access books: a Jet 3, Jet 4 or ACE file opens through the connection as
// an SQLite book does, with the same statements, like, counts and text, and
// a damaged one gives error boxes, never a crash or a hang. The sample
// files are generic databases, none of them a book.

#include "BookFixture.h"

#include "Unit1/Tmain.h"
#include "jamkol/startup.h"
#include "platform/Exceptions.h"
#include "platform/MessageBoxes.h"
#include "platform/TADOConnection.h"
#include "platform/TADODataSet.h"

#include <QtTest>

#include <array>
#include <memory>

namespace {

QString sample(const QString& name)
{
    return qEnvironmentVariable("NIVARA_SOURCE_DIR") + QStringLiteral("/../shared/fixtures/jet/") + name;
}

QByteArray sampleBytes(const QString& name)
{
    QFile file(sample(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the sample %s", qPrintable(name));
    return file.readAll();
}

std::unique_ptr<TADOConnection> connectionTo(const QString& path)
{
    auto connection = std::make_unique<TADOConnection>(nullptr, QStringLiteral("ADOConnection1"));
    connection->ConnectionString = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
    return connection;
}

std::unique_ptr<TADOQuery> openQuery(TADOConnection& connection, const QString& sql)
{
    auto query = std::make_unique<TADOQuery>(nullptr, QStringLiteral("Q"));
    query->Connection = &connection;
    query->SQL.Add(sql);
    query->Open();
    return query;
}

// The copies the connection makes, in the temporary folder.
QStringList copyFolders()
{
    return QDir(QDir::tempPath()).entryList({QStringLiteral("nivara-*")}, QDir::Dirs | QDir::Hidden);
}

// Names, sizes and times of everything in a folder.
QStringList folderState(const QString& path)
{
    QStringList state;
    for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        state << QStringLiteral("%1 %2 %3").arg(entry.fileName()).arg(entry.size())
                     .arg(entry.lastModified().toMSecsSinceEpoch());
    return state << QString::number(QFileInfo(path).lastModified().toMSecsSinceEpoch());
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The header of a Jet file from offset 0x18 is stored masked with an RC4
// key stream; the code page and the sort order's language lie in it.
QByteArray headerMask(int length)
{
    std::array<unsigned char, 256> state;
    for (int i = 0; i < 256; ++i)
        state[i] = static_cast<unsigned char>(i);
    const unsigned char key[4] = {0xc7, 0xda, 0x39, 0x6b};
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + state[i] + key[i % 4]) % 256;
        std::swap(state[i], state[j]);
    }
    QByteArray mask(length, '\0');
    for (int n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) % 256;
        j = (j + state[i]) % 256;
        std::swap(state[i], state[j]);
        mask[n] = char(state[(state[i] + state[j]) % 256]);
    }
    return mask;
}

void setHeaderWord(QByteArray& file, int offset, quint16 value)
{
    const QByteArray mask = headerMask(offset + 2 - 0x18);
    file[offset] = char((value & 0xff) ^ quint8(mask[offset - 0x18]));
    file[offset + 1] = char((value >> 8) ^ quint8(mask[offset + 1 - 0x18]));
}

QByteArray withJetHeaderThenGarbage()
{
    QByteArray file = sampleBytes("nwind.mdb").left(4096);
    QRandomGenerator random(7);
    for (int i = 0; i < 100 * 1024; ++i)
        file.append(char(random.bounded(256)));
    return file;
}

class BoxTexts {
public:
    BoxTexts()
    {
        platform::setBoxHook([this](QMessageBox& box) {
            texts << box.text();
            return QMessageBox::Ok;
        });
    }
    ~BoxTexts() { platform::setBoxHook({}); }
    QStringList texts;
};

} // namespace

class TestJet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void rows_data();
    void rows();
    void text_data();
    void text();
    void memosWhole();
    void codePage_data();
    void codePage();
    void storedQueries_data();
    void storedQueries();
    void engineByFirstBytes_data();
    void engineByFirstBytes();
    void copyLivesWithTheConnection();
    void badFiles_data();
    void badFiles();
    void foreignBookAtStartUp();
    void damagedBookAtStartUp();

private:
    QTemporaryDir scratch; // the temporary folder of this test's copies
};

void TestJet::initTestCase()
{
    QVERIFY(scratch.isValid());
    qputenv("TMPDIR", scratch.path().toLocal8Bit());
    QCOMPARE(QDir::tempPath(), scratch.path());
    QVERIFY2(QFileInfo::exists(sample("nwind.mdb")), qPrintable(sample("nwind.mdb")));
}

// Counts read once from the files with the statements below.
void TestJet::rows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("count");
    QTest::newRow("Jet 3 table") << "nwind.mdb" << "SELECT * FROM Customers" << 91;
    QTest::newRow("Jet 3 like") << "nwind.mdb" << "SELECT * FROM Customers where CompanyName like 'Océ%'" << 1;
    QTest::newRow("Jet 3 like, no row") << "nwind.mdb" << "SELECT * FROM Customers where CompanyName like 'Océx%'" << 0;
    QTest::newRow("Jet 3 nulls stay null") << "nwind.mdb" << "SELECT * FROM Customers where Region like '%'" << 31;
    QTest::newRow("Jet 3 largest table") << "nwind.mdb" << "SELECT * FROM \"Order Details\"" << 2155;
    QTest::newRow("Jet 3 umlaut in the name") << "nwind.mdb" << "SELECT * FROM \"Umsätze\"" << 830;
    QTest::newRow("Jet 3 numbers") << "nwind.mdb" << "SELECT * FROM \"Order Details\" where Discount = 0.15" << 157;
    QTest::newRow("Jet 4 table") << "DateTestDatabase.mdb" << "SELECT * FROM DateTest" << 6;
    QTest::newRow("Jet 4 like on a memo") << "DateTestDatabase.mdb" << "SELECT * FROM DateTest where LongTextCol like '%new line%'" << 2;
    QTest::newRow("ACE table") << "ASampleDatabase.accdb" << "SELECT * FROM \"Asset Items\"" << 65;
    QTest::newRow("ACE like") << "ASampleDatabase.accdb" << "SELECT * FROM \"Asset Items\" where \"Asset Category\" like 'computer%'" << 25;
}

void TestJet::rows()
{
    QFETCH(QString, file);
    QFETCH(QString, sql);
    QFETCH(int, count);
    const auto connection = connectionTo(sample(file));
    try {
        const auto query = openQuery(*connection, sql);
        QCOMPARE(query->RecordCount(), count);
        if (count > 0) {
            query->Last();
            QCOMPARE(query->RecNo(), count - 1);
        }
    } catch (const EDatabaseError& error) {
        QFAIL(qPrintable(error.Message));
    }
}

void TestJet::text_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("Jet 3 code page text") << "nwind.mdb" << "SELECT * FROM Customers where CustomerID = 'OCEAN'"
                                          << "CompanyName" << QStringLiteral("Océano Atlántico Ltda.");
    QTest::newRow("Jet 3 table named in its code page")
        << "nwind.mdb" << "SELECT * FROM \"Umsätze\" where OrderID = 10330" << "ShipAddress"
        << QStringLiteral("Carrera 52 con Ave. Bolívar #65-98 Llano Largo");
    QTest::newRow("Jet 3 money") << "nwind.mdb" << "SELECT * FROM Orders where OrderID = 10330" << "Freight" << "12.75";
    QTest::newRow("Jet 3 single") << "nwind.mdb" << "SELECT * FROM \"Order Details\" where Discount > 0.14 and Discount < 0.16"
                                  << "Discount" << "0.15";
    QTest::newRow("Jet 3 date") << "nwind.mdb" << "SELECT * FROM Employees where EmployeeID = 2" << "BirthDate"
                                << "1952-02-19 00:00:00";
    QTest::newRow("Jet 4 memo with a line break") << "DateTestDatabase.mdb" << "SELECT * FROM DateTest where IDCol = 6"
                                                  << "LongTextCol" << "New line\r\nin field";
    QTest::newRow("Jet 4 date of year 9999") << "DateTestDatabase.mdb" << "SELECT * FROM DateTest where IDCol = 2"
                                             << "DateTimeCol" << "9999-01-01 00:00:00";
    QTest::newRow("Jet 4 date before 1900") << "DateTestDatabase.mdb" << "SELECT * FROM DateTest where IDCol = 3"
                                            << "DateTimeCol" << "1898-01-01 00:00:00";
    QTest::newRow("Jet 4 date before 1000") << "DateTestDatabase.mdb" << "SELECT * FROM DateTest where IDCol = 4"
                                            << "DateTimeCol" << "0632-01-01 00:00:00";
    QTest::newRow("ACE text") << "ASampleDatabase.accdb" << "SELECT * FROM \"Asset Items\" where \"Asset No\" = '30050'"
                              << "Make" << "GEO Rocket";
}

void TestJet::text()
{
    QFETCH(QString, file);
    QFETCH(QString, sql);
    QFETCH(QString, field);
    QFETCH(QString, value);
    const auto connection = connectionTo(sample(file));
    try {
        const auto query = openQuery(*connection, sql);
        QVERIFY(query->RecordCount() >= 1);
        QCOMPARE(query->FieldText(field), value);
    } catch (const EDatabaseError& error) {
        QFAIL(qPrintable(error.Message));
    }
}

// The employees' notes are memos of up to 448 characters, longer than the
// text the library first reads of a value.
void TestJet::memosWhole()
{
    const auto connection = connectionTo(sample("nwind.mdb"));
    const auto query = openQuery(*connection, "SELECT * FROM Employees");
    QList<int> lengths;
    for (query->First(); lengths.size() < query->RecordCount(); query->Next())
        lengths << query->FieldText("Notes").size();
    QCOMPARE(lengths, (QList<int>{175, 448, 239, 218, 448, 324, 285, 151, 95}));
    query->moveTo(1);
    QVERIFY2(query->FieldText("Notes").endsWith("member of the Sales Management Roundtable, the Seattle Chamber of "
                                                 "Commerce, and the Pacific Rim Importers Association."),
             qPrintable(query->FieldText("Notes")));
}

// A Jet 3 file's text is in the code page its header names; when the header
// names none, the sort order's language tells.
void TestJet::codePage_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("table");
    QTest::newRow("Western European") << 1252 << 0x0409 << QStringLiteral("Umsätze");
    QTest::newRow("Arabic script") << 1256 << 0x0409 << QStringLiteral("Umsنtze");
    QTest::newRow("no code page, Persian sort order") << 0 << 0x0429 << QStringLiteral("Umsنtze");
    QTest::newRow("no code page, English sort order") << 0 << 0x0409 << QStringLiteral("Umsätze");
    QTest::newRow("unknown code page, Persian sort order") << 60000 << 0x0429 << QStringLiteral("Umsنtze");
}

void TestJet::codePage()
{
    QFETCH(int, codePage);
    QFETCH(int, language);
    QFETCH(QString, table);
    QTemporaryDir books;
    QByteArray file = sampleBytes("nwind.mdb");
    setHeaderWord(file, 0x3a, quint16(language));
    setHeaderWord(file, 0x3c, quint16(codePage));
    writeFile(books.filePath("namaz.mdb"), file);
    const auto connection = connectionTo(books.filePath("namaz.mdb"));
    try {
        const auto query = openQuery(*connection, QStringLiteral("SELECT * FROM \"%1\"").arg(table));
        QCOMPARE(query->RecordCount(), 830);
    } catch (const EDatabaseError& error) {
        QFAIL(qPrintable(error.Message));
    }
}

void TestJet::storedQueries_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("saved query") << "nwind.mdb" << "Invoices" << QString();
    QTest::newRow("saved query with spaces") << "nwind.mdb" << "Ten Most Expensive Products" << QString();
    QTest::newRow("table") << "nwind.mdb" << "Customers" << QString();
    QTest::newRow("ACE saved query") << "ASampleDatabase.accdb" << "qryCostsSummedByOwner" << QString();
    QTest::newRow("missing") << "nwind.mdb" << "Qkolliyat" << "no such table: Qkolliyat";
}

void TestJet::storedQueries()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QString, error);
    const auto connection = connectionTo(sample(file));
    TADOTable table(nullptr, QStringLiteral("ADOTable1"));
    table.Connection = connection.get();
    table.TableName = name;
    try {
        table.Open();
        QVERIFY(error.isEmpty());
        QVERIFY(table.Active());
    } catch (const EDatabaseError& failure) {
        QCOMPARE(failure.Message, error);
    }
}

// The engine is chosen by the first bytes: a Jet file named like an SQLite
// file is copied, an SQLite book named namaz.mdb is read as it is.
void TestJet::engineByFirstBytes_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("copied");
    QTest::newRow("Jet file named .sqlite") << "nwind.mdb" << "book.sqlite" << "Customers" << true;
    QTest::newRow("ACE file named .mdb") << "ASampleDatabase.accdb" << "namaz.mdb" << "\"Asset Items\"" << true;
    QTest::newRow("SQLite book named .mdb") << "" << "namaz.mdb" << "kolliyat" << false;
}

void TestJet::engineByFirstBytes()
{
    QFETCH(QString, sample);
    QFETCH(QString, name);
    QFETCH(QString, table);
    QFETCH(bool, copied);
    QTemporaryDir books;
    const QString book = books.filePath(name);
    if (sample.isEmpty())
        QVERIFY(writeBook(book, BookSpec::complete(3)));
    else
        writeFile(book, sampleBytes(sample));
    const auto connection = connectionTo(book);
    try {
        const auto query = openQuery(*connection, "SELECT * FROM " + table);
        QVERIFY(query->RecordCount() > 0);
        QCOMPARE(copyFolders().size(), copied ? 1 : 0);
    } catch (const EDatabaseError& error) {
        QFAIL(qPrintable(error.Message));
    }
}

// The copy is made in the temporary folder, never beside the book, and goes
// when the connection closes.
void TestJet::copyLivesWithTheConnection()
{
    QTemporaryDir books;
    writeFile(books.filePath("namaz.mdb"), sampleBytes("nwind.mdb"));
    const QStringList before = folderState(books.path());
    auto connection = connectionTo(books.filePath("namaz.mdb"));
    connection->setConnected(true);
    const QStringList folders = copyFolders();
    QCOMPARE(folders.size(), 1);
    QVERIFY(QDir(QDir::tempPath()).exists(folders.first() + "/book.sqlite"));
    connection->setConnected(false);
    QCOMPARE(copyFolders(), QStringList());
    connection->setConnected(true);
    QCOMPARE(copyFolders().size(), 1);
    QVERIFY(copyFolders() != folders); // a fresh copy for a fresh connection
    connection.reset(); // the program ends with the connection open
    QCOMPARE(copyFolders(), QStringList());
    QCOMPARE(folderState(books.path()), before);
}

// Every damaged file gives a message and leaves neither a copy nor anything
// beside the book; the library's hangs end at the time limit.
void TestJet::badFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("error");
    const QByteArray nwind = sampleBytes("nwind.mdb");
    QByteArray unknownVersion = nwind;
    unknownVersion[0x14] = char(0x7f);
    QByteArray aceHeaderOnly = sampleBytes("ASampleDatabase.accdb").left(4096);
    QTest::newRow("Jet header, then garbage") << withJetHeaderThenGarbage()
                                              << "The book file could not be read as an Access database.";
    QTest::newRow("ACE header page only") << aceHeaderOnly << "The book file could not be read as an Access database.";
    QTest::newRow("unknown version") << unknownVersion << "The book file could not be read as an Access database.";
    QTest::newRow("cut after its tables' pages") << nwind.left(1499136) << "The table Umsätze of the book file could not be read.";
    QTest::newRow("cut in the middle of a page, where the library hangs")
        << nwind.left(1500000) << "The book file could not be read as an Access database in time.";
    QTest::newRow("zero length: an empty SQLite database") << QByteArray() << "no such table: Customers";
}

void TestJet::badFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, error);
    QTemporaryDir books;
    writeFile(books.filePath("namaz.mdb"), file);
    const QStringList before = folderState(books.path());
    {
        const auto connection = connectionTo(books.filePath("namaz.mdb"));
        QElapsedTimer clock;
        clock.start();
        try {
            openQuery(*connection, "SELECT * FROM Customers");
            QFAIL("the damaged file opened");
        } catch (const EDatabaseError& failure) {
            QCOMPARE(failure.Message, error);
        }
        QVERIFY2(clock.elapsed() < 40000, qPrintable(QString::number(clock.elapsed())));
        // Trying again gives the same message at once.
        clock.restart();
        try {
            connection->setConnected(true);
            if (!file.isEmpty())
                QFAIL("the damaged file opened");
        } catch (const EDatabaseError& failure) {
            QCOMPARE(failure.Message, error);
        }
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }
    QCOMPARE(copyFolders(), QStringList());
    QCOMPARE(folderState(books.path()), before);
}

// A readable Access file without the book's tables fails as an SQLite book
// without them does: the connection opens, then each stored query and view
// query names what it lacks, in the catalogue's order.
void TestJet::foreignBookAtStartUp()
{
    QTemporaryDir books;
    writeFile(books.filePath("namaz.mdb"), sampleBytes("nwind.mdb"));
    QDir::setCurrent(books.path());
    BoxTexts boxes;
    startUp();
    QStringList expected;
    const QStringList tables = bookTables(), storedQueries = bookStoredQueries();
    for (int i = 0; i < tables.size(); ++i)
        expected << "no such table: " + storedQueries[i] + "." << "no such table: " + tables[i] + ".";
    QCOMPARE(boxes.texts, expected);
    QVERIFY(Unit1::main);
    shutDown();
    QCOMPARE(copyFolders(), QStringList());
}

void TestJet::damagedBookAtStartUp()
{
    QTemporaryDir books;
    writeFile(books.filePath("namaz.mdb"), withJetHeaderThenGarbage());
    QDir::setCurrent(books.path());
    BoxTexts boxes;
    startUp();
    // The connection, then each of the fourteen datasets trying it again.
    QCOMPARE(boxes.texts, QStringList(15, "The book file could not be read as an Access database."));
    QVERIFY(Unit1::main);
    shutDown();
    QCOMPARE(copyFolders(), QStringList());
}

QTEST_MAIN(TestJet)
#include "tst_jet.moc"
