#pragma once
// Large made-up books for the benchmark: the seven tables and the seven
// stored queries of namaz.mdb, filled with Persian-like questions and
// answers. The same seed always gives the same book.

#include <array>
#include <cstdint>
#include <string>

namespace bench {

struct BookShape {
    int questions = 1000;    // in all six categories together; jamkol holds every one
    std::uint64_t seed = 1;
    int answerLengthFactor = 1; // answers of 50..400 words times this
};

// The six category tables, then the combined table.
extern const std::array<const char*, 7> bookTables;
// The stored query over each of them, in the same order.
extern const std::array<const char*, 7> storedQueries;

// Writes the book to `path`, replacing any file there. Throws
// std::runtime_error with the engine's message when SQLite refuses.
void makeBook(const std::string& path, const BookShape& shape);

} // namespace bench
