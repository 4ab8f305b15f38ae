// The title filter of the search box and the advanced search of the
// combined table, in a running browser window over a small book.

#include "BookFixture.h"

#include "Unit1/Tmain.h"
#include "jamkol/startup.h"
#include "platform/Controls.h"
#include "platform/DBControls.h"
#include "platform/MessageBoxes.h"
#include "platform/TADODataSet.h"

#include <QtTest>

#include <sqlite3.h>

namespace {

const QString zwnj = QString(QChar(0x200C));

// The kolliyat titles, in the order the list shows them.
const QStringList kolliyatTitles = {
    QStringLiteral("نماز صبح"),
    QStringLiteral("نماز ظهر"),
    QStringLiteral("نماز عصر"),
    QStringLiteral("نماز مغرب"),
    QStringLiteral("نماز عشاء"),
    QStringLiteral("Imam's prayer"),
    QStringLiteral("100% sure"),
    QStringLiteral("a_b"),
    QStringLiteral("axb"),
    QStringLiteral("two  spaces"),
    QStringLiteral("رکعت ۴ یکم"),   // Persian kaf, digit and yeh
    QStringLiteral("صلاة الليل"),   // Arabic teh marbuta and yeh
    QStringLiteral("می") + zwnj + QStringLiteral("خواند"),
};

QList<BookRow> rowsTitled(const QStringList& titles)
{
    QList<BookRow> rows;
    for (const QString& title : titles)
        rows.append({title, title + QStringLiteral(" question"), title + QStringLiteral(" answer"),
                     title + QStringLiteral(" notes")});
    return rows;
}

BookSpec readerBook()
{
    return BookSpec::complete(3)
        .withRows("kolliyat", rowsTitled(kolliyatTitles))
        .withRows("moghadamat", rowsTitled({QStringLiteral("وضو ۱"), QStringLiteral("غسل"),
                                            QStringLiteral("وضو ۲"), QStringLiteral("تیمم"),
                                            QStringLiteral("وضو ۳")}))
        .withRows("jamkol", {
            {QStringLiteral("وضو"), QStringLiteral("وضو پیش از نماز"), QStringLiteral("wash face and hands"),
             QStringLiteral("note 1")},
            {QStringLiteral("غسل"), QStringLiteral("غسل جمعه"), QStringLiteral("wash whole body"),
             QStringLiteral("note 2")},
            {QStringLiteral("تیمم"), QStringLiteral("تیمم بدل از وضو"), QStringLiteral("strike the earth"),
             QStringLiteral("note 3")},
            {QStringLiteral("کلمه جستجو"), QStringLiteral("معنای جستجو"), QStringLiteral("seek"),
             QStringLiteral("note 4")},
        });
}

// The program over its own copy of the reader's book, started once per
// process, with every box it shows recorded and answered OK.
class Reader {
public:
    static Reader& instance()
    {
        static Reader reader;
        return reader;
    }

    Tmain& window() { return *Unit1::main; }
    QString bookPath() const { return dir.filePath(QStringLiteral("namaz.mdb")); }

    // The texts of the boxes shown since the last call.
    QStringList takeBoxes() { return std::exchange(boxes, {}); }

    template <class T> T* control(const char* name) { return window().findChild<T*>(QLatin1String(name)); }
    ViewRow& view(const char* table) { return window().view(QLatin1String(table)); }
    TADOQuery* query(const char* table) { return view(table).query; }

    void click(const char* buttonName) { control<TSpeedButton>(buttonName)->click(); }
    void clickLabel(const char* name) { QTest::mouseClick(control<TLabel>(name), Qt::LeftButton); }
    void setFilterText(const QString& text) { control<TEdit>("Edit1")->setText(text); }
    QString count() { return control<TLabel>("Label9")->caption(); }
    bool countCaptionShown() { return !control<TLabel>("Label8")->isHidden(); }

