#pragma once
// The child processes of the benchmark. The program starts once per process
// and a process's peak memory only grows, so every start-up, every memory
// figure and every book size gets a fresh process: the benchmark runs
// itself again with a hidden mode flag.
//
// Children report on standard output, one line per fact:
//   ready MS              start-up done, MS measured inside the child
//   peak KB               peak resident memory at the end
//   figure NAME PROGRAM FLOOR ROWS   (tab-separated medians in ms; FLOOR "-"
//                                     for a figure without one)

#include <string>

namespace bench {

// What the filter and the search type: common words of the made-up books,
// and a phrase that is found in about one answer of seventy.
extern const char* const filterLetter;     // the first keystroke
extern const char* const filterWordPrefix; // the word without its last letter
extern const char* const filterWord;
extern const char* const searchWord;

// Starts the program on the book in `bookDir`, shows the entry window,
// reports "ready", runs one filter and one search, reports "peak".
int runProgramChild(const std::string& bookDir);

// A bare Qt program: one empty window the size of the browser window.
// Reports "ready" when it is shown, then "peak".
int runBareWindowChild();

// Starts the program on the book in `bookDir` with both windows shown and
// reports every in-process figure, each beside its floor.
int runInteractionChild(const std::string& bookDir, int samples);

} // namespace bench
