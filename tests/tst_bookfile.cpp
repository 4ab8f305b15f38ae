// Reading the book file: what loading reports, component by component, for
// every kind of bad book, and the data layer's datasets and bound controls.

#include "BookDirectory.h"
#include "BookFixture.h"
#include "BoxRecorder.h"

#include "Unit1/Publisher.h"
#include "Unit1/Tmain.h"
#include "jamkol/startup.h"
#include "platform/DBControls.h"
#include "platform/Exceptions.h"
#include "platform/TADOConnection.h"
#include "platform/TADODataSet.h"
#include "platform/TDataSource.h"

#include <QtTest>

#include <memory>

namespace {

enum class BookKind { Written, WriteAheadLog, Missing, TextFile, EmptyFile, Directory };

struct Book {
    BookKind kind = BookKind::Written;
    BookSpec spec;
};

Book written(const BookSpec& spec)
{
    return {BookKind::Written, spec};
}

Book notABook(BookKind kind)
{
    return {kind, {}};
}

void placeBook(const QString& path, const Book& book)
{
    switch (book.kind) {
    case BookKind::Written:
        QVERIFY(writeBook(path, book.spec));
        break;
    case BookKind::WriteAheadLog: {
        // A book its writer left in write-ahead-log mode: once the writer
        // closes, only the mode in the header remains.
        QVERIFY(writeBook(path, book.spec));
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        break;
    }
    case BookKind::Missing:
        break;
    case BookKind::TextFile: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("These are notes, not a book of questions.\nA second line.\n");
        break;
    }
    case BookKind::EmptyFile: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        break;
    }
    case BookKind::Directory:
        QVERIFY(QDir().mkdir(path));
        QVERIFY(writeBook(path + "/namaz.mdb", BookSpec::complete(1)));
        break;
    }
}

QString openOrClosed(const TCustomADODataSet* set)
{
    return set->Active() ? QStringLiteral("open") : QStringLiteral("closed");
}

// One line per view: whether its stored query and its query are open, the
// query's count, the rows of its title list and the texts of its title text
// and three panes.
QString viewState(const ViewRow& row)
{
    return QStringLiteral("%1: %2 %3, %4 rows, %5 listed | %6 | %7 | %8 | %9")
        .arg(row.table, openOrClosed(row.storedQueryTable), openOrClosed(row.query))
        .arg(row.query->RecordCount())
        .arg(row.list->model()->rowCount())
        .arg(row.titleText->text(), row.questionPane->toPlainText(), row.answerPane->toPlainText(),
             row.footnotePane->toPlainText());
}

// What a view shows right after start-up with BookSpec::complete(3), or when
// its query failed to open.
QString expectedViewState(const QString& table, bool storedQueryClosed, bool empty)
{
    const QString storedQuery = storedQueryClosed ? QStringLiteral("closed") : QStringLiteral("open");
    if (empty)
        return QStringLiteral("%1: %2 closed, 0 rows, 0 listed |  |  |  | ").arg(table, storedQuery);
    return QStringLiteral("%1: %2 open, 3 rows, 3 listed | %3 | %3 question | %3 answer | %3 notes")
        .arg(table, storedQuery, table + " 1");
}

QStringList repeated(int times, const QString& text)
{
    QStringList texts;
    for (int i = 0; i < times; ++i)
        texts << text;
    return texts;
}

// Every view query and every stored query of an empty database fails.
QStringList noTablesAnywhere()
{
    QStringList texts;
    const QStringList tables = bookTables();
    const QStringList queries = bookStoredQueries();
    for (int i = 0; i < tables.size(); ++i)
        texts << "no such table: " + queries[i] + "." << "no such table: " + tables[i] + ".";
    return texts;
}

// A reader of its own over one book, as the browser window's components are.
class Reader {
public:
    explicit Reader(const BookSpec& spec)
    {
        book = dir.filePath("namaz.mdb");
        if (!writeBook(book, spec))
            qFatal("cannot write the test book");
        QDir::setCurrent(dir.path());
        connection.ConnectionString =
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=namaz.mdb;Persist Security Info=False";
    }

    TADOQuery& query(const QStringList& lines)
    {
        auto* made = new TADOQuery(&connection, "Qtest");
        made->Connection = &connection;
        for (const QString& line : lines)
            made->SQL.Add(line);
        return *made;
    }

    TADOTable& table(const QString& name)
    {
        auto* made = new TADOTable(&connection, "ADOTable1");
        made->Connection = &connection;
        made->TableName = name;
        return *made;
    }

    QTemporaryDir dir;
    QString book;
    TADOConnection connection{nullptr, "ADOConnection1"};
};

