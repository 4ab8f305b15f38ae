#include "BookMaker.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace bench {

const std::array<const char*, 7> bookTables = {"kolliyat", "moghadamat", "vajeb",  "mostahab",
                                               "namaz",    "motefareghe", "jamkol"};
const std::array<const char*, 7> storedQueries = {"Qkolliyat", "Qmoghadamat", "Qvajeb", "Qmostahab",
                                                  "Qnamaz",    "Qmotefar",    "Qjamkol"};

namespace {

// Words of a book of rulings on prayer, the most frequent first: the
// sampler below favours the front of the list, as real text favours its
// small words. A few carry the Arabic letter forms or the zero-width
// non-joiner that such books are typed with.
const char* const kWords[] = {
    "و", "در", "به", "که", "از", "است", "را", "نماز", "با", "این",
    "اگر", "باید", "آن", "می\u200Cشود", "یا", "هم", "برای", "حکم", "مسئله", "رکعت",
    "وضو", "واجب", "بعد", "قبل", "شخص", "نمازگزار", "سجده", "رکوع", "قرائت", "مستحب",
    "احتیاط", "باطل", "صحیح", "وقت", "قبله", "بخواند", "بگوید", "کند", "باشد", "نباشد",
    "دارد", "ندارد", "انجام", "دهد", "شک", "سهو", "غسل", "تیمم", "لباس", "مکان",
    "بدن", "پاک", "نجس", "آب", "خاک", "تشهد", "سلام", "قنوت", "اذان", "اقامه",
    "نیت", "قیام", "جماعت", "امام", "مأموم", "مسجد", "صبح", "ظهر", "عصر", "مغرب",
    "عشا", "قضا", "مسافر", "شکسته", "کامل", "مکروه", "حرام", "جایز", "اعاده", "فراموش",
    "عمدا", "سهوا", "بنابر", "اقوی", "مرجع", "تقلید", "فتوا", "سوره", "حمد", "ذکر",
    "دعا", "تعقیبات", "جمعه", "عید", "آیات", "میت", "زن", "مرد", "کودک", "بالغ",
    "نمی\u200Cتواند", "می\u200Cتواند", "شرط", "شرایط", "موارد", "اول", "دوم", "سوم", "چهارم", "آخر",
    "روز", "شب", "سفر", "وطن", "کثیرالسفر", "منزل", "راه", "فرسخ", "مسافت", "قصد",
    "ده", "روزه", "طهارت", "حدث", "خون", "زخم", "جبیره", "مسح", "سر", "پا",
    "دست", "صورت", "شستن", "ترتیب", "موالات", "غصبی", "مباح", "مالک", "اجازه", "رضایت",
    "تكبير", "الاحرام", "ركوع", "قيام", "ذكر", "يا", "علي", "كتاب", "۲", "۴",
};
constexpr int kWordCount = int(sizeof kWords / sizeof kWords[0]);

// splitmix64: small, fast, and the same sequence on every machine.
class Random {
public:
    explicit Random(std::uint64_t seed) : state(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int between(int low, int high) { return low + int(next() % std::uint64_t(high - low + 1)); }
    double unit() { return double(next() >> 11) * 0x1.0p-53; }

private:
    std::uint64_t state;
};

class TextMaker {
public:
    explicit TextMaker(std::uint64_t seed) : random(seed) {}

    int between(int low, int high) { return random.between(low, high); }

    // A word, the front of the list far more often than the back.
    const char* word()
    {
        const double u = random.unit();
        return kWords[int(u * u * kWordCount)];
    }

    void appendWords(std::string& text, int count)
    {
        for (int i = 0; i < count; ++i) {
            if (i)
                text += ' ';
            text += word();
        }
    }

    std::string title() { return words(between(5, 12)); }

    std::string question()
    {
        std::string text = "آیا ";
        appendWords(text, between(19, 59));
        text += "؟";
        return text;
    }

    // An answer in lines of a sentence or two, as the book's authors break them.
    std::string answer(int lengthFactor)
    {
        int left = between(50, 400) * lengthFactor;
        std::string text;
        while (left > 0) {
            const int line = std::min(left, between(8, 30));
            if (!text.empty())
                text += "\r\n";
            appendWords(text, line);
            text += '.';
            left -= line;
        }
        return text;
    }

