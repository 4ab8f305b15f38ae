// Fuzzes the copy of an Access file into SQLite (platform/jet/JetCopy.cpp):
// each input is written as a file and copied as the reader's child process
// copies a book. It finds faults in our code; mdbtools' library is not
// instrumented, and what crashes or hangs inside it is contained by the
// child process and its time limit in the reader, so such reports are
// skipped with -ignore_crashes/-ignore_timeouts/-ignore_ooms.
//
// Not part of the build or of the tests. To run it for five minutes:
//
//   mkdir -p /tmp/jetfuzz/corpus && cd /tmp/jetfuzz
//   for f in nwind.mdb DateTestDatabase.mdb ASampleDatabase.accdb; do
//     head -c 262144 "$NIVARA/../shared/fixtures/jet/$f" > corpus/$f; done
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I"$NIVARA" \
//     "$NIVARA/tests/fuzz/fuzz_jetcopy.cpp" "$NIVARA/platform/jet/JetCopy.cpp" \
//     $(pkg-config --cflags --libs libmdb) -lsqlite3 -o fuzz_jetcopy
//   ./fuzz_jetcopy -fork=2 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
//     -timeout=10 -rss_limit_mb=2048 -max_len=300000 -max_total_time=300 corpus
//
// with NIVARA set to the project folder. A crash whose stack has a frame of
// JetCopy.cpp above the library's frames is ours.

#include "platform/jet/JetCopy.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string folder = "/tmp/fuzz_jetcopy." + std::to_string(getpid());
    static const bool made = [&] { return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST; }();
    if (!made)
        return 0;
    const std::string book = folder + "/namaz.mdb";
    const std::string copy = folder + "/book.sqlite";
    if (FILE* file = std::fopen(book.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    std::remove(copy.c_str());
    try {
        jet::copyToSqlite(book, copy);
    } catch (const jet::ReadError&) {
    }
    std::remove(copy.c_str());
    return 0;
}