QList<BookRow> titledRows(const QString& table, int count)
{
    QList<BookRow> rows;
    for (int n = 1; n <= count; ++n) {
        const QString title = QStringLiteral("%1 %2").arg(table).arg(n);
        rows.append({title, title + " question", title + " answer", title + " notes"});
    }
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(Book)

class TestBookFile : public QObject {
    Q_OBJECT
private slots:
    void loading_data();
    void loading();

    void recordCount_data();
    void recordCount();
    void moves_data();
    void moves();
    void emptyTable();
    void reopenAfterNewText();
    void fieldTexts();
    void closedDataSetShowsEmptyControls();
    void noStatementStaysOpen_data();
    void noStatementStaysOpen();
};

void TestBookFile::loading_data()
{
    QTest::addColumn<Book>("book");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("closedStoredQueries"); // by the table of their view
    QTest::addColumn<QStringList>("emptyViews");

    const QStringList none;
    const QStringList allViews = bookTables();
    const QStringList unopened = repeated(15, "unable to open database file.");
    const QStringList notADatabase = repeated(15, "file is not a database.");

    QTest::newRow("completeBook") << written(BookSpec::complete(3)) << none << none << none;
    // The connection fails, then every dataset tries it again.
    QTest::newRow("writeAheadLogBook") << Book{BookKind::WriteAheadLog, BookSpec::complete(3)} << none << none << none;
    QTest::newRow("missingFile") << notABook(BookKind::Missing) << unopened << allViews << allViews;
    // Nothing reads the stored query, so the view itself works.
    QTest::newRow("missingStoredQuery") << written(BookSpec::complete(3).withoutStoredQuery("Qnamaz"))
                                        << QStringList{"no such table: Qnamaz."} << QStringList{"namaz"} << none;
    QTest::newRow("missingTitleField") << written(BookSpec::complete(3).withoutField("motefareghe", "kholase"))
                                       << QStringList{"DBTextmotefar: Field 'kholase' not found."} << none
                                       << QStringList{"motefareghe"};
    QTest::newRow("missingQuestionField") << written(BookSpec::complete(3).withoutField("moghadamat", "porsesh"))
                                          << QStringList{"Memopomoghadamat: Field 'porsesh' not found."} << none
                                          << QStringList{"moghadamat"};
    QTest::newRow("missingAnswerField") << written(BookSpec::complete(3).withoutField("jamkol", "pasokh"))
                                        << QStringList{"Memopajamkol: Field 'pasokh' not found."} << none
                                        << QStringList{"jamkol"};
    QTest::newRow("missingFootnoteField") << written(BookSpec::complete(3).withoutField("vajeb", "pavaraghi"))
                                          << QStringList{"Memomavajeb: Field 'pavaraghi' not found."} << none
                                          << QStringList{"vajeb"};
    QTest::newRow("missingFirstFootnoteField")
        << written(BookSpec::complete(3).withoutField("kolliyat", "pavaraghi"))
        << QStringList{"Memomankolliyat: Field 'pavaraghi' not found."} << none << QStringList{"kolliyat"};
    // The stored query over the missing table fails as well, first.
    QTest::newRow("missingTable") << written(BookSpec::complete(3).withoutTable("motefareghe"))
                                  << QStringList{"no such table: main.motefareghe.", "no such table: motefareghe."}
                                  << QStringList{"motefareghe"} << QStringList{"motefareghe"};
    QTest::newRow("textFile") << notABook(BookKind::TextFile) << notADatabase << allViews << allViews;
    // To SQLite a file of no bytes is a database with no tables.
    QTest::newRow("emptyFile") << notABook(BookKind::EmptyFile) << noTablesAnywhere() << allViews << allViews;
    // SQLite opens a directory and fails when it reads it.
    QTest::newRow("directory") << notABook(BookKind::Directory) << repeated(15, "disk I/O error.") << allViews << allViews;
}

void TestBookFile::loading()
{
    static bool started = false;
    if (started)
        QSKIP("the program starts once per process: run one row at a time (loading:<row>)");
    started = true;

    QFETCH(Book, book);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, closedStoredQueries);
    QFETCH(QStringList, emptyViews);

    QTemporaryDir dir;
    placeBook(dir.filePath("namaz.mdb"), book);
    const QStringList before = directoryState(dir.path());
    QVERIFY(QDir::setCurrent(dir.path()));

    BoxRecorder recorder;
    startUp();

    QCOMPARE(recorder.texts(), shown);
    for (const RecordedBox& box : recorder.boxes) {
        QCOMPARE(box.caption, publisherName());
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        // The engine's messages are English.
        QCOMPARE(box.direction, Qt::LeftToRight);
    }

    QStringList states, expected;
    for (const ViewRow& row : Unit1::main->views()) {
        states << viewState(row);
        expected << expectedViewState(row.table, closedStoredQueries.contains(row.table),
                                      emptyViews.contains(row.table));
    }
    QCOMPARE(states, expected);

    shutDown();
    QCOMPARE(directoryState(dir.path()), before);
}