    std::string footnotes()
    {
        std::string text;
        const int count = between(1, 3);
        for (int n = 1; n <= count; ++n) {
            if (n > 1)
                text += "\r\n";
            text += persianNumber(n) + ". رساله " + word() + "، مسئله " + persianNumber(between(1, 2900)) +
                    "، ص " + persianNumber(between(1, 600)) + ".";
        }
        return text;
    }

private:
    std::string words(int count)
    {
        std::string text;
        appendWords(text, count);
        return text;
    }

    static std::string persianNumber(int value)
    {
        static const char* const digits[] = {"۰", "۱", "۲", "۳", "۴", "۵", "۶", "۷", "۸", "۹"};
        const std::string ascii = std::to_string(value);
        std::string text;
        for (char c : ascii)
            text += digits[c - '0'];
        return text;
    }

    Random random;
};

class Book {
public:
    explicit Book(const std::string& path)
    {
        if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
            fail();
    }
    ~Book() { sqlite3_close(db); }
    Book(const Book&) = delete;
    Book& operator=(const Book&) = delete;

    void exec(const std::string& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : sqlite3_errmsg(db);
            sqlite3_free(error);
            throw std::runtime_error(message);
        }
    }

    sqlite3_stmt* prepare(const std::string& sql)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            fail();
        return statement;
    }

    void run(sqlite3_stmt* statement)
    {
        if (sqlite3_step(statement) != SQLITE_DONE)
            fail();
        sqlite3_reset(statement);
    }

private:
    [[noreturn]] void fail() { throw std::runtime_error(sqlite3_errmsg(db)); }
    sqlite3* db = nullptr;
};

struct Record {
    std::string kholase, porsesh, pasokh, pavaraghi;
};

void bindRecord(sqlite3_stmt* insert, const Record& record)
{
    // The strings outlive the step, so SQLite need not copy them.
    sqlite3_bind_text(insert, 1, record.kholase.data(), int(record.kholase.size()), SQLITE_STATIC);
    sqlite3_bind_text(insert, 2, record.porsesh.data(), int(record.porsesh.size()), SQLITE_STATIC);
    sqlite3_bind_text(insert, 3, record.pasokh.data(), int(record.pasokh.size()), SQLITE_STATIC);
    sqlite3_bind_text(insert, 4, record.pavaraghi.data(), int(record.pavaraghi.size()), SQLITE_STATIC);
}

void createSchema(Book& book)
{
    for (const char* table : bookTables) {
        book.exec(std::string("CREATE TABLE ") + table +
                  " (id INTEGER PRIMARY KEY, kholase TEXT, porsesh TEXT, pasokh TEXT, pavaraghi TEXT)");
    }
    for (std::size_t i = 0; i < bookTables.size(); ++i)
        book.exec(std::string("CREATE VIEW ") + storedQueries[i] + " AS SELECT * FROM " + bookTables[i]);
}

void fill(Book& book, const BookShape& shape)
{
    std::vector<sqlite3_stmt*> inserts;
    for (const char* table : bookTables) {
        inserts.push_back(book.prepare(std::string("INSERT INTO ") + table +
                                       " (kholase, porsesh, pasokh, pavaraghi) VALUES (?1, ?2, ?3, ?4)"));
    }
    sqlite3_stmt* combined = inserts.back();
    TextMaker maker(shape.seed);
    for (int i = 0; i < shape.questions; ++i) {
        sqlite3_stmt* category = inserts[std::size_t(maker.between(0, 5))];
        const Record record{maker.title(), maker.question(), maker.answer(shape.answerLengthFactor),
                            maker.footnotes()};
        for (sqlite3_stmt* insert : {category, combined}) {
            bindRecord(insert, record);
            book.run(insert);
        }
    }
    for (sqlite3_stmt* insert : inserts)
        sqlite3_finalize(insert);
}

} // namespace

void makeBook(const std::string& path, const BookShape& shape)
{
    // Written under another name first, so a failed run never leaves half a book.
    const std::string partial = path + ".part";
    std::remove(partial.c_str());
    try {
        Book book(partial);
        // A scratch file being written once: no journal, no waiting for the disk.
        book.exec("PRAGMA journal_mode = OFF");
        book.exec("PRAGMA synchronous = OFF");
        book.exec("BEGIN");
        createSchema(book);
        fill(book, shape);
        book.exec("COMMIT");
    } catch (...) {
        std::remove(partial.c_str());
        throw;
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        throw std::runtime_error("cannot rename " + partial + " to " + path);
    }
}

} // namespace bench
