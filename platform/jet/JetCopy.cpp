#include "platform/jet/JetCopy.h"

#include <mdbtools.h>
#include <sqlite3.h>

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <set>
#include <vector>

namespace jet {

namespace {

const char* const notAnAccessDatabase = "The book file could not be read as an Access database.";

// The library writes each value as text of at most its bind size. Most
// values are short; a value that fills the bind size may have been cut, so
// the row is read again with a bind size four times larger, up to a memo
// of 64 MiB in UTF-8 (a thousand times the longest memo Access lets a
// person type).
constexpr size_t firstBindSize = 256;
constexpr size_t largestBindSize = size_t(64) << 20;
// Raw values (binary fields, the head of an OLE field) are copied from one
// page, whatever the bind size.
constexpr size_t rawValueRoom = 2 * MDB_PGSIZE;

// Access counts dates in days from 30 December 1899, the fraction being the
// time of day; before that day too (-1.25 is 29 December 1899, 06:00).
constexpr double firstDate = -657434.0; // 1 January 100
constexpr double endOfDates = 2958466.0; // 1 January 10000
constexpr int daysFrom1970To1899 = -25569;

std::string quoted(const std::string& name)
{
    std::string result = "\"";
    for (char c : name) {
        result += c;
        if (c == '"')
            result += '"';
    }
    return result + '"';
}

bool charsetExists(const std::string& name)
{
    iconv_t probe = iconv_open("UTF-8", name.c_str());
    if (probe == iconv_t(-1))
        return false;
    iconv_close(probe);
    return true;
}

unsigned codePageOfLanguage(unsigned languageId)
{
    switch (languageId & 0x3ff) {
    case 0x01: case 0x20: case 0x29: return 1256; // Arabic, Urdu, Persian
    case 0x0d: return 1255;                       // Hebrew
    case 0x08: return 1253;                       // Greek
    case 0x02: case 0x19: case 0x22: case 0x23: case 0x2f: return 1251; // Cyrillic
    case 0x05: case 0x0e: case 0x15: case 0x18: case 0x1a: case 0x1b: case 0x1c: case 0x24:
        return 1250;                              // Central European
    case 0x1f: return 1254;                       // Turkish
    case 0x25: case 0x26: case 0x27: return 1257; // Baltic
    case 0x2a: return 1258;                       // Vietnamese
    case 0x1e: return 874;                        // Thai
    case 0x11: return 932;                        // Japanese
    case 0x12: return 949;                        // Korean
    case 0x04: return (languageId == 0x0404 || languageId == 0x0c04 || languageId == 0x1404) ? 950 : 936;
    default: return 1252;
    }
}

struct MdbCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;
using TablePtr = std::unique_ptr<MdbTableDef, TableFreer>;

MdbPtr openJetFile(const std::string& path)
{
    // The text must come out as UTF-8, whatever the caller's environment says.
    unsetenv("MDBICONV");
    MdbPtr mdb(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!mdb)
        throw ReadError(notAnAccessDatabase);
    if (IS_JET3(mdb.get())) {
        setenv("MDB_JET3_CHARSET", jet3Charset(mdb->f->code_page, mdb->f->lang_id).c_str(), 1);
        mdb_iconv_close(mdb.get());
        mdb_iconv_init(mdb.get());
    }
    mdb_set_boolean_fmt_numbers(mdb.get());
    return mdb;
}

class SqliteFile {
public:
    explicit SqliteFile(const std::string& path)
    {
        struct stat existing;
        if (stat(path.c_str(), &existing) == 0)
            throw ReadError("The copy's file exists already: " + path);
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
            fail();
        // A scratch copy: nothing to recover if the writer stops half-way.
        exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN");
    }
    ~SqliteFile() { sqlite3_close(db); }
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    void exec(const std::string& sql)
    {
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail();
    }
    sqlite3_stmt* prepare(const std::string& sql)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
            fail();
        return statement;
    }
    void step(sqlite3_stmt* statement)
    {
        if (sqlite3_step(statement) != SQLITE_DONE)
            fail();
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }
    [[noreturn]] void fail() { throw ReadError(std::string("The copy could not be written: ") + sqlite3_errmsg(db)); }

private:
    sqlite3* db = nullptr;
};

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

enum class Kind { Integer, Real, Numeric, Date, Text, Binary, Ole };

Kind kindOf(int columnType)
{
    switch (columnType) {
    case MDB_BOOL: case MDB_BYTE: case MDB_INT: case MDB_LONGINT: case MDB_COMPLEX: return Kind::Integer;
    case MDB_FLOAT: case MDB_DOUBLE: return Kind::Real;
    case MDB_MONEY: case MDB_NUMERIC: return Kind::Numeric;
    case MDB_DATETIME: return Kind::Date;
    case MDB_BINARY: return Kind::Binary;
    case MDB_OLE: return Kind::Ole;
    default: return Kind::Text; // text, memo, replication ids
    }
}

const char* sqliteType(Kind kind)
{
    switch (kind) {
    case Kind::Integer: return "INTEGER";
    case Kind::Real: return "REAL";
    case Kind::Numeric: return "NUMERIC";
    case Kind::Binary: case Kind::Ole: return "BLOB";
    case Kind::Date: case Kind::Text: break;
    }
    return "TEXT";
}

// A date as "YYYY-MM-DD hh:mm:ss"; empty outside the years 100 to 9999.
std::string dateText(double value)
{
    if (!(value >= firstDate && value < endOfDates))
        return {};
    double day = std::trunc(value);
    long long seconds = std::llround(std::fabs(value - day) * 86400.0);
    if (seconds == 86400) {
        seconds = 0;
        day += 1;
    }
    using namespace std::chrono;
    const year_month_day date{sys_days{days{daysFrom1970To1899 + (long long)day}}};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02lld:%02lld:%02lld", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// A single-precision number as the double its shortest decimal form names,
// so that 0.15 stays 0.15 and does not become 0.15000000596.
double widened(float value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text - 1, value).ptr;
    *end = '\0';
    return std::strtod(text, nullptr);
}

// One column of the table being copied, bound to a buffer of its own.
struct BoundColumn {
    MdbColumn* column;
    Kind kind;
    std::unique_ptr<char[]> buffer;
    int length = 0;