    // The titles in a view's title list, top to bottom.
    QStringList listed(const char* table)
    {
        QAbstractItemModel* model = view(table).list->model();
        QStringList titles;
        for (int row = 0; row < model->rowCount(); ++row)
            titles << model->index(row, 0).data().toString();
        return titles;
    }

    // The title text and the three panes of a view, as the user reads them.
    QStringList shown(const char* table)
    {
        const ViewRow& row = view(table);
        return {row.titleText->text(), row.questionPane->toPlainText(), row.answerPane->toPlainText(),
                row.footnotePane->toPlainText()};
    }

private:
    Reader()
    {
        if (!dir.isValid())
            qFatal("no temporary directory");
        QString error;
        if (!writeBook(bookPath(), readerBook(), &error))
            qFatal("cannot write the book: %s", qPrintable(error));
        QDir::setCurrent(dir.path());
        platform::setBoxHook([this](QMessageBox& box) {
            boxes << box.text();
            return QMessageBox::Ok;
        });
        startUp();
        // Focus and typing need the window shown and active.
        window().show();
        window().activateWindow();
        if (!QTest::qWaitForWindowActive(&window()))
            qFatal("the browser window did not become active");
    }

    QTemporaryDir dir;
    QStringList boxes;
};

// What a view shows for its record: title, question, answer and notes.
QStringList recordOf(const QString& title)
{
    return {title, title + QStringLiteral(" question"), title + QStringLiteral(" answer"),
            title + QStringLiteral(" notes")};
}

const QStringList nothingShown = {QString(), QString(), QString(), QString()};

QString kolliyatFilter(const QString& quotedPattern)
{
    return QStringLiteral("SELECT * FROM kolliyat where kholase like ") + quotedPattern;
}

// Another program changing the book while the reader runs.
void alterBook(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    const QString error = QString::fromUtf8(message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(error));
}

} // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void filterAndCancel();
    void filterKeptPerCategory();
    void filterStatements_data();
    void filterStatements();
    void filterEngineError();
    void advancedSearch();
    void searchEngineError();
};

