#pragma once
// Access books: a book file whose header names the Jet or the ACE database
// engine is copied into a temporary SQLite database, which the connection
// then opens as it opens an SQLite book.

#include <QString>

class QTemporaryDir;

namespace platform {

// True when the file's first bytes name the Jet or the ACE engine.
bool isJetFile(const QString& path);

// Copies the Access file into `folder` with nivara-jet2sqlite, in a child
// process with a time limit, and returns the copy's path. Throws
// EDatabaseError when the child fails, crashes or runs out of time.
QString copyJetBook(const QString& jetPath, const QTemporaryDir& folder);

} // namespace platform
