// The engine's like as Persian readers need it: letter forms, diacritics,
// digits and the zero-width non-joiner folded on both sides, everything
// else exactly as SQLite's built-in like.

#include "platform/PersianLike.h"

#include <QtTest>

#include <sqlite3.h>

namespace {

// An in-memory connection, with our like or with the built-in one.
class Connection {
public:
    enum class Like { Persian, BuiltIn };

    explicit Connection(Like like)
    {
        if (sqlite3_open(":memory:", &m_db) != SQLITE_OK)
            qFatal("cannot open an in-memory database");
        if (like == Like::Persian && platform::registerPersianLike(m_db) != SQLITE_OK)
            qFatal("cannot register like: %s", sqlite3_errmsg(m_db));
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return m_db; }

    // One table `t` with one title; a null QString is stored as NULL.
    void storeTitle(const QString& title)
    {
        exec("CREATE TABLE t(kholase TEXT)");
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(m_db, "INSERT INTO t VALUES (?1)", -1, &insert, nullptr);
        if (!title.isNull()) {
            const QByteArray utf8 = title.toUtf8();
            sqlite3_bind_text(insert, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        sqlite3_step(insert);
        sqlite3_finalize(insert);
    }

    // The first column of the first row as text: "NULL", the value, or
    // "error: " and the engine's message.
    QString firstValue(const QByteArray& sql) const
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
            return QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(m_db));
        QString value;
        if (sqlite3_step(statement) == SQLITE_ROW)
            value = sqlite3_column_type(statement, 0) == SQLITE_NULL
                ? QStringLiteral("NULL")
                : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        else
            value = QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(statement);
        return value;
    }

private:
    void exec(const char* sql)
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            qFatal("%s: %s", sql, sqlite3_errmsg(m_db));
    }

    sqlite3* m_db = nullptr;
};

// The statement the title filter sends for a typed text: the text between
// two %, quoted with its single quotes doubled.
QByteArray titleFilter(const QString& typed)
{
    QString pattern = QLatin1Char('%') + typed + QLatin1Char('%');
    pattern.replace(QLatin1Char('\''), QStringLiteral("''"));
    return "SELECT count(*) FROM t where kholase like '" + pattern.toUtf8() + "'";
}

}

class TestPersianLike : public QObject {
    Q_OBJECT

private slots:
    void folding_data();
    void folding();
    void expressions_data();
    void expressions();
    void patternLengthLimit_data();
    void patternLengthLimit();
};

void TestPersianLike::folding_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");

    auto row = [](const char* name, const char* stored, const char* typed, bool found) {
        QTest::newRow(name) << (stored ? QString::fromUtf8(stored) : QString()) << QString::fromUtf8(typed)
                            << found;
    };

    // Letter forms, each way round.
    row("Arabic yeh stored, Persian typed", "كليات", "کلیات", true);
    row("Persian yeh stored, Arabic typed", "کلیات", "کليات", true);
    row("alef maksura stored, Persian yeh typed", "مصلى", "مصلی", true);
    row("Persian yeh stored, alef maksura typed", "مصلی", "مصلى", true);
    row("Arabic yeh stored, alef maksura typed", "علي", "على", true);
    row("Arabic kaf stored, Persian typed", "ركوع كامل", "کامل", true);
    row("Persian kaf stored, Arabic typed", "رکوع کامل", "كامل", true);
    row("teh marbuta stored, heh typed", "صلاة", "صلاه", true);
    row("heh stored, teh marbuta typed", "صلاه", "صلاة", true);
    row("teh marbuta is not teh", "صلاة", "صلات", false);
    row("alef hamza above stored", "أحكام", "احکام", true);
    row("alef hamza below stored", "إمام", "امام", true);
    row("alef madda stored", "آب", "اب", true);
    row("alef wasla stored", "ٱلله", "الله", true);
    row("bare alef stored, hamza typed", "امام", "إمام", true);
    row("bare alef stored, madda typed", "ابها", "آبها", true);

    // Marks that are no characters, on either side.
    row("fatha stored", "نَماز", "نماز", true);
    row("fatha typed", "نماز", "نَماز", true);
    row("fully vowelled verse stored", "الصَّلَاةُ", "الصلاه", true);
    row("last diacritic of the range", "نم\u065Fاز", "نماز", true);
    row("superscript alef stored", "رحمٰن", "رحمن", true);
    row("tatweel stored", "نـــماز", "نماز", true);
    row("tatweel typed", "نماز", "نـماز", true);
    row("zero-width non-joiner stored", "می\u200Cخواهم", "میخواهم", true);
    row("zero-width non-joiner typed", "میخواهم", "می\u200Cخواهم", true);
    row("a lone diacritic typed is no text", "نماز", "\u064E", true);

    // Digits of three scripts.
    row("Persian digits stored, ASCII typed", "مسئله ۱۲۳", "123", true);
    row("ASCII digits stored, Persian typed", "مسئله 123", "۱۲۳", true);
    row("Arabic-Indic digits stored, Persian typed", "مسئله ١٢٣", "۱۲۳", true);
    row("Persian digits stored, Arabic-Indic typed", "مسئله ۴۵", "٤٥", true);
    row("mixed scripts in one number", "۱2٣", "1۲3", true);
    row("a different digit", "مسئله ۱۲۳", "124", false);

    // Wildcards in folded text: `_` is one character of the folded text.
    row("percent between folded letters", "كليات نماز", "کل%نماز", true);
    row("underscore for a folded letter", "كليات", "کل_ات", true);
    row("underscore skips a diacritic", "نَماز", "ن_از", true);
    row("underscore does not stand for a diacritic", "نَ", "ن_", false);
    row("underscore does not stand for a non-joiner", "می\u200Cخواهم", "می_خواهم", false);
    row("underscores for Persian digits", "سال ۱۴۰۲", "سال 1__2", true);

    // Latin text: only ASCII case is folded, and Persian letters stay apart.
    row("Latin case", "Salat al-Jumu'a", "SALAT", true);
    row("Latin letter is not kaf", "کتاب", "k", false);
    row("only ASCII case is folded", "ÉTÉ", "été", false);

    // Characters that pass through unchanged.
    row("single quote typed", "امام's", "'", true);
    row("single quote in no title", "امام", "'", false);
    row("two single quotes typed", "a''b", "''", true);
    row("two single quotes are two", "a'b", "''", false);
    row("empty pattern finds every title", "نماز", "", true);
    row("empty pattern finds an empty title", "", "", true);
    row("only spaces: the run of spaces", "نماز  صبح", "  ", true);
    row("only spaces: too few in the title", "نماز صبح", "  ", false);
    row("only spaces: a non-joiner between them", "نماز \u200C صبح", "  ", true);
    row("a NULL title is not found", nullptr, "", false);
}