void TestSearch::filterAndCancel()
{
    Reader& reader = Reader::instance();
    QVERIFY(reader.takeBoxes().isEmpty());
    TADOQuery* query = reader.query("kolliyat");
    auto* box = reader.control<TEdit>("Edit1");
    auto* count = reader.control<TLabel>("Label9");

    // The initial text of the box filters nothing.
    QCOMPARE(box->text(), QStringLiteral("جستجو...."));
    QCOMPARE(query->SQL.Lines(), QStringList({"SELECT *", "FROM kolliyat;"}));
    QVERIFY(!reader.countCaptionShown());
    QCOMPARE(reader.count(), QString());

    // Text set by the program filters like typed text.
    reader.setFilterText(QStringLiteral("نماز"));
    QCOMPARE(query->SQL.Lines(), QStringList{kolliyatFilter(QStringLiteral("'%نماز%'"))});
    QCOMPARE(reader.listed("kolliyat"), kolliyatTitles.mid(0, 5));
    QCOMPARE(query->RecNo(), 0);
    QCOMPARE(reader.shown("kolliyat"), recordOf(kolliyatTitles[0]));
    QCOMPARE(reader.count(), QStringLiteral("5"));
    QVERIFY(reader.countCaptionShown());
    QCOMPARE(count->x() + count->width(), 681);
    const int oneDigitWidth = count->width();

    // A longer number grows to the left.
    reader.setFilterText(QStringLiteral("%"));
    QCOMPARE(reader.listed("kolliyat"), kolliyatTitles);
    QCOMPARE(reader.count(), QString::number(kolliyatTitles.size()));
    QCOMPARE(count->x() + count->width(), 681);
    QVERIFY(count->width() > oneDigitWidth);

    // No match: an empty list and view, and a count of nought.
    reader.setFilterText(QStringLiteral("nothing like this"));
    QCOMPARE(reader.listed("kolliyat"), QStringList());
    QCOMPARE(reader.shown("kolliyat"), nothingShown);
    QCOMPARE(reader.count(), QStringLiteral("0"));

    // Typed by the keyboard: the Tab key's focus selects the whole text, the
    // first key replaces it and every key filters. Deleting everything
    // leaves the last filter, and its count, in force.
    box->clearFocus();
    box->setFocus(Qt::TabFocusReason);
    QCOMPARE(box->selectedText(), box->text());
    QTest::keyClicks(box, "Ima");
    QCOMPARE(box->text(), QStringLiteral("Ima"));
    QCOMPARE(reader.listed("kolliyat"), QStringList{"Imam's prayer"});
    QCOMPARE(reader.count(), QStringLiteral("1"));
    reader.clickLabel("Label1"); // hides the caption, changes nothing else
    QVERIFY(!reader.countCaptionShown());
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QString());
    QCOMPARE(query->SQL.Lines(), QStringList{kolliyatFilter(QStringLiteral("'%I%'"))});
    QCOMPARE(reader.listed("kolliyat"), QStringList{"Imam's prayer"});
    QCOMPARE(reader.count(), QStringLiteral("1"));
    QVERIFY(reader.countCaptionShown());

    // The cancel button brings back the whole list on its first row and
    // leaves the box's text alone.
    reader.setFilterText(QStringLiteral("نماز"));
    reader.click("SpeedButton2");
    QCOMPARE(query->RecNo(), 1);
    reader.click("SpeedButton5");
    QCOMPARE(query->SQL.Lines(), QStringList{"SELECT * FROM kolliyat "});
    QCOMPARE(reader.listed("kolliyat"), kolliyatTitles);
    QCOMPARE(query->RecNo(), 0);
    QCOMPARE(reader.shown("kolliyat"), recordOf(kolliyatTitles[0]));
    QCOMPARE(reader.count(), QString());
    QVERIFY(!reader.countCaptionShown());
    QCOMPARE(box->text(), QStringLiteral("نماز"));

    // With no filter in force it still reopens the query.
    reader.click("SpeedButton4");
    reader.click("SpeedButton5");
    QCOMPARE(query->RecNo(), 0);
    QVERIFY(reader.takeBoxes().isEmpty());
}

void TestSearch::filterKeptPerCategory()
{
    Reader& reader = Reader::instance();
    TADOQuery* kolliyat = reader.query("kolliyat");
    TADOQuery* moghadamat = reader.query("moghadamat");

    reader.setFilterText(QStringLiteral("نماز"));
    reader.click("SpeedButton2");
    const QStringList kolliyatFiltered = kolliyat->SQL.Lines();

    // The next category is not filtered by the box's text on arrival.
    reader.clickLabel("Label3");
    QCOMPARE(moghadamat->SQL.Lines(), QStringList({"SELECT *", "FROM moghadamat;"}));
    QCOMPARE(reader.listed("moghadamat").size(), 5);
    QCOMPARE(reader.count(), QStringLiteral("5"));
    QVERIFY(!reader.countCaptionShown());

    reader.setFilterText(QStringLiteral("وضو"));
    QCOMPARE(moghadamat->SQL.Lines(), QStringList{"SELECT * FROM moghadamat where kholase like '%وضو%'"});
    QCOMPARE(reader.listed("moghadamat"), QStringList({"وضو ۱", "وضو ۲", "وضو ۳"}));
    QCOMPARE(reader.count(), QStringLiteral("3"));

    // Back in the first category: its own filter and record, the last count.
    reader.clickLabel("Label1");
    QCOMPARE(kolliyat->SQL.Lines(), kolliyatFiltered);
    QCOMPARE(reader.listed("kolliyat"), kolliyatTitles.mid(0, 5));
    QCOMPARE(kolliyat->RecNo(), 1);
    QCOMPARE(reader.count(), QStringLiteral("3"));
    QVERIFY(!reader.countCaptionShown());
    QCOMPARE(reader.control<TEdit>("Edit1")->text(), QStringLiteral("وضو"));

    // In the combined view a change only shows the caption, under the panel,
    // and the panel's cancel hides it again.
    reader.click("SpeedButton8");
    reader.setFilterText(QStringLiteral("غسل"));
    QVERIFY(reader.countCaptionShown());
    QCOMPARE(kolliyat->SQL.Lines(), kolliyatFiltered);
    QCOMPARE(moghadamat->SQL.Lines(), QStringList{"SELECT * FROM moghadamat where kholase like '%وضو%'"});
    QCOMPARE(reader.query("jamkol")->SQL.Lines(), QStringList({"SELECT *", "FROM jamkol;"}));
    QCOMPARE(reader.count(), QStringLiteral("3"));
    // The cancel button under the panel hides the caption and reopens nothing.
    reader.click("SpeedButton5");
    QVERIFY(!reader.countCaptionShown());
    QCOMPARE(kolliyat->SQL.Lines(), kolliyatFiltered);
    QCOMPARE(reader.count(), QStringLiteral("3"));
    reader.setFilterText(QString());
    QVERIFY(reader.countCaptionShown());
    reader.click("SpeedButton10");
    QVERIFY(!reader.countCaptionShown());
    QVERIFY(reader.takeBoxes().isEmpty());
}