void TestBookFile::recordCount_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("lastListed");

    const QStringList whole{"SELECT *", "FROM kolliyat;"};
    QTest::newRow("empty table") << 0 << whole << 0 << QString();
    QTest::newRow("one row") << 1 << whole << 1 << "kolliyat 1";
    // More rows than a driver fetches in one go.
    QTest::newRow("past a fetch batch") << 300 << whole << 300 << "kolliyat 300";
    // A stored query has no row ids and is read whole.
    QTest::newRow("stored query") << 300 << QStringList{"SELECT * FROM Qkolliyat"} << 300 << "kolliyat 300";
    QTest::newRow("filtered") << 300 << QStringList{"SELECT * FROM kolliyat where kholase like 'kolliyat 2__' "}
                              << 100 << "kolliyat 299";
    QTest::newRow("filtered to nothing") << 300 << QStringList{"SELECT * FROM kolliyat where kholase like '%x%'"}
                                         << 0 << QString();
}

void TestBookFile::recordCount()
{
    QFETCH(int, rows);
    QFETCH(QStringList, sql);
    QFETCH(int, count);
    QFETCH(QString, lastListed);

    Reader reader(BookSpec::complete(0).withRows("kolliyat", titledRows("kolliyat", rows)));
    TADOQuery& query = reader.query(sql);
    query.setListField("kholase");
    query.Open();
    QCOMPARE(query.RecordCount(), count);
    QCOMPARE(query.listText(count - 1), lastListed);
    QCOMPARE(query.RecNo(), count > 0 ? 0 : -1);
}

void TestBookFile::moves_data()
{
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<QString>("moves"); // F(irst), P(rior), N(ext), L(ast)
    QTest::addColumn<int>("recNo");

    const QStringList table{"SELECT *", "FROM kolliyat;"};
    const QStringList storedQuery{"SELECT * FROM Qkolliyat"};
    for (const auto& [source, sql] : {std::pair{"table", table}, std::pair{"stored query", storedQuery}}) {
        const auto row = [source](const char* name) -> QTestData& { return QTest::addRow("%s, %s", source, name); };
        row("Prior on the first row") << sql << "P" << 0;
        row("Next") << sql << "N" << 1;
        row("Next past the last row") << sql << "NNNN" << 2;
        row("Last, then Next") << sql << "LN" << 2;
        row("Last, then Prior") << sql << "LP" << 1;
        row("First from the last row") << sql << "LF" << 0;
        row("Prior back to the first row") << sql << "NNPPP" << 0;
    }
}

void TestBookFile::moves()
{
    QFETCH(QStringList, sql);
    QFETCH(QString, moves);
    QFETCH(int, recNo);

    Reader reader(BookSpec::complete(3));
    TADOQuery& query = reader.query(sql);
    query.Open();
    for (const QChar move : moves) {
        switch (move.toLatin1()) {
        case 'F': query.First(); break;
        case 'P': query.Prior(); break;
        case 'N': query.Next(); break;
        case 'L': query.Last(); break;
        }
    }
    QCOMPARE(query.RecNo(), recNo);
    QCOMPARE(query.FieldText("kholase"), QStringLiteral("kolliyat %1").arg(recNo + 1));
}

void TestBookFile::emptyTable()
{
    Reader reader(BookSpec::complete(0));
    TADOQuery& query = reader.query({"SELECT *", "FROM kolliyat;"});
    query.Open();
    QSignalSpy moved(&query, &TCustomADODataSet::recordChanged);
    query.Next();
    query.Last();
    query.Prior();
    query.First();
    QVERIFY(query.Active());
    QVERIFY(query.IsEmpty());
    QCOMPARE(query.RecNo(), -1);
    QCOMPARE(query.FieldText("kholase"), QString());
    QCOMPARE(moved.count(), 0);
}

void TestBookFile::reopenAfterNewText()
{
    Reader reader(BookSpec::complete(3));
    TADOQuery& query = reader.query({"SELECT *", "FROM kolliyat;"});
    query.Open();
    query.Last();
    // Opening what is open changes nothing, not even the current record.
    query.Open();
    QCOMPARE(query.RecNo(), 2);

    query.SQL.Clear();
    QVERIFY(!query.Active());
    QCOMPARE(query.RecordCount(), 0);
    QCOMPARE(query.FieldText("kholase"), QString());
    query.Close();
    query.SQL.Add("SELECT * FROM kolliyat where kholase like '%2' ");
    query.Open();
    QCOMPARE(query.RecordCount(), 1);
    QCOMPARE(query.FieldText("kholase"), "kolliyat 2");

    query.SQL.Clear();
    query.SQL.Add("SELECT * FROM kolliyat ");
    query.Open();
    query.Next();
    query.Close();
    query.Open();
    QCOMPARE(query.RecordCount(), 3);
    QCOMPARE(query.RecNo(), 0);
    QCOMPARE(query.FieldText("kholase"), "kolliyat 1");
}

