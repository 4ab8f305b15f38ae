#include "Children.h"

#include "Timing.h"

#include "jamkol/startup.h"
#include "platform/MessageBoxes.h"
#include "platform/PersianLike.h"
#include "platform/TADODataSet.h"
#include "Unit1/Tmain.h"
#include "vorudi/TForm2.h"

#include <sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace bench {

const char* const filterLetter = "ن";
const char* const filterWordPrefix = "نما";
const char* const filterWord = "نماز";
const char* const searchWord = "نماز قضا";

namespace {

int argcForQt = 1;
char programName[] = "nivara-bench";
char* argvForQt[] = {programName, nullptr};

long peakResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 20, '\n');
    }
    return -1;
}

// Nothing the benchmark does may show a box: one would mean an error, and
// its figures would measure the error path.
void failOnAnyBox()
{
    platform::setBoxHook([](QMessageBox& box) -> QMessageBox::StandardButton {
        std::fprintf(stderr, "nivara-bench: a box showed up: %s\n", box.text().toUtf8().constData());
        std::fflush(stderr);
        std::_Exit(3);
    });
}

// Until the windows show the result: every posted event handled, the
// repaints among them.
void settle()
{
    QCoreApplication::processEvents();
}

void report(const char* key, double value)
{
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
}

template <class T>
T* control(const char* name)
{
    T* found = Unit1::main->findChild<T*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no control named ") + name);
    return found;
}

void click(const char* handler)
{
    if (!QMetaObject::invokeMethod(Unit1::main, handler))
        throw std::runtime_error(std::string("no handler named ") + handler);
}

void startProgram(const std::string& bookDir)
{
    if (!QDir::setCurrent(QString::fromStdString(bookDir)))
        throw std::runtime_error("cannot enter " + bookDir);
    startUp();
    // As main() does before the message loop.
    vorudi::Form2->show();
    settle();
}

void searchAnswers(const char* text)
{
    click("SpeedButton8Click");
    control<QRadioButton>("RadioButton2")->setChecked(true);
    control<QLineEdit>("ebarat")->setText(QString::fromUtf8(text));
    click("SpeedButton9Click");
    settle();
}

