// nivara-bench [--sizes 1000,10000,100000] [--out FILE] [--samples N]
//
// For each size, writes a made-up book of that many questions into the
// system's temporary folder, drives the real windows over it headless, and
// prints the median of every figure beside its floor: the engine alone
// evaluating the same statements, or for start-up and memory a bare Qt
// program that shows one empty window. The table goes to standard output
// and to FILE (default ./bench-results.md). The book is deleted afterwards.

#include "BookMaker.h"
#include "Children.h"
#include "Timing.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QtGlobal>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using bench::median;
using bench::Stopwatch;

struct Options {
    std::vector<int> sizes{1000, 10000, 100000};
    std::string out = "bench-results.md";
    int samples = 9;
};

std::vector<int> parseSizes(const std::string& list)
{
    std::vector<int> sizes;
    std::stringstream parts(list);
    std::string part;
    while (std::getline(parts, part, ',')) {
        const int size = std::atoi(part.c_str());
        if (size <= 0)
            throw std::runtime_error("not a book size: " + part);
        sizes.push_back(size);
    }
    return sizes;
}

Options parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            throw std::runtime_error("missing value after " + arg);
        const std::string value = argv[++i];
        if (arg == "--sizes")
            options.sizes = parseSizes(value);
        else if (arg == "--out")
            options.out = value;
        else if (arg == "--samples")
            options.samples = std::max(1, std::atoi(value.c_str()));
        else
            throw std::runtime_error("unknown option " + arg);
    }
    return options;
}

std::string selfPath()
{
    return fs::read_symlink("/proc/self/exe").string();
}

// What a child printed, keyed by the first word of each line, and when it
// said "ready", counted from the moment it was spawned.
struct ChildReport {
    std::multimap<std::string, std::string> facts;
    double readyAfterMs = 0;

    double number(const std::string& key) const
    {
        const auto found = facts.find(key);
        if (found == facts.end())
            throw std::runtime_error("the child did not report " + key);
        return std::atof(found->second.c_str());
    }
};

ChildReport runChild(const std::vector<std::string>& args)
{
    static const std::string self = selfPath();
    std::vector<char*> argv{const_cast<char*>(self.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    ChildReport report;
    const Stopwatch watch;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + self);
    }
    FILE* output = fdopen(pipeEnds[0], "r");
    char line[4096];
    while (std::fgets(line, sizeof line, output)) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        const auto space = text.find_first_of(" \t");
        const std::string key = text.substr(0, space);
        if (key == "ready")
            report.readyAfterMs = watch.ms();
        report.facts.emplace(key, space == std::string::npos ? std::string() : text.substr(space + 1));
    }
    std::fclose(output);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the child " + args.front() + " failed");
    return report;
}

// The floor's share of start-up: a fresh connection counting the rows of
// the seven tables and the seven stored queries.
double countAllDatasets(const std::string& book)
{
    const Stopwatch watch;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(book.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    for (const auto* names : {&bench::bookTables, &bench::storedQueries}) {
        for (const char* name : *names) {
            const std::string sql = std::string("SELECT count(*) FROM ") + name;
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK ||
                sqlite3_step(statement) != SQLITE_ROW)
                throw std::runtime_error(sqlite3_errmsg(db));
            sqlite3_finalize(statement);
        }
    }
    sqlite3_close(db);
    return watch.ms();
}

struct Row {
    int size;
    std::string figure;
    double program, floor; // ms or MB
    std::string unit;
    std::string bar; // the target and whether it was met, empty when none applies
};

std::string formatted(double value, const std::string& unit)
{
    char text[64];
    std::snprintf(text, sizeof text, value < 10 ? "%.2f %s" : "%.1f %s", value, unit.c_str());
    return text;
}

std::string verdict(bool met, const std::string& target)
{
    return target + (met ? ": met" : ": MISSED");
}

// The figures of one book that a fresh process measures: start-up and
// memory, program and bare window taking turns. Returns the program's peak
// memory in MB.
double measureStartUp(int size, const fs::path& bookDir, const Options& options, std::vector<Row>& rows)
{
    const std::string book = (bookDir / "namaz.mdb").string();
    std::vector<double> startUp, startUpProcess, peak, bare, bareProcess, barePeak, count;
    for (int s = 0; s <= options.samples; ++s) {
        const bool bareFirst = s % 2 == 1;
        ChildReport program, window;
        if (bareFirst)
            window = runChild({"--child-bare"});
        program = runChild({"--child-program", bookDir.string()});
        if (!bareFirst)
            window = runChild({"--child-bare"});
        const double counted = countAllDatasets(book);
        if (s == 0)
            continue; // the first round only fills the caches
        startUp.push_back(program.number("ready"));
        startUpProcess.push_back(program.readyAfterMs);
        peak.push_back(program.number("peak") / 1024);
        bare.push_back(window.number("ready"));
        bareProcess.push_back(window.readyAfterMs);
        barePeak.push_back(window.number("peak") / 1024);
        count.push_back(counted);
    }
    const double floor = median(bare) + median(count);
    const double program = median(startUp);
    rows.push_back({size, "start-up (floor: bare window + row counts)", program, floor, "ms",
                    size >= 100000 ? verdict(program <= 1.5 * floor, "<= 1.5x") : ""});
    rows.push_back({size, "start-up, whole process from spawn", median(startUpProcess),
                    median(bareProcess) + median(count), "ms", ""});
    const double memory = median(peak), bareMemory = median(barePeak);
    rows.push_back({size, "peak memory (floor: bare window)", memory, bareMemory, "MB",
                    size >= 100000 ? verdict(memory <= bareMemory + 150, "<= floor + 150 MB") : ""});
    return memory;
}