void TestBookFile::fieldTexts()
{
    const BookRow second{"عنوان 'دوم'", "پرسش\r\nدو سطر", "پاسخ 100% درست", ""};
    Reader reader(BookSpec::complete(0).withRows("kolliyat", {titledRows("kolliyat", 1).first(), second}));
    for (const QString& table : {"kolliyat", "Qkolliyat"}) {
        TADOQuery& query = reader.query({"SELECT * FROM " + table});
        query.Open();
        query.Next();
        QCOMPARE(query.FieldText("kholase"), second.kholase);
        QCOMPARE(query.FieldText("porsesh"), second.porsesh);
        QCOMPARE(query.FieldText("PASOKH"), second.pasokh);
        QCOMPARE(query.FieldText("pavaraghi"), QString());
        QCOMPARE(query.FieldText("nosuchfield"), QString());
        query.Prior();
        QCOMPARE(query.FieldText("pasokh"), "kolliyat 1 answer");
    }
}

void TestBookFile::closedDataSetShowsEmptyControls()
{
    Reader reader(BookSpec::complete(3));
    TADOQuery& query = reader.query({"SELECT *", "FROM kolliyat;"});
    TDataSource source(nullptr, "Dqkolliyat");
    source.setDataSet(&query);
    QWidget window;
    TDBText title(&window, "DBTextkolliyat", 0, 0, 200, 17);
    TDBMemo answer(&window, "Memopakolliyat", 0, 20, 200, 100);
    TDBGrid list(&window, "DBkolliyat", 0, 130, 200, 100);
    title.bind(&source, "kholase");
    answer.bind(&source, "pasokh");
    list.bind(&source, "kholase", "titles");
    const auto shown = [&] {
        return QStringList{title.text(), answer.toPlainText(), QString::number(list.model()->rowCount())};
    };

    QCOMPARE(shown(), (QStringList{"", "", "0"}));
    query.Open();
    query.Last();
    QCOMPARE(shown(), (QStringList{"kolliyat 3", "kolliyat 3 answer", "3"}));
    query.Close();
    QCOMPARE(shown(), (QStringList{"", "", "0"}));
    query.Open();
    QCOMPARE(shown(), (QStringList{"kolliyat 1", "kolliyat 1 answer", "3"}));
}

void TestBookFile::noStatementStaysOpen_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("writer");

    // The probe itself: a live statement holds a shared lock and the writer fails.
    QTest::newRow("a statement left open on purpose") << "live statement" << "database is locked";
    QTest::newRow("after opening") << "opened" << QString();
    QTest::newRow("after moving through the rows") << "moved" << QString();
    QTest::newRow("after counting a stored query") << "counted" << QString();
    QTest::newRow("after a failed open") << "failed" << QString();
}

void TestBookFile::noStatementStaysOpen()
{
    QFETCH(QString, state);
    QFETCH(QString, writer);

    Reader reader(BookSpec::complete(3));
    TADOQuery& query = reader.query({"SELECT *", "FROM kolliyat;"});
    query.Open();
    sqlite3_stmt* live = nullptr;
    if (state == "live statement") {
        sqlite3_prepare_v2(reader.connection.handle(), "SELECT * FROM kolliyat", -1, &live, nullptr);
        QCOMPARE(sqlite3_step(live), SQLITE_ROW);
    } else if (state == "moved") {
        query.Last();
        query.Prior();
    } else if (state == "counted") {
        TADOTable& table = reader.table("Qkolliyat");
        table.Open();
        QCOMPARE(table.RecordCount(), 3);
    } else if (state == "failed") {
        TADOQuery& broken = reader.query({"SELECT * FROM nowhere"});
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, broken.Open());
    }
    if (!live)
        QCOMPARE(sqlite3_next_stmt(reader.connection.handle(), nullptr), nullptr);

    QCOMPARE(writeExclusively(reader.book, "kolliyat"), writer);
    sqlite3_finalize(live);
    if (writer.isEmpty()) {
        // The snapshot keeps what it read until the query is opened again.
        QCOMPARE(query.RecordCount(), 3);
        query.Close();
        query.Open();
        QCOMPARE(query.RecordCount(), 4);
    }
}

QTEST_MAIN(TestBookFile)
#include "tst_bookfile.moc"