// The floor: the engine alone, on a connection of its own that matches
// like the way the program's connection does, evaluating the very
// statement the program sent, to its last row.
class Engine {
public:
    explicit Engine(const std::string& book)
    {
        if (sqlite3_open_v2(book.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        platform::registerPersianLike(db);
    }
    ~Engine() { sqlite3_close(db); }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Times preparing the statement and stepping it to its end.
    double run(const std::string& sql, int* rows)
    {
        const Stopwatch watch;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        int count = 0;
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            ++count;
        sqlite3_finalize(statement);
        const double ms = watch.ms();
        if (rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db));
        *rows = count;
        return ms;
    }

private:
    sqlite3* db = nullptr;
};

// One figure: before each sample `prepare` runs untimed; then the program
// and (if there is one) the floor take turns at going first, so that what
// else the machine does falls on both alike. One unmeasured round first
// fills the caches.
struct Trial {
    const char* figure;
    std::function<void()> prepare;
    std::function<double()> program;
    std::function<double(int* rows)> floor;
};

void measure(const Trial& trial, int samples)
{
    std::vector<double> program, floor;
    int rows = -1;
    trial.prepare();
    trial.program();
    if (trial.floor)
        trial.floor(&rows);
    for (int s = 0; s < samples; ++s) {
        trial.prepare();
        const bool floorFirst = trial.floor && s % 2 == 1;
        if (floorFirst)
            floor.push_back(trial.floor(&rows));
        program.push_back(trial.program());
        if (trial.floor && !floorFirst)
            floor.push_back(trial.floor(&rows));
    }
    std::printf("figure\t%s\t%.4f\t", trial.figure, median(program));
    if (trial.floor)
        std::printf("%.4f\t%d\n", median(floor), rows);
    else
        std::printf("-\t-\n");
    std::fflush(stdout);
}

// A program step that reopens `query`, timed until the windows show it.
// Afterwards the query's text is the statement the floor runs; the two
// must agree on the rows, or they did not do the same work.
std::function<double()> reopening(TADOQuery* query, std::function<void()> step, std::string& statement)
{
    return [query, step = std::move(step), &statement] {
        const Stopwatch watch;
        step();
        settle();
        const double ms = watch.ms();
        statement = query->SQL.Text().toStdString();
        return ms;
    };
}

std::function<double(int*)> engineRunning(Engine& engine, TADOQuery* query, const std::string& statement)
{
    return [&engine, query, &statement](int* rows) {
        const double ms = engine.run(statement, rows);
        if (*rows != query->RecordCount())
            throw std::runtime_error("the floor found " + std::to_string(*rows) + " rows, the program " +
                                     std::to_string(query->RecordCount()) + ": " + statement);
        return ms;
    };
}

// Named, so that a profiler can collect the timed handlers alone
// (valgrind --toggle-collect='*runTimedHandler*').
[[gnu::noinline]] void runTimedHandler(const char* handler)
{
    click(handler);
    settle();
}

std::function<double()> handlerTimed(const char* handler)
{
    return [handler] {
        const Stopwatch watch;
        runTimedHandler(handler);
        return watch.ms();
    };
}

// Named functions, so that a profiler can collect the filter keystroke and
// the search alone, until the windows show them
// (valgrind --toggle-collect='*typeIntoFilter*').
[[gnu::noinline]] void typeIntoFilter(QLineEdit* box, const QString& text)
{
    box->setText(text);
    settle();
}

[[gnu::noinline]] void runAnswerSearch()
{
    click("SpeedButton9Click");
    settle();
}

void measureFilter(Engine& engine, int samples)
{
    auto* box = control<QLineEdit>("Edit1");
    auto* query = control<TADOQuery>("Qkolliyat");
    click("Label1Click");
    std::string statement;
    const QString letter = QString::fromUtf8(filterLetter);
    const QString prefix = QString::fromUtf8(filterWordPrefix);
    const QString word = QString::fromUtf8(filterWord);
    // An empty box filters nothing, so the first letter starts from it.
    measure({"filter keystroke, first letter", [box] { typeIntoFilter(box, QString()); },
             reopening(query, [box, letter] { typeIntoFilter(box, letter); }, statement),
             engineRunning(engine, query, statement)},
            samples);
    measure({"filter keystroke, fourth letter", [box, prefix] { typeIntoFilter(box, prefix); },
             reopening(query, [box, word] { typeIntoFilter(box, word); }, statement),
             engineRunning(engine, query, statement)},
            samples);
    click("SpeedButton5Click");
    settle();
}

void measureMoves(int samples)
{
    click("Label1Click");
    settle();
    const auto untimed = [](const char* handler) {
        return [handler] {
            click(handler);
            settle();
        };
    };
    measure({"category switch", untimed("Label1Click"), handlerTimed("Label3Click"), {}}, samples);
    click("Label1Click");
    settle();
    measure({"navigation: next", untimed("SpeedButton3Click"), handlerTimed("SpeedButton2Click"), {}}, samples);
    measure({"navigation: prior", untimed("SpeedButton4Click"), handlerTimed("SpeedButton1Click"), {}}, samples);
    measure({"navigation: first", untimed("SpeedButton4Click"), handlerTimed("SpeedButton3Click"), {}}, samples);
    measure({"navigation: last", untimed("SpeedButton3Click"), handlerTimed("SpeedButton4Click"), {}}, samples);
}

void measureSearch(Engine& engine, int samples)
{
    auto* query = control<TADOQuery>("qjamkol");
    click("SpeedButton8Click");
    control<QRadioButton>("RadioButton2")->setChecked(true);
    control<QLineEdit>("ebarat")->setText(QString::fromUtf8(searchWord));
    settle();
    std::string statement;
    measure({"advanced search in the answers", [] {}, reopening(query, runAnswerSearch, statement),
             engineRunning(engine, query, statement)},
            samples);
    click("SpeedButton10Click");
    settle();
}

int guardedChild(const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nivara-bench: %s\n", error.what());
        return 1;
    }
    return 0;
}

} // namespace

int runProgramChild(const std::string& bookDir)
{
    QApplication application(argcForQt, argvForQt);
    failOnAnyBox();
    return guardedChild([&] {
        const Stopwatch watch;
        startProgram(bookDir);
        report("ready", watch.ms());
        typeIntoFilter(control<QLineEdit>("Edit1"), QString::fromUtf8(filterWord));
        searchAnswers(searchWord);
        report("peak", double(peakResidentKb()));
        shutDown();
    });
}

int runBareWindowChild()
{
    QApplication application(argcForQt, argvForQt);
    const Stopwatch watch;
    QWidget window;
    window.resize(865, 682);
    window.show();
    settle();
    report("ready", watch.ms());
    report("peak", double(peakResidentKb()));
    return 0;
}

int runInteractionChild(const std::string& bookDir, int samples)
{
    QApplication application(argcForQt, argvForQt);
    failOnAnyBox();
    return guardedChild([&] {
        startProgram(bookDir);
        Unit1::main->show();
        settle();
        Engine engine(QDir(QString::fromStdString(bookDir)).filePath(QStringLiteral("namaz.mdb")).toStdString());
        measureFilter(engine, samples);
        measureMoves(samples);
        measureSearch(engine, samples);
        shutDown();
    });
}

} // namespace bench