// Memory must not follow the length of the answers: the same number of
// questions with answers four times as long.
void measureLongAnswers(int size, const Options& options, double shortAnswersMb, std::vector<Row>& rows,
                        const fs::path& scratch)
{
    const fs::path dir = scratch / "long";
    fs::create_directories(dir);
    bench::makeBook((dir / "namaz.mdb").string(), {size, 1, 4});
    std::vector<double> peak;
    for (int s = 0; s < std::max(3, options.samples / 3); ++s)
        peak.push_back(runChild({"--child-program", dir.string()}).number("peak") / 1024);
    const double memory = median(peak);
    rows.push_back({size, "peak memory, answers 4x longer (floor: answers 1x)", memory, shortAnswersMb, "MB",
                    verdict(memory <= shortAnswersMb + 5, "<= floor + 5 MB")});
    fs::remove_all(dir);
}

std::string barForInteraction(int size, const std::string& figure, double program, double floor)
{
    if (figure.rfind("filter", 0) == 0) {
        if (size == 10000)
            return verdict(program <= 16, "<= 16 ms");
        if (size >= 100000)
            return verdict(program <= 1.5 * floor, "<= 1.5x");
        return "";
    }
    if (figure.rfind("advanced search", 0) == 0)
        return verdict(program <= 1.5 * floor, "<= 1.5x");
    return verdict(program < 2, "< 2 ms");
}

void measureInteraction(int size, const fs::path& bookDir, const Options& options, std::vector<Row>& rows)
{
    const ChildReport report =
        runChild({"--child-ui", bookDir.string(), std::to_string(options.samples)});
    for (const auto& [key, value] : report.facts) {
        if (key != "figure")
            continue;
        std::stringstream fields(value);
        std::string figure, program, floor, found;
        std::getline(fields, figure, '\t');
        std::getline(fields, program, '\t');
        std::getline(fields, floor, '\t');
        std::getline(fields, found, '\t');
        const bool hasFloor = floor != "-";
        const std::string name = hasFloor ? figure + " (" + found + " rows)" : figure;
        const double programMs = std::atof(program.c_str());
        const double floorMs = hasFloor ? std::atof(floor.c_str()) : -1;
        rows.push_back({size, name, programMs, floorMs, "ms", barForInteraction(size, figure, programMs, floorMs)});
    }
}

void measureSize(int size, const Options& options, std::vector<Row>& rows)
{
    const fs::path scratch = fs::temp_directory_path() / ("nivara-bench-" + std::to_string(getpid()));
    fs::create_directories(scratch / "book");
    const fs::path bookDir = scratch / "book";
    try {
        const Stopwatch making;
        bench::makeBook((bookDir / "namaz.mdb").string(), {size, 1, 1});
        std::fprintf(stderr, "%d questions: book of %.0f MB made in %.1f s\n", size,
                     double(fs::file_size(bookDir / "namaz.mdb")) / (1 << 20), making.ms() / 1000);
        const double peakMb = measureStartUp(size, bookDir, options, rows);
        measureInteraction(size, bookDir, options, rows);
        if (size <= 10000)
            measureLongAnswers(size, options, peakMb, rows, scratch);
    } catch (...) {
        fs::remove_all(scratch);
        throw;
    }
    fs::remove_all(scratch);
}

std::string firstLineOf(const char* file, const std::string& key)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) {
            const auto colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    }
    return "unknown";
}

std::string loadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::string table(const std::vector<Row>& rows, const Options& options, const std::string& loadBefore)
{
    std::ostringstream out;
    out << "Machine: " << sysconf(_SC_NPROCESSORS_ONLN) << " cores, " << firstLineOf("/proc/cpuinfo", "model name")
        << "; load average " << loadBefore << " before, " << loadAverage() << " after.\n";
    out << "Qt " << qVersion() << ", SQLite " << sqlite3_libversion() << "; median of " << options.samples
        << " samples; filter '" << bench::filterLetter << "', then '" << bench::filterWordPrefix << "' -> '"
        << bench::filterWord << "' in kolliyat; answers searched for '" << bench::searchWord << "'.\n\n";
    out << "| size | figure | program | floor | ratio | bar |\n|---:|---|---:|---:|---:|---|\n";
    for (const Row& row : rows) {
        out << "| " << row.size << " | " << row.figure << " | " << formatted(row.program, row.unit) << " | ";
        if (row.floor >= 0) {
            char ratio[32];
            std::snprintf(ratio, sizeof ratio, "%.2fx", row.program / row.floor);
            out << formatted(row.floor, row.unit) << " | " << ratio;
        } else {
            out << "- | -";
        }
        out << " | " << row.bar << " |\n";
    }
    return out.str();
}

// Headless, at the pixel size the windows were drawn for, unless the
// caller chose otherwise. The children inherit it.
void setUpEnvironment()
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
}

int runChildMode(int argc, char** argv)
{
    const std::string mode = argv[1];
    if (mode == "--child-program" && argc == 3)
        return bench::runProgramChild(argv[2]);
    if (mode == "--child-bare" && argc == 2)
        return bench::runBareWindowChild();
    if (mode == "--child-ui" && argc == 4)
        return bench::runInteractionChild(argv[2], std::atoi(argv[3]));
    std::fprintf(stderr, "nivara-bench: bad child arguments\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    setUpEnvironment();
    if (argc > 1 && std::strncmp(argv[1], "--child-", 8) == 0)
        return runChildMode(argc, argv);
    try {
        const Options options = parseOptions(argc, argv);
        const std::string loadBefore = loadAverage();
        std::vector<Row> rows;
        for (int size : options.sizes)
            measureSize(size, options, rows);
        const std::string result = table(rows, options, loadBefore);
        std::cout << result;
        std::ofstream(options.out) << result;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nivara-bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