void TestSearch::filterStatements_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("quotedPattern"); // empty: the plain '%typed%'
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QString>("error");

    const QStringList namaz = kolliyatTitles.mid(0, 5);
    const QString rakat = kolliyatTitles[10];
    const QString salat = kolliyatTitles[11];
    const QString mikhanad = kolliyatTitles[12];
    auto found = [](const char* name, const QString& typed, const QStringList& titles) {
        QTest::newRow(name) << typed << QString() << titles << QString();
    };

    QTest::newRow("a single quote is doubled and found")
        << QStringLiteral("'") << QStringLiteral("'%''%'") << QStringList{"Imam's prayer"} << QString();
    QTest::newRow("a quote inside a word")
        << QStringLiteral("m's p") << QStringLiteral("'%m''s p%'") << QStringList{"Imam's prayer"} << QString();
    found("percent stands for any run", QStringLiteral("1%e"), {"100% sure"});
    found("underscore stands for one character", QStringLiteral("a_b"), {"a_b", "axb"});
    found("only spaces filter on that run", QStringLiteral("  "), {"two  spaces"});
    found("Persian letters", QStringLiteral("نماز"), namaz);
    found("Arabic letters typed, Persian stored", QStringLiteral("يكم"), {rakat});
    found("Persian letters typed, Arabic stored", QStringLiteral("صلاه اللیل"), {salat});
    found("Latin letters in either case", QStringLiteral("IMAM"), {"Imam's prayer"});
    found("ASCII digit", QStringLiteral("4"), {rakat});
    found("Persian digit", QStringLiteral("۴"), {rakat});
    found("Arabic-Indic digit", QStringLiteral("٤"), {rakat});
    found("Persian digits for ASCII ones", QStringLiteral("۱۰۰"), {"100% sure"});
    found("zero-width non-joiner typed", QStringLiteral("می") + zwnj + QStringLiteral("خو"), {mikhanad});
    found("zero-width non-joiner left out", QStringLiteral("میخو"), {mikhanad});
    found("the box's longest text", QString(32767, QLatin1Char('a')), {});
    QTest::newRow("a pattern over the engine's like limit")
        << QString(32767, QChar(0x0646)) << QString() << QStringList()
        << QStringLiteral("LIKE or GLOB pattern too complex.");
}

