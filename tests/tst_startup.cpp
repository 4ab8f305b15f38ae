// Start-up: the title, the two windows and what an empty book shows; the
// error box every failure goes to, and the one guard around every handler.

#include "BookDirectory.h"
#include "BookFixture.h"
#include "BoxRecorder.h"

#include "Unit1/Publisher.h"
#include "Unit1/Tmain.h"
#include "jamkol/startup.h"
#include "platform/Application.h"
#include "platform/DBControls.h"
#include "platform/Events.h"
#include "platform/Exceptions.h"
#include "platform/MessageBoxes.h"
#include "platform/TADOConnection.h"
#include "platform/TADODataSet.h"
#include "vorudi/TForm2.h"

#include <QtTest>

#include <stdexcept>

namespace {

// Starts the program in a fresh directory holding `spec` as its book.
class StartedProgram {
public:
    explicit StartedProgram(const BookSpec& spec)
    {
        book = dir.filePath("namaz.mdb");
        if (!writeBook(book, spec))
            qFatal("cannot write the test book");
        QDir::setCurrent(dir.path());
        startUp();
    }
    ~StartedProgram() { shutDown(); }

    QTemporaryDir dir;
    QString book;
    BoxRecorder boxes;
};

// A receiver whose handler fails the way a test row asks.
class Failing : public QObject {
    Q_OBJECT
public:
    QString kind;
    int calls = 0;

public slots:
    void Timer1Timer()
    {
        ++calls;
        if (kind == "database")
            throw EDatabaseError("no such table: kolliyat");
        if (kind == "standard")
            throw std::runtime_error("bad allocation");
        if (kind == "foreign")
            throw 42;
    }
};

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void titleAndWindows();
    void emptyBook();
    void noStatementOpenAfterLoading();

    void errorBoxText_data();
    void errorBoxText();
    void errorBox_data();
    void errorBox();
    void guard_data();
    void guard();
};

void TestStartUp::titleAndWindows()
{
    StartedProgram program(BookSpec::complete(3));
    QCOMPARE(program.boxes.texts(), QStringList());
    QCOMPARE(QGuiApplication::applicationDisplayName(), publisherName());

    QStringList windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "Form2" || widget->objectName() == "main")
            windows << widget->objectName();
    }
    windows.sort();
    QCOMPARE(windows, (QStringList{"Form2", "main"}));
    QCOMPARE(QApplication::topLevelWidgets().count(vorudi::Form2), 1);
    QCOMPARE(QApplication::topLevelWidgets().count(Unit1::main), 1);
    QVERIFY(vorudi::Form2->isWindow());
    QVERIFY(Unit1::main->isWindow());
    // Both are built hidden: the message loop shows the entry window, and the
    // browser waits for its menu.
    QVERIFY(vorudi::Form2->isHidden());
    QVERIFY(Unit1::main->isHidden());
}

void TestStartUp::emptyBook()
{
    StartedProgram program(BookSpec::complete(0));
    QCOMPARE(program.boxes.texts(), QStringList());
    for (const ViewRow& row : Unit1::main->views()) {
        QVERIFY2(row.query->Active(), qPrintable(row.table));
        QCOMPARE(row.query->RecordCount(), 0);
        QCOMPARE(row.list->model()->rowCount(), 0);
        const QStringList texts{row.titleText->text(), row.questionPane->toPlainText(),
                                row.answerPane->toPlainText(), row.footnotePane->toPlainText()};
        QCOMPARE(texts, QStringList({"", "", "", ""}));
    }
}

void TestStartUp::noStatementOpenAfterLoading()
{
    StartedProgram program(BookSpec::complete(3));
    auto* connection = Unit1::main->findChild<TADOConnection*>("ADOConnection1");
    QVERIFY(connection && connection->Connected());
    QCOMPARE(sqlite3_next_stmt(connection->handle(), nullptr), nullptr);
    // With no statement open, another program can take the book for itself.
    for (const QString& table : bookTables())
        QCOMPARE(writeExclusively(program.book, table), QString());
}

void TestStartUp::errorBoxText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    QTest::newRow("empty") << "" << "";
    QTest::newRow("letter") << "file is not a database" << "file is not a database.";
    QTest::newRow("digit") << "error 1" << "error 1.";
    QTest::newRow("full stop") << "Done." << "Done.";
    QTest::newRow("slash, just after the full stop") << "path a/" << "path a/.";
    QTest::newRow("hyphen, just before the full stop") << "range a-" << "range a-";
    QTest::newRow("exclamation mark") << "Stop!" << "Stop!";
    QTest::newRow("closing parenthesis") << "(no file)" << "(no file)";
    QTest::newRow("trailing space") << "message " << "message ";
    QTest::newRow("quote, before the full stop") << "Field 'kholase'" << "Field 'kholase'";
    QTest::newRow("Persian letter") << "پرونده پیدا نشد" << "پرونده پیدا نشد.";
}

void TestStartUp::errorBoxText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(::errorBoxText(message), shown);
}

void TestStartUp::errorBox_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<Qt::LayoutDirection>("direction");

    QTest::newRow("English") << "unable to open database file" << Qt::LeftToRight;
    QTest::newRow("English naming a Persian table") << "no such table: نماز" << Qt::LeftToRight;
    QTest::newRow("Persian") << "پرونده پیدا نشد" << Qt::RightToLeft;
}

void TestStartUp::errorBox()
{
    QFETCH(QString, message);
    QFETCH(Qt::LayoutDirection, direction);

    setApplicationTitle(publisherName());
    // The windows read right to left; an English box must not follow them.
    QApplication::setLayoutDirection(Qt::RightToLeft);
    BoxRecorder recorder;
    ShowErrorBox(message);
    QApplication::setLayoutDirection(Qt::LeftToRight);

    QCOMPARE(recorder.boxes.size(), 1);
    const RecordedBox& box = recorder.boxes.first();
    QCOMPARE(box.caption, publisherName());
    QCOMPARE(box.text, ::errorBoxText(message));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.direction, direction);
}

void TestStartUp::guard_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("no error") << "none" << QStringList();
    QTest::newRow("engine error") << "database" << QStringList{"no such table: kolliyat."};
    QTest::newRow("standard exception") << "standard" << QStringList{"bad allocation."};
    QTest::newRow("anything else thrown") << "foreign" << QStringList{"Unknown error."};
}

void TestStartUp::guard()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, shown);

    BoxRecorder recorder;
    Failing receiver;
    receiver.kind = kind;
    QTimer timer;
    timer.setSingleShot(true);
    platform::onEvent(&timer, &QTimer::timeout, &receiver, &Failing::Timer1Timer);

    // Through the event loop, where an escaping exception would abort.
    timer.start(0);
    QTRY_COMPARE(receiver.calls, 1);
    QCOMPARE(recorder.texts(), shown);
    // The program goes on: the next event is handled and reported alike.
    timer.start(0);
    QTRY_COMPARE(receiver.calls, 2);
    QCOMPARE(recorder.texts(), shown + shown);
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
