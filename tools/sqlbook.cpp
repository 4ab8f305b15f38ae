// sqlbook SOURCE.sql OUT.mdb: runs the SQL text of SOURCE into a new
// SQLite database written to OUT (replacing any earlier OUT).
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: sqlbook SOURCE.sql OUT.mdb\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "sqlbook: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();

    const std::string out = argv[2];
    const std::string partial = out + ".part";
    std::remove(partial.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open(partial.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "sqlbook: %s\n", sqlite3_errmsg(db));
        return 1;
    }
    char* error = nullptr;
    const std::string script = "BEGIN;\n" + text.str() + "\nCOMMIT;";
    const int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::fprintf(stderr, "sqlbook: %s: %s\n", argv[1], error ? error : "error");
        sqlite3_free(error);
        sqlite3_close(db);
        std::remove(partial.c_str());
        return 1;
    }
    sqlite3_close(db);
    // Written under another name first, so a failed run never leaves a half book.
    if (std::rename(partial.c_str(), out.c_str()) != 0) {
        std::perror("sqlbook");
        return 1;
    }
    return 0;
}
