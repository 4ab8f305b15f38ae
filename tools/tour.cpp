// nivara-tour OUTDIR: starts the reader in the current folder (the book's),
// drives it through its main states and saves one PNG of the window in each,
// named after the state. A state that cannot be reached is reported and the
// tour goes on; the exit status then says so.
//
// To add a state, add a row to the table in tourStates().

#include "Unit1/Tmain.h"
#include "data/Catalogue.h"
#include "jamkol/startup.h"
#include "platform/DBControls.h"
#include "platform/MessageBoxes.h"
#include "platform/TADODataSet.h"
#include "platform/TFindDialog.h"
#include "platform/TFontDialog.h"
#include "vorudi/TForm2.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <stdexcept>

namespace {

// Drives the program into one state and returns the window to photograph.
using Action = std::function<QWidget*()>;

struct State {
    const char* name;
    Action action;
};

// Calls a handler by its name, as an event would.
void call(QObject* window, const char* handler)
{
    if (!QMetaObject::invokeMethod(window, handler))
        throw std::runtime_error(window->objectName().toStdString() + " has no handler " + handler);
}

Tmain& browser()
{
    return *Unit1::main;
}

// Puts the view on its row `row` as a click in its title list would.
void selectRecord(ViewRow& view, int row)
{
    const QModelIndex cell = view.list->model()->index(row, 0);
    view.list->scrollTo(cell, QAbstractItemView::PositionAtCenter);
    view.list->setCurrentIndex(cell);
}

// Sets the text of one of the browser's boxes, as typing it would.
void setBoxText(const char* box, const QString& text)
{
    auto* edit = browser().findChild<QLineEdit*>(QLatin1String(box));
    if (!edit)
        throw std::runtime_error(std::string("the browser has no box ") + box);
    edit->setText(text);
}

// The category and row whose answer is longest.
std::pair<ViewRow*, int> longestAnswer()
{
    std::pair<ViewRow*, int> longest{nullptr, -1};
    qsizetype length = -1;
    for (ViewRow& view : browser().views()) {
        if (!view.isCategory() || !view.query->Active())
            continue;
        const int current = view.query->RecNo();
        for (int row = 0; row < view.query->RecordCount(); ++row) {
            view.query->moveTo(row);
            if (const qsizetype here = view.query->FieldText(QStringLiteral("pasokh")).size(); here > length) {
                length = here;
                longest = {&view, row};
            }
        }
        if (current >= 0)
            view.query->moveTo(current);
    }
    if (!longest.first)
        throw std::runtime_error("no category holds an answer");
    return longest;
}

QList<State> tourStates()
{
    TForm2* entry = vorudi::Form2;
    return {
        {"01-entry", [=] { return entry; }},
        {"02-credits", [=] {
             call(entry, "Label2Click");
             return entry;
         }},
        {"03-centres-logo", [=] {
             call(entry, "SpeedButton1Click"); // leave the credits
             call(entry, "Label3Click");
             call(entry, "Label26MouseMove"); // the pointer on a centre's link shows its logo
             return entry;
         }},
        {"04-browser-kolliyat", [=] {
             call(entry, "SpeedButton2Click"); // leave the centres
             call(entry, "Label1Click");
             return &browser();
         }},
        {"05-browser-other-category", [] {
             call(&browser(), "Label6Click");
             ViewRow& vajeb = browser().view(QStringLiteral("vajeb"));
             selectRecord(vajeb, vajeb.query->RecordCount() / 2);
             return &browser();
         }},
        {"06-long-answer", [] {
             const auto [view, row] = longestAnswer();
             call(&browser(), qPrintable(view->labelName + QStringLiteral("Click")));
             selectRecord(*view, row);
             QScrollBar* bar = view->answerPane->verticalScrollBar();
             bar->setValue(bar->maximum() / 2);
             return &browser();
         }},
        {"07-filtered-list", [] {
             call(&browser(), "Label1Click");
             setBoxText("Edit1", QStringLiteral("واجب")); // the list narrows and the count shows
             return &browser();
         }},
        {"08-advanced-search", [] {
             call(&browser(), "SpeedButton8Click");
             setBoxText("ebarat", QStringLiteral("وضو"));
             call(&browser(), "SpeedButton9Click");
             return &browser();
         }},
        {"09-found-in-answer", [] {
             call(&browser(), "Label1Click");
             call(&browser(), "SpeedButton6Click"); // the first category's find dialog
             auto* dialog = browser().findChild<TFindDialog*>(QStringLiteral("FindDialog1"));
             dialog->setFindText(QStringLiteral("نماز"));
             auto* findNext = dialog->findChild<QPushButton*>(QStringLiteral("FindNext"));
             findNext->click();
             findNext->click(); // the second occurrence is selected and in view
             dialog->hide();
             return &browser();
         }},
        {"10-answer-font", [] {
             // Chosen in the dialog's own controls, as a person would.
             TFontDialog::setExecuteHook([](TFontDialog& dialog) {
                 QFont serif(QStringLiteral("DejaVu Serif"));
                 serif.setPointSize(11);
                 serif.setStyleName(QFontInfo(serif).styleName()); // the family's regular face
                 dialog.findChild<QFontDialog*>(QStringLiteral("FontChooser"))->setCurrentFont(serif);
                 auto* colours = dialog.findChild<QComboBox*>(QStringLiteral("FontColor"));
                 colours->setCurrentIndex(colours->findData(clNavy));
                 return true;
             });
             call(&browser(), "SpeedButton7Click"); // the answer takes the chosen font
             TFontDialog::setExecuteHook(nullptr);
             return &browser();
         }},
    };
}

// Lets the windows lay themselves out and paint before the picture is taken.
void settle()
{
    QEventLoop loop;
    QTimer::singleShot(150, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: nivara-tour OUTDIR (run it in the book's folder)\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 2;
    }
    // No box waits for a person; each one is told on the terminal.
    platform::setBoxHook([](QMessageBox& box) {
        std::fprintf(stderr, "box: %s\n", qPrintable(box.text()));
        return QMessageBox::Ok;
    });
    try {
        startUp();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "the reader did not start: %s\n", error.what());
        return 1;
    }
    vorudi::Form2->show();
    settle();

    int missed = 0;
    for (const State& state : tourStates()) {
        try {
            QWidget* window = state.action();
            settle();
            const QString file = out.filePath(QLatin1String(state.name) + QStringLiteral(".png"));
            if (!window->grab().save(file))
                throw std::runtime_error("cannot write " + file.toStdString());
            std::printf("%s\n", qPrintable(file));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s: %s\n", state.name, error.what());
            ++missed;
        }
    }
    shutDown();
    return missed == 0 ? 0 : 1;
}