// Every text gives one well-formed line; the engine alone refuses a pattern,
// and then the query stays closed and the count keeps the last number.
void TestSearch::filterStatements()
{
    QFETCH(QString, typed);
    QFETCH(QString, quotedPattern);
    QFETCH(QStringList, found);
    QFETCH(QString, error);
    Reader& reader = Reader::instance();
    TADOQuery* query = reader.query("kolliyat");

    reader.setFilterText(QStringLiteral("صبح"));
    QCOMPARE(reader.count(), QStringLiteral("1"));
    reader.setFilterText(typed);
    QCOMPARE(reader.control<TEdit>("Edit1")->text(), typed);
    if (quotedPattern.isEmpty())
        quotedPattern = QStringLiteral("'%") + typed + QStringLiteral("%'");
    QCOMPARE(query->SQL.Lines(), QStringList{kolliyatFilter(quotedPattern)});
    QVERIFY(reader.countCaptionShown());

    if (error.isEmpty()) {
        QCOMPARE(reader.takeBoxes(), QStringList());
        QCOMPARE(reader.listed("kolliyat"), found);
        QCOMPARE(reader.count(), QString::number(found.size()));
        QCOMPARE(reader.shown("kolliyat"), found.isEmpty() ? nothingShown : recordOf(found.first()));
        return;
    }
    QCOMPARE(reader.takeBoxes(), QStringList{error});
    QVERIFY(!query->Active());
    QCOMPARE(reader.listed("kolliyat"), QStringList());
    QCOMPARE(reader.shown("kolliyat"), nothingShown);
    QCOMPARE(reader.count(), QStringLiteral("1"));
    // The program goes on.
    reader.setFilterText(QStringLiteral("نماز"));
    QCOMPARE(reader.count(), QStringLiteral("5"));
    QCOMPARE(reader.takeBoxes(), QStringList());
}

void TestSearch::filterEngineError()
{
    Reader& reader = Reader::instance();
    TADOQuery* query = reader.query("kolliyat");
    reader.setFilterText(QStringLiteral("نماز"));
    QCOMPARE(reader.count(), QStringLiteral("5"));

    alterBook(reader.bookPath(), "DROP TABLE kolliyat");
    reader.setFilterText(QStringLiteral("صبح"));
    QCOMPARE(reader.takeBoxes(), QStringList{"no such table: kolliyat."});
    QVERIFY(!query->Active());
    QCOMPARE(reader.listed("kolliyat"), QStringList());
    QCOMPARE(reader.shown("kolliyat"), nothingShown);
    QCOMPARE(reader.count(), QStringLiteral("5"));

    // The cancel fails the same way: the caption is hidden, the count stays.
    reader.setFilterText(QStringLiteral("ظهر"));
    reader.click("SpeedButton5");
    QCOMPARE(reader.takeBoxes(), QStringList({"no such table: kolliyat.", "no such table: kolliyat."}));
    QVERIFY(!query->Active());
    QVERIFY(!reader.countCaptionShown());
    QCOMPARE(reader.count(), QStringLiteral("5"));

    // The other categories go on working.
    reader.clickLabel("Label3");
    reader.setFilterText(QStringLiteral("غسل"));
    QCOMPARE(reader.listed("moghadamat"), QStringList{"غسل"});
    QCOMPARE(reader.count(), QStringLiteral("1"));

    // Once the table is back, the next cancel shows it again.
    alterBook(reader.bookPath(), "CREATE TABLE kolliyat (kholase TEXT, porsesh TEXT, pasokh TEXT, pavaraghi TEXT);"
                                 "INSERT INTO kolliyat VALUES ('back', 'back question', 'back answer', 'back notes');");
    reader.clickLabel("Label1");
    QCOMPARE(reader.listed("kolliyat"), QStringList());
    reader.click("SpeedButton5");
    QCOMPARE(reader.takeBoxes(), QStringList());
    QVERIFY(query->Active());
    QCOMPARE(reader.listed("kolliyat"), QStringList{"back"});
    QCOMPARE(reader.shown("kolliyat"), recordOf(QStringLiteral("back")));
    QCOMPARE(reader.count(), QString());
}

