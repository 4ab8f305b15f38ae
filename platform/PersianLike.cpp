#include "platform/PersianLike.h"

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace platform {
namespace {

using CodePoint = std::uint32_t;

// What a character folds to when it is no character of the folded text.
constexpr CodePoint kNothing = 0xFFFFFFFFu;

constexpr CodePoint kZeroWidthNonJoiner = 0x200C;

// ASCII: letters fold to lower case, everything else to itself (0 stays
// the end of the text).
constexpr std::array<unsigned char, 128> makeAsciiFolds()
{
    std::array<unsigned char, 128> folds{};
    for (int c = 0; c < 128; ++c)
        folds[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    return folds;
}
constexpr auto kAsciiFolds = makeAsciiFolds();

// The Arabic block U+0600..U+06FF, where all the other foldings live.
constexpr CodePoint kArabicFirst = 0x0600;

constexpr std::array<CodePoint, 256> makeArabicFolds()
{
    std::array<CodePoint, 256> folds{};
    for (CodePoint c = 0; c < 256; ++c)
        folds[c] = kArabicFirst + c;
    auto fold = [&folds](CodePoint from, CodePoint to) { folds[from - kArabicFirst] = to; };

    for (CodePoint yeh : {0x064Au, 0x0649u}) fold(yeh, 0x06CC);          // ي ى -> ی
    fold(0x0643, 0x06A9);                                                // ك -> ک
    fold(0x0629, 0x0647);                                                // ة -> ه
    for (CodePoint alef : {0x0623u, 0x0625u, 0x0622u, 0x0671u}) fold(alef, 0x0627); // أ إ آ ٱ -> ا
    for (CodePoint mark = 0x064B; mark <= 0x065F; ++mark) fold(mark, kNothing);    // diacritics
    fold(0x0670, kNothing);                                              // superscript alef
    fold(0x0640, kNothing);                                              // tatweel
    for (CodePoint d = 0; d < 10; ++d) {
        fold(0x0660 + d, '0' + d);                                       // Arabic-Indic digits
        fold(0x06F0 + d, '0' + d);                                       // Persian digits
    }
    return folds;
}
constexpr auto kArabicFolds = makeArabicFolds();

CodePoint foldNonAscii(CodePoint c)
{
    if (c - kArabicFirst < kArabicFolds.size())
        return kArabicFolds[c - kArabicFirst];
    return c == kZeroWidthNonJoiner ? kNothing : c;
}

// Payload bits of a UTF-8 lead byte 0xC0..0xFF.
constexpr unsigned char kLeadBits[64] = {
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f,
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x1b, 0x1c, 0x1d, 0x1e, 0x1f,
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f,
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x00, 0x01, 0x02, 0x03, 0x00, 0x01, 0x00, 0x00,
};

// Decodes the character at `z` (not ASCII) and moves past it. Malformed
// text is read exactly as SQLite reads it, so that like sees the same
// characters as the rest of the engine: a stray continuation byte is a
// character of its own, and overlong forms, surrogates and U+FFFE/U+FFFF
// read as U+FFFD.
inline CodePoint decodeNonAscii(const unsigned char*& z)
{
    CodePoint c = *z++;
    if (c < 0xC0)
        return c;
    c = kLeadBits[c - 0xC0];
    while ((*z & 0xC0) == 0x80)
        c = (c << 6) + (0x3F & *z++);
    if (c < 0x80 || (c & 0xFFFFF800u) == 0xD800 || (c & 0xFFFFFFFEu) == 0xFFFE)
        c = 0xFFFD;
    return c;
}

// The next character of the raw text, 0 at its end (where `z` stays).
inline CodePoint readRaw(const unsigned char*& z)
{
    if (*z < 0x80)
        return *z ? *z++ : 0;
    return decodeNonAscii(z);
}

// The next character of the folded text, 0 at its end.
inline CodePoint readFolded(const unsigned char*& z)
{
    for (;;) {
        if (*z < 0x80)
            return *z ? kAsciiFolds[*z++] : 0;
        const CodePoint c = foldNonAscii(decodeNonAscii(z));
        if (c != kNothing)
            return c;
    }
}

bool isAsciiDigit(CodePoint c) { return c >= '0' && c <= '9'; }

// Moves `z` past the next character of the folded text that is `wanted`;
// false when there is none. Only non-ASCII text can fold to a non-ASCII
// character, and only the two cases of an ASCII character (or, for a
// digit, a Persian or Arabic-Indic digit) can fold to it, so most of the
// text is passed over byte by byte without decoding.
bool skipPast(const unsigned char*& z, CodePoint wanted)
{
    if (wanted >= 0x80) {
        for (;;) {
            while (*z - 1u < 0x7Fu)
                ++z;
            if (*z == 0)
                return false;
            if (foldNonAscii(decodeNonAscii(z)) == wanted)
                return true;
        }
    }
    if (isAsciiDigit(wanted)) {
        for (CodePoint c; (c = readFolded(z)) != 0;)
            if (c == wanted)
                return true;
        return false;
    }
    const char stops[] = {static_cast<char>(wanted),
                          static_cast<char>(wanted >= 'a' && wanted <= 'z' ? wanted - ('a' - 'A') : wanted),
                          0};
    z += std::strcspn(reinterpret_cast<const char*>(z), stops);
    if (*z == 0)
        return false;
    ++z;
    return true;
}

// The characters that the pattern gives a meaning; 0 stands for none.
struct PatternSyntax {
    CodePoint anyRun = '%';
    CodePoint anyOne = '_';
    CodePoint escape = 0;
};

enum class Token { End, AnyRun, AnyOne, Char, Unmatchable };

// Reads the next token of the pattern: a wildcard, or a character of the
// folded pattern in `c`. An escaped character is a plain character (folded
// like any other); an escape at the very end makes the pattern match
// nothing, as in the built-in like.
inline Token readToken(const unsigned char*& p, const PatternSyntax& syntax, CodePoint& c)
{
    for (;;) {
        c = readRaw(p);
        if (c == 0)
            return Token::End;
        if (c == syntax.anyRun)
            return Token::AnyRun;
        if (c == syntax.anyOne)
            return Token::AnyOne;
        if (c == syntax.escape && (c = readRaw(p)) == 0)
            return Token::Unmatchable;
        c = c < 0x80 ? kAsciiFolds[c] : foldNonAscii(c);
        if (c != kNothing)
            return Token::Char;
    }
}

// Whether the folded `text` matches the folded `pattern`. Iterative: on a
// mismatch it only goes back to the last `%`, letting that `%` take one
// more run of text up to the next place where the character that follows
// the `%` occurs; going further back could never match where this fails.
bool matches(const unsigned char* pattern, const unsigned char* text, const PatternSyntax& syntax)
{
    const unsigned char* p = pattern;
    const unsigned char* t = text;
    const unsigned char* afterAnchor = nullptr; // pattern after the last "%c", if any
    const unsigned char* retryFrom = nullptr;   // text where `anchor` is looked for next
    CodePoint anchor = 0;

    for (;;) {
        CodePoint c;
        Token token = readToken(p, syntax, c);
        if (token == Token::AnyRun) {
            // A run of % and _ takes the _ characters at once, then any run.
            while ((token = readToken(p, syntax, c)) == Token::AnyRun || token == Token::AnyOne)
                if (token == Token::AnyOne && readFolded(t) == 0)
                    return false;
            if (token == Token::End)
                return true;
            if (token == Token::Unmatchable)
                return false;
            anchor = c;
            afterAnchor = p;
            retryFrom = t;
        } else if (token == Token::Unmatchable) {
            return false;
        } else {
            const CodePoint have = readFolded(t);
            if (token == Token::End && have == 0)
                return true;
            if (token != Token::End && have != 0 && (token == Token::AnyOne || have == c))
                continue;
            if (!afterAnchor)
                return false;
        }
        if (!skipPast(retryFrom, anchor))
            return false;
        t = retryFrom;
        p = afterAnchor;
    }
}

// Characters in `z`, counted as SQLite counts them.
int characterCount(const unsigned char* z)
{
    int count = 0;
    while (readRaw(z) != 0)
        ++count;
    return count;
}

// like(pattern, text) and like(pattern, text, escape).
void persianLike(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    sqlite3* db = sqlite3_context_db_handle(context);
    if (sqlite3_value_bytes(argv[0]) > sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1)) {
        sqlite3_result_error(context, "LIKE or GLOB pattern too complex", -1);
        return;
    }
    PatternSyntax syntax;
    if (argc == 3) {
        const unsigned char* escape = sqlite3_value_text(argv[2]);
        if (!escape)
            return;
        if (characterCount(escape) != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        syntax.escape = readRaw(escape);
        // An escape character that is a wildcard is no wildcard any more.
        if (syntax.escape == syntax.anyRun)
            syntax.anyRun = 0;
        if (syntax.escape == syntax.anyOne)
            syntax.anyOne = 0;
    }
    const unsigned char* pattern = sqlite3_value_text(argv[0]);
    const unsigned char* text = sqlite3_value_text(argv[1]);
    if (pattern && text)
        sqlite3_result_int(context, matches(pattern, text, syntax));
}

}

int registerPersianLike(sqlite3* db)
{
    // Innocuous as well: it has no side effects, so stored views may use it.
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    for (int argc : {2, 3}) {
        const int rc = sqlite3_create_function_v2(db, "like", argc, flags, nullptr, persianLike,
                                                  nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

}
