#pragma once
// The engine's `like`, taught the way Persian text is typed and stored.
//
// Registered on a connection, it replaces SQLite's own like(X,Y) and
// like(X,Y,Z) (the ESCAPE form), so every "... where field like '%text%'"
// statement keeps its exact text and only its matching changes. Both the
// stored text and the pattern are folded one character at a time before
// they are compared:
//   - ي U+064A, ى U+0649 and ی U+06CC are one letter; so are ك U+0643
//     and ک U+06A9; ة U+0629 is ه U+0647; أ إ آ ٱ are the bare alef ا;
//   - Arabic diacritics U+064B..U+065F and U+0670, the tatweel U+0640 and
//     the zero-width non-joiner U+200C are not characters at all: they are
//     skipped on both sides;
//   - Persian U+06F0..U+06F9, Arabic-Indic U+0660..U+0669 and ASCII digits
//     are the same digits;
//   - ASCII letters match regardless of case, and no other letter is
//     case-folded, as in the built-in like.
// `%`, `_` (one character of the folded text), ESCAPE, NULL arguments, the
// error texts and the LIKE pattern length limit behave as in the built-in.
//
// The function takes over from the built-in for good, so the case-sensitive
// switch of the built-in does not apply to it; note that running
// "PRAGMA case_sensitive_like" on the connection would put the built-in
// like back in its place. Since the function is not the built-in, SQLite
// never rewrites a like into an index range search: every row is compared.

struct sqlite3;

namespace platform {

// Registers like(pattern, text) and like(pattern, text, escape) on `db`.
// Returns SQLITE_OK, or the error code of the registration that failed.
int registerPersianLike(sqlite3* db);

}