void TestPersianLike::folding()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, found);

    Connection db(Connection::Like::Persian);
    db.storeTitle(stored);
    QCOMPARE(db.firstValue(titleFilter(typed)), found ? QStringLiteral("1") : QStringLiteral("0"));
}

void TestPersianLike::expressions_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("asBuiltIn");

    auto row = [](const char* expression, const char* expected, bool asBuiltIn = true) {
        QTest::newRow(expression) << QString::fromUtf8(expression) << QString::fromUtf8(expected) << asBuiltIn;
    };

    row("'abc' like 'a_c'", "1");
    row("'abc' like 'a_'", "0");
    row("'ABC' like 'a%'", "1");
    row("'ba' like '%_a'", "1");
    row("'a' like '%_a'", "0");
    row("'abcbd' like '%b_'", "1");
    row("'' like ''", "1");
    row("'a' like ''", "0");
    row("123 like '1%3'", "1");
    row("like('a_', 'ab')", "1");
    row("like('a|_', 'a_', '|')", "1");
    row("'a%c' like 'a\\%c' escape '\\'", "1");
    row("'abc' like 'a\\%c' escape '\\'", "0");
    row("'a_c' like 'a\\_c' escape '\\'", "1");
    row("'abc' like 'a\\_c' escape '\\'", "0");
    row("'Ab' like 'xaxB' escape 'x'", "1");
    row("'abc' like 'abc\\' escape '\\'", "0");
    row("'ab' like '%\\' escape '\\'", "0");
    row("'a%' like 'a%%' escape '%'", "1");
    row("'abc' like 'a%' escape '%'", "0");
    row("'a_' like 'a__' escape '_'", "1");
    row("'ab' like 'a_' escape '_'", "0");
    row("'aé%b' like 'a%é%b' escape 'é'", "1");
    row("'a' like 'a' escape ''", "error: ESCAPE expression must be a single character");
    row("'a' like 'a' escape 'ab'", "error: ESCAPE expression must be a single character");
    row("'a' like 'a' escape NULL", "NULL");
    row("NULL like 'a'", "NULL");
    row("'a' like NULL", "NULL");
    row("NULL like NULL", "NULL");

    // ESCAPE with folded letters.
    row("'كليات_' like 'کلیات\\_' escape '\\'", "1", false);
    row("'ي%' like 'یي%' escape 'ي'", "1", false);
}

void TestPersianLike::expressions()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);
    QFETCH(bool, asBuiltIn);

    const QByteArray sql = "SELECT " + expression.toUtf8();
    QCOMPARE(Connection(Connection::Like::Persian).firstValue(sql), expected);
    if (asBuiltIn)
        QCOMPARE(Connection(Connection::Like::BuiltIn).firstValue(sql), expected);
}

void TestPersianLike::patternLengthLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("patternBytes");
    QTest::addColumn<bool>("tooComplex");

    // -1 keeps the connection's default limit of 50000 bytes.
    QTest::newRow("at the default limit") << -1 << 50000 << false;
    QTest::newRow("over the default limit") << -1 << 50001 << true;
    QTest::newRow("over a connection's own limit") << 10 << 11 << true;
}

void TestPersianLike::patternLengthLimit()
{
    QFETCH(int, limit);
    QFETCH(int, patternBytes);
    QFETCH(bool, tooComplex);

    // Two-byte letters, with one ASCII letter to make the length odd.
    const int letters = (patternBytes - 2) / 2;
    QString typed(letters, QChar(0x06CC));
    if ((patternBytes - 2) % 2)
        typed += QLatin1Char('a');
    const QByteArray sql = titleFilter(typed);

    const QString expected = tooComplex ? QStringLiteral("error: LIKE or GLOB pattern too complex")
                                        : QStringLiteral("0");
    for (auto like : {Connection::Like::Persian, Connection::Like::BuiltIn}) {
        Connection db(like);
        db.storeTitle(QStringLiteral("نماز"));
        if (limit >= 0)
            sqlite3_limit(db.handle(), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, limit);
        QCOMPARE(db.firstValue(sql), expected);
    }
}

QTEST_GUILESS_MAIN(TestPersianLike)
#include "tst_persianlike.moc"
