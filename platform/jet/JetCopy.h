#pragma once
// Copies a Microsoft Access (Jet 3, Jet 4 or ACE) file into a new SQLite
// database, through mdbtools' library: every user table with its name,
// columns and rows, and an empty view for every saved query. The reader runs
// this in a child process (nivara-jet2sqlite), because the library may crash
// or loop on a damaged file.

#include <stdexcept>
#include <string>

namespace jet {

// The file could not be copied; the message is meant for the reader.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads `jetPath` (never writing it) and writes the SQLite database
// `sqlitePath`, which must not exist yet. Throws ReadError.
void copyToSqlite(const std::string& jetPath, const std::string& sqlitePath);

// The iconv name of the 8-bit code page a Jet 3 file stores its text in,
// from the code page in its header or, when that is missing, from its sort
// order's language.
std::string jet3Charset(unsigned codePage, unsigned languageId);

} // namespace jet