    // The library writes a text value with its terminating zero; a value
    // that reaches the end of the buffer may have been cut.
    bool mayBeCut(size_t bindSize) const
    {
        return kind != Kind::Binary && kind != Kind::Ole && std::strlen(buffer.get()) + 1 >= bindSize;
    }
    // The library marks a null value, and only a null one, with no length
    // (a yes/no field is never null). A zero-length text reads as null too.
    bool isNull() const { return column->col_type != MDB_BOOL && column->cur_value_len == 0; }
};

class TableCopy {
public:
    TableCopy(MdbHandle* mdb, MdbCatalogEntry* entry, SqliteFile& out) : mdb(mdb), out(out)
    {
        table.reset(mdb_read_table(entry));
        // A damaged definition may count more columns than it describes.
        if (!table || !mdb_read_columns(table.get()) || table->num_cols == 0 || table->columns->len != table->num_cols)
            throw ReadError(std::string("The table ") + entry->object_name + " of the book file could not be read.");
        name = table->name;
        for (unsigned i = 0; i < table->num_cols; ++i) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
            columns.push_back({column, kindOf(column->col_type), nullptr, 0});
        }
        bindAll(firstBindSize);
    }
    // The library's own reads (its catalogue, a table's definition) expect
    // its default bind size.
    ~TableCopy() { mdb_set_bind_size(mdb, MDB_BIND_SIZE); }
    TableCopy(const TableCopy&) = delete;
    TableCopy& operator=(const TableCopy&) = delete;

    void run()
    {
        createTable();
        StatementPtr insert(out.prepare(insertStatement()));
        mdb_rewind_table(table.get());
        unsigned rows = 0;
        while (mdb_fetch_row(table.get())) {
            ++rows;
            readWhole();
            // The values read from the row's page come first: reading an
            // OLE field moves through other pages.
            for (size_t i = 0; i < columns.size(); ++i)
                if (columns[i].kind != Kind::Ole)
                    bindValue(insert.get(), int(i) + 1, columns[i]);
            for (size_t i = 0; i < columns.size(); ++i)
                if (columns[i].kind == Kind::Ole)
                    bindValue(insert.get(), int(i) + 1, columns[i]);
            out.step(insert.get());
        }
        // The table's definition counts its rows; a damaged file loses some.
        if (rows != table->num_rows)
            throw ReadError("The table " + name + " of the book file is damaged: it holds " +
                            std::to_string(table->num_rows) + " rows, of which " + std::to_string(rows) +
                            " could be read.");
    }

private:
    void bindAll(size_t size)
    {
        mdb_set_bind_size(mdb, size);
        bindSize = size;
        for (size_t i = 0; i < columns.size(); ++i) {
            BoundColumn& bound = columns[i];
            // Only the bytes a value needs are touched, so a large buffer
            // costs address space, not memory.
            bound.buffer.reset(new char[size + rawValueRoom]);
            bound.buffer[0] = '\0';
            mdb_bind_column(table.get(), int(i) + 1, bound.buffer.get(), &bound.length);
        }
    }

    // Reads the current row again with larger buffers while a value may
    // have been cut at the buffer's end.
    void readWhole()
    {
        while (anyCut()) {
            if (bindSize >= largestBindSize)
                throw ReadError("A memo field of the table " + name + " is too large to read.");
            bindAll(bindSize * 4);
            if (!mdb_read_row(table.get(), table->cur_row - 1))
                throw ReadError("A row of the table " + name + " could not be read again.");
        }
    }

    bool anyCut() const
    {
        for (const BoundColumn& bound : columns)
            if (bound.mayBeCut(bindSize))
                return true;
        return false;
    }

