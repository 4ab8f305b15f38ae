// What our Persian-aware like costs beside SQLite's built-in one, on the
// statements the title filter and the advanced search send, over a book of
// 100,000 questions.
//
//   likebench [runs]     (default 5 runs; the median is reported)

#include "platform/PersianLike.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kQuestions = 100000;
constexpr int kAnswerWords = 200;

// Words of a prayer book, in the forms books store them: Arabic and
// Persian letter forms, vowelled Quranic words, non-joiners, three kinds
// of digits and the odd Latin word.
const char* const kWords[] = {
    "نماز", "نَماز", "وضو", "غسل", "تیمم", "قبله", "رکوع", "ركوع", "سجده", "سجدة",
    "قرائت", "مسئله", "می\u200Cشود", "میشود", "احکام", "أحكام", "واجب", "مستحب", "صبح", "ظهر",
    "عصر", "مغرب", "عشا", "جماعت", "امام", "مأموم", "شک", "سهو", "قضا", "اذان",
    "اقامه", "تکبیرة\u200Cالاحرام", "الصَّلَاةُ", "كليات", "کلیات", "مقدمات", "لباس", "مکان", "وقت", "نیت",
    "قیام", "تشهد", "سلام", "قنوت", "مسافر", "روزه", "آب", "خاک", "پاک", "نجس",
    "است", "که", "در", "به", "از", "را", "با", "این", "آن", "اگر",
    "باید", "نمی\u200Cتواند", "بخواند", "بگوید", "رکعت", "۲", "۴", "١٢", "3", "Fatiha",
};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

// A fixed sequence of numbers, the same on every run.
class Generator {
public:
    std::uint32_t next()
    {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(m_state >> 33);
    }
    std::string words(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i) {
            if (i)
                text += ' ';
            text += kWords[next() % kWordCount];
        }
        return text;
    }

private:
    std::uint64_t m_state = 20240601;
};

void exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, error);
        std::exit(1);
    }
}

// Both connections see one in-memory book, each through a page cache of
// its own large enough to hold all of it.
sqlite3* openBook()
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2("file:/likebench?vfs=memdb", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI,
                        nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open the book: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
    exec(db, "PRAGMA cache_size = -1000000");
    return db;
}

void fillBook(sqlite3* db)
{
    exec(db, "CREATE TABLE t(kholase TEXT, porsesh TEXT, pasokh TEXT, pavaraghi TEXT)");
    exec(db, "BEGIN");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO t VALUES (?1, ?2, ?3, '')", -1, &insert, nullptr);
    Generator generator;
    for (int i = 0; i < kQuestions; ++i) {
        const std::string title = generator.words(4 + generator.next() % 6);
        const std::string question = generator.words(15 + generator.next() % 15);
        const std::string answer = generator.words(kAnswerWords - 20 + generator.next() % 41);
        sqlite3_bind_text(insert, 1, title.data(), int(title.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, question.data(), int(question.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, answer.data(), int(answer.size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    exec(db, "COMMIT");
}

struct Timing {
    std::vector<double> ms;
    int rows = 0;

    double median()
    {
        std::nth_element(ms.begin(), ms.begin() + ms.size() / 2, ms.end());
        return ms[ms.size() / 2];
    }
};

// Runs the statement to its end once.
void timeOnce(sqlite3* db, const std::string& sql, Timing& timing)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
    int rows = 0;
    const auto start = std::chrono::steady_clock::now();
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        ++rows;
    const auto end = std::chrono::steady_clock::now();
    if (rc != SQLITE_DONE) {
        std::fprintf(stderr, "%s: %s\n", sql.c_str(), sqlite3_errmsg(db));
        std::exit(1);
    }
    sqlite3_finalize(statement);
    timing.ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    timing.rows = rows;
}

struct Case {
    const char* feature;
    std::string sql;
    Timing builtIn{}, ours{};
};

}

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    sqlite3* builtIn = openBook();
    fillBook(builtIn);
    sqlite3* ours = openBook();
    if (platform::registerPersianLike(ours) != SQLITE_OK)
        return 1;

    const std::string filter = "SELECT * FROM t where kholase like ";
    const std::string search = "SELECT * FROM t where pasokh like ";
    std::vector<Case> cases = {
        {"filter, one letter", filter + "'%ن%'"},
        {"filter, a word", filter + "'%نماز%'"},
        {"filter, other forms", filter + "'%كليات%'"},
        {"filter, no match", filter + "'%زکات%'"},
        {"filter, Latin", filter + "'%ab%'"},
        {"answers, a word", search + "'%نماز%'"},
        {"answers, other forms", search + "'%كليات%'"},
        {"answers, no match", search + "'%زکات%'"},
        {"answers, Latin", search + "'%ab%'"},
    };

    // One unmeasured run fills both caches; then the two likes take turns,
    // so that whatever else the machine does falls on both alike.
    for (Case& c : cases) {
        for (int run = 0; run <= runs; ++run) {
            timeOnce(builtIn, c.sql, c.builtIn);
            timeOnce(ours, c.sql, c.ours);
        }
        c.builtIn.ms.erase(c.builtIn.ms.begin());
        c.ours.ms.erase(c.ours.ms.begin());
    }

    std::printf("%d questions, answers of about %d words; median of %d runs\n\n", kQuestions, kAnswerWords, runs);
    std::printf("%-22s %12s %12s %7s %14s\n", "statement", "built-in ms", "ours ms", "ratio", "rows (b / o)");
    for (Case& c : cases) {
        const double builtInMs = c.builtIn.median(), oursMs = c.ours.median();
        std::printf("%-22s %12.1f %12.1f %6.2fx %6d / %-6d\n", c.feature, builtInMs, oursMs, oursMs / builtInMs,
                    c.builtIn.rows, c.ours.rows);
    }
    sqlite3_close(ours);
    sqlite3_close(builtIn);
    return 0;
}