void TestSearch::advancedSearch()
{
    Reader& reader = Reader::instance();
    Tmain& window = reader.window();
    TADOQuery* combined = reader.query("jamkol");
    auto* panel = reader.control<TPanel>("Panel1");
    auto* text = reader.control<TEdit>("ebarat");
    auto* inQuestion = reader.control<TRadioButton>("RadioButton1");
    auto* inAnswer = reader.control<TRadioButton>("RadioButton2");
    auto* marker = reader.control<TImage>("Image2");
    const QStringList allCombined = {"وضو", "غسل", "تیمم", "کلمه جستجو"};
    auto categoryTitleTextsHidden = [&] {
        for (ViewRow& row : window.views()) {
            if (row.isCategory() && !row.titleText->isHidden())
                return false;
        }
        return true;
    };

    reader.clickLabel("Label3");
    reader.setFilterText(QStringLiteral("وضو"));
    QCOMPARE(reader.count(), QStringLiteral("3"));

    // Opening, with another window active: the browser window comes to the
    // front with the combined view over all of the table, the text ready to
    // be typed over, the count and the marker as they were.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    reader.click("SpeedButton8");
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(panel->isVisible());
    QCOMPARE(window.currentView(), &reader.view("jamkol"));
    QVERIFY(categoryTitleTextsHidden());
    QVERIFY(text->hasFocus());
    QCOMPARE(text->selectedText(), QStringLiteral("جستجو"));
    QCOMPARE(combined->SQL.Lines(), QStringList({"SELECT *", "FROM jamkol;"}));
    QCOMPARE(reader.listed("jamkol"), allCombined);
    QVERIFY(reader.countCaptionShown());
    QCOMPARE(reader.count(), QStringLiteral("3"));
    QCOMPARE(marker->pos(), QPoint(658, 142));

    // The box's initial text is searched as it stands.
    reader.click("SpeedButton9");
    QCOMPARE(combined->SQL.Lines(), QStringList{"SELECT * FROM jamkol where porsesh like '%جستجو%'"});
    QCOMPARE(reader.listed("jamkol"), QStringList{"کلمه جستجو"});
    QCOMPARE(reader.shown("jamkol"), QStringList({"کلمه جستجو", "معنای جستجو", "seek", "note 4"}));
    QVERIFY(categoryTitleTextsHidden());
    QCOMPARE(reader.count(), QStringLiteral("3"));

    // An empty text searches nothing.
    text->clear();
    reader.click("SpeedButton9");
    QCOMPARE(combined->SQL.Lines(), QStringList{"SELECT * FROM jamkol where porsesh like '%جستجو%'"});
    QCOMPARE(reader.listed("jamkol"), QStringList{"کلمه جستجو"});

    text->setText(QStringLiteral("وضو"));
    reader.click("SpeedButton9");
    QCOMPARE(reader.listed("jamkol"), QStringList({"وضو", "تیمم"}));
    QCOMPARE(combined->RecNo(), 0);

    // The navigation buttons move through the results; the list follows.
    reader.click("SpeedButton2");
    QCOMPARE(combined->RecNo(), 1);
    QCOMPARE(reader.view("jamkol").list->currentIndex().row(), 1);
    QCOMPARE(reader.shown("jamkol").first(), QStringLiteral("تیمم"));
    reader.click("SpeedButton2");
    QCOMPARE(combined->RecNo(), 1);
    reader.click("SpeedButton3");
    QCOMPARE(combined->RecNo(), 0);
    reader.click("SpeedButton1");
    QCOMPARE(combined->RecNo(), 0);
    reader.click("SpeedButton4");
    QCOMPARE(combined->RecNo(), 1);

    // Another radio choice waits for the next search.
    inAnswer->click();
    QCOMPARE(combined->SQL.Lines(), QStringList{"SELECT * FROM jamkol where porsesh like '%وضو%'"});
    QCOMPARE(combined->RecNo(), 1);

    // The panel's cancel always returns to the first category.
    reader.click("SpeedButton10");
    QVERIFY(!panel->isVisible());
    QCOMPARE(window.currentView(), &reader.view("kolliyat"));
    QCOMPARE(marker->pos(), QPoint(658, 107));
    QVERIFY(!reader.countCaptionShown());
    QCOMPARE(reader.count(), QStringLiteral("3"));
    QCOMPARE(reader.shown("kolliyat"), recordOf(kolliyatTitles[0]));

    // Reopened: the same results, record, text and choice; typing replaces
    // the text and the search follows the choice.
    reader.click("SpeedButton8");
    QCOMPARE(reader.listed("jamkol"), QStringList({"وضو", "تیمم"}));
    QCOMPARE(combined->RecNo(), 1);
    QCOMPARE(reader.shown("jamkol").first(), QStringLiteral("تیمم"));
    QCOMPARE(text->text(), QStringLiteral("وضو"));
    QVERIFY(inAnswer->isChecked() && !inQuestion->isChecked());
    QVERIFY(text->hasFocus());
    QTest::keyClicks(text, "wash");
    QCOMPARE(text->text(), QStringLiteral("wash"));
    reader.click("SpeedButton9");
    QCOMPARE(combined->SQL.Lines(), QStringList{"SELECT * FROM jamkol where pasokh like '%wash%'"});
    QCOMPARE(reader.listed("jamkol"), QStringList({"وضو", "غسل"}));
    QCOMPARE(reader.shown("jamkol"), QStringList({"وضو", "وضو پیش از نماز", "wash face and hands", "note 1"}));

    // No match: nothing listed or shown, and no count anywhere.
    text->setText(QStringLiteral("nowhere"));
    reader.click("SpeedButton9");
    QCOMPARE(reader.listed("jamkol"), QStringList());
    QCOMPARE(reader.shown("jamkol"), nothingShown);
    QCOMPARE(reader.count(), QStringLiteral("3"));
    QVERIFY(!reader.countCaptionShown());

    // A category label closes the panel too, and the panel keeps its state.
    reader.clickLabel("Label5");
    QVERIFY(!panel->isVisible());
    QCOMPARE(window.currentView(), &reader.view("namaz"));
    reader.click("SpeedButton8");
    QCOMPARE(text->text(), QStringLiteral("nowhere"));
    QVERIFY(inAnswer->isChecked());
    QCOMPARE(combined->SQL.Lines(), QStringList{"SELECT * FROM jamkol where pasokh like '%nowhere%'"});
    QVERIFY(reader.takeBoxes().isEmpty());
}

