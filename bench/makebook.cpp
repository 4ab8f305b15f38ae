// nivara-makebook OUT.mdb QUESTIONS [SEED]: writes a made-up book of
// QUESTIONS questions spread over the six categories, all of them also in
// the combined table. The same seed (default 1) gives the same book.

#include "BookMaker.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: nivara-makebook OUT.mdb QUESTIONS [SEED]\n");
        return 2;
    }
    bench::BookShape shape;
    shape.questions = std::atoi(argv[2]);
    if (shape.questions < 0) {
        std::fprintf(stderr, "nivara-makebook: QUESTIONS must not be negative\n");
        return 2;
    }
    if (argc == 4)
        shape.seed = std::strtoull(argv[3], nullptr, 10);
    const auto start = std::chrono::steady_clock::now();
    try {
        bench::makeBook(argv[1], shape);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nivara-makebook: %s\n", error.what());
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%s: %d questions in %.1f s\n", argv[1], shape.questions, took.count());
    return 0;
}
