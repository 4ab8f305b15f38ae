// nivara-jet2sqlite IN OUT: copies the Access file IN into the new SQLite
// database OUT. The reader starts it as a child process, so that a damaged
// file that crashes or hangs mdbtools' library ends only this process.
// Exit status 0 on success; otherwise 1 with the reason as the last line of
// the standard error (the library may write warnings before it).

#include "platform/jet/JetCopy.h"

#include <sys/resource.h>

#include <cstdio>
#include <new>

namespace {

// On some damaged files the library loops, taking memory as it goes; the
// reader's time limit ends it, and these limits keep it from taking the
// machine's memory or disk before then.
constexpr rlim_t memoryLimit = rlim_t(4) << 30;
constexpr rlim_t copySizeLimit = rlim_t(4) << 30;

void limitResources()
{
    const rlimit memory{memoryLimit, memoryLimit};
    setrlimit(RLIMIT_AS, &memory);
    const rlimit fileSize{copySizeLimit, copySizeLimit};
    setrlimit(RLIMIT_FSIZE, &fileSize);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN.mdb OUT.sqlite\n", argv[0]);
        return 2;
    }
    limitResources();
    try {
        jet::copyToSqlite(argv[1], argv[2]);
    } catch (const jet::ReadError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "The book file is too large to be read as an Access database.\n");
        return 1;
    }
    return 0;
}