void TestSearch::searchEngineError()
{
    Reader& reader = Reader::instance();
    TADOQuery* combined = reader.query("jamkol");
    auto* text = reader.control<TEdit>("ebarat");

    alterBook(reader.bookPath(), "DROP TABLE jamkol");
    // Opening reruns nothing, so the old results are still there.
    reader.click("SpeedButton8");
    QCOMPARE(reader.listed("jamkol").size(), 4);
    QCOMPARE(reader.takeBoxes(), QStringList());

    text->setText(QStringLiteral("وضو"));
    reader.click("SpeedButton9");
    QCOMPARE(reader.takeBoxes(), QStringList{"no such table: jamkol."});
    QVERIFY(!combined->Active());
    QCOMPARE(reader.listed("jamkol"), QStringList());
    QCOMPARE(reader.shown("jamkol"), nothingShown);
    QCOMPARE(reader.window().currentView(), &reader.view("jamkol"));

    alterBook(reader.bookPath(), "CREATE TABLE jamkol (kholase TEXT, porsesh TEXT, pasokh TEXT, pavaraghi TEXT);"
                                 "INSERT INTO jamkol VALUES ('back', 'وضو back', 'back answer', 'back notes');");
    reader.click("SpeedButton9");
    QCOMPARE(reader.takeBoxes(), QStringList());
    QCOMPARE(reader.listed("jamkol"), QStringList{"back"});
    QCOMPARE(reader.shown("jamkol"), QStringList({"back", "وضو back", "back answer", "back notes"}));
}

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