    void createTable()
    {
        std::string sql = "CREATE TABLE " + quoted(name) + " (";
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                sql += ", ";
            sql += quoted(columns[i].column->name) + ' ' + sqliteType(columns[i].kind);
        }
        out.exec(sql + ")");
    }

    std::string insertStatement() const
    {
        std::string sql = "INSERT INTO " + quoted(name) + " VALUES (";
        for (size_t i = 0; i < columns.size(); ++i)
            sql += i == 0 ? "?" : ", ?";
        return sql + ")";
    }

    void bindValue(sqlite3_stmt* insert, int parameter, BoundColumn& bound)
    {
        if (bound.isNull())
            return; // parameters start as NULL
        const char* text = bound.buffer.get();
        switch (bound.kind) {
        case Kind::Integer:
            sqlite3_bind_int64(insert, parameter, std::strtoll(text, nullptr, 10));
            break;
        case Kind::Real:
            bindReal(insert, parameter, *bound.column);
            break;
        case Kind::Date:
            bindDate(insert, parameter, *bound.column);
            break;
        case Kind::Binary:
            sqlite3_bind_blob(insert, parameter, text, int(std::min<size_t>(size_t(std::max(bound.length, 0)), rawValueRoom)),
                              SQLITE_TRANSIENT);
            break;
        case Kind::Ole:
            bindOle(insert, parameter, bound);
            break;
        case Kind::Numeric:
        case Kind::Text:
            sqlite3_bind_text(insert, parameter, text, -1, SQLITE_TRANSIENT);
            break;
        }
    }

    // Numbers and dates are read from the row as stored, not from the
    // library's text, which rounds them or gives no date before 1900.
    unsigned char* storedValue(const MdbColumn& column, int size) const
    {
        const int start = column.cur_value_start;
        if (column.cur_value_len < size || start < 0 || start + size > int(sizeof mdb->pg_buf))
            return nullptr;
        return mdb->pg_buf + start;
    }

    void bindReal(sqlite3_stmt* insert, int parameter, const MdbColumn& column)
    {
        const bool single = column.col_type == MDB_FLOAT;
        unsigned char* stored = storedValue(column, single ? 4 : 8);
        if (!stored)
            return;
        const double value = single ? widened(mdb_get_single(stored, 0))
                                    : mdb_get_double(stored, 0);
        if (std::isfinite(value))
            sqlite3_bind_double(insert, parameter, value);
    }

    void bindDate(sqlite3_stmt* insert, int parameter, const MdbColumn& column)
    {
        unsigned char* stored = storedValue(column, 8);
        if (!stored)
            return;
        const std::string text = dateText(mdb_get_double(stored, 0));
        if (!text.empty())
            sqlite3_bind_text(insert, parameter, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
    }

    void bindOle(sqlite3_stmt* insert, int parameter, BoundColumn& bound)
    {
        size_t size = 0;
        void* data = mdb_ole_read_full(mdb, bound.column, &size);
        if (data && size <= size_t(std::numeric_limits<int>::max()))
            sqlite3_bind_blob(insert, parameter, data, int(size), SQLITE_TRANSIENT);
        free(data);
    }

    MdbHandle* mdb;
    SqliteFile& out;
    TablePtr table;
    std::string name;
    std::vector<BoundColumn> columns;
    size_t bindSize = 0;
};

std::vector<MdbCatalogEntry*> catalogEntries(MdbHandle* mdb)
{
    if (!mdb_read_catalog(mdb, MDB_ANY))
        throw ReadError(notAnAccessDatabase);
    std::vector<MdbCatalogEntry*> entries;
    for (unsigned i = 0; i < mdb->num_catalog; ++i)
        entries.push_back(static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i)));
    return entries;
}

// Names are compared as SQLite compares them: ASCII letters fold.
std::string foldedName(const std::string& name)
{
    std::string folded = name;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return folded;
}

} // namespace

std::string jet3Charset(unsigned codePage, unsigned languageId)
{
    if (codePage != 0) {
        const std::string named = "CP" + std::to_string(codePage);
        if (charsetExists(named))
            return named;
    }
    return "CP" + std::to_string(codePageOfLanguage(languageId));
}

void copyToSqlite(const std::string& jetPath, const std::string& sqlitePath)
{
    MdbPtr mdb = openJetFile(jetPath);
    const std::vector<MdbCatalogEntry*> entries = catalogEntries(mdb.get());
    SqliteFile out(sqlitePath);
    std::set<std::string> tables;
    for (MdbCatalogEntry* entry : entries) {
        if (!mdb_is_user_table(entry))
            continue;
        TableCopy(mdb.get(), entry, out).run();
        tables.insert(foldedName(entry->object_name));
    }
    // Nothing reads a saved query's rows: the stored-query datasets only
    // open it, so an empty view of its name stands for it.
    for (MdbCatalogEntry* entry : entries) {
        if (entry->object_type != MDB_QUERY || !tables.insert(foldedName(entry->object_name)).second)
            continue;
        out.exec("CREATE VIEW " + quoted(entry->object_name) + " AS SELECT NULL WHERE 0");
    }
    out.exec("COMMIT");
}

} // namespace jet
