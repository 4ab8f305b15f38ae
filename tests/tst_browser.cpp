// The browser window as a reader uses it: switching categories, stepping
// through the questions, clicking and keying through the title lists, closing,
// minimising and the site links, the tab order, and what the window does with
// a broken or an empty view and with very long texts.

#include "BookFixture.h"

#include "Unit1/Tmain.h"
#include "data/Catalogue.h"
#include "jamkol/startup.h"
#include "platform/Controls.h"
#include "platform/DBControls.h"
#include "platform/MessageBoxes.h"
#include "platform/TADODataSet.h"
#include "vorudi/TForm2.h"

#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int rowsPerTable = 40; // more than a title list shows at once

QStringList categoryTables()
{
    QStringList tables;
    for (const ViewRow& row : describeCatalogue()) {
        if (row.isCategory())
            tables << row.table;
    }
    return tables;
}

// The title the fixture gives row `index` (from 0) of a table.
QString fixtureTitle(const QString& table, int index)
{
    return QStringLiteral("%1 %2").arg(table).arg(index + 1);
}

QList<QWidget*> viewControls(const ViewRow& row)
{
    return {row.titleText, row.questionPane, row.answerPane, row.footnotePane, row.list};
}

QByteArray fileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

// Receives every web address the program opens.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class BrowserStory : public QObject {
    Q_OBJECT

private slots:
    void hiddenAtLoad();
    void switchingCategories();
    void hoverColours_data();
    void hoverColours();
    void navigation_data();
    void navigation();
    void listClicks_data();
    void listClicks();
    void keyboardMoves_data();
    void keyboardMoves();
    void closeAndShowAgain_data();
    void closeAndShowAgain();
    void minimise_data();
    void minimise();
    void siteLinks();
    void tabOrder_data();
    void tabOrder();
    void readOnly();
    void brokenViews_data();
    void brokenViews();
    void longTexts();

private:
    // Writes the book, starts the program in its folder and shows the
    // browser window, once per process.
    bool start(const BookSpec& spec);
    void pressGlyph(const QString& glyph, int button, QPoint at);
    template <class T>
    T* control(const char* name) const
    {
        return window->findChild<T*>(QLatin1String(name));
    }
    // What differs from the visibility state of `current` (a category or the
    // combined view); empty when the window shows exactly that state.
    QStringList visibilityMismatches(const ViewRow& current) const;
    QMap<QString, int> recordsOfOtherViews(const ViewRow& except) const;
    void clickLabel(const ViewRow& row);
    void showFromEntryWindow();

    QTemporaryDir bookDir;
    QString bookPath;
    QStringList boxes; // the texts of every message box shown
    Tmain* window = nullptr;
};

bool BrowserStory::start(const BookSpec& spec)
{
    if (window) // the rows of a table share the one start
        return true;
    bookPath = bookDir.filePath(QStringLiteral("namaz.mdb"));
    QString error;
    if (!writeBook(bookPath, spec, &error)) {
        qWarning() << "cannot write the book:" << error;
        return false;
    }
    QDir::setCurrent(bookDir.path());
    platform::setBoxHook([this](QMessageBox& box) {
        boxes << box.text();
        return QMessageBox::Ok;
    });
    startUp();
    window = Unit1::main;
    vorudi::Form2->show();
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowExposed(window) && QTest::qWaitForWindowActive(window);
}

QStringList BrowserStory::visibilityMismatches(const ViewRow& current) const
{
    QStringList wrong;
    auto expect = [&wrong](const QWidget* control, bool shown) {
        if (control->isHidden() == shown)
            wrong << QStringLiteral("%1 %2").arg(control->objectName(), shown ? "hidden" : "shown");
    };
    for (const ViewRow& row : window->views()) {
        for (const QWidget* widget : viewControls(row)) {
            // The combined list shows and hides with its panel.
            if (widget == row.list && !row.isCategory())
                expect(widget, true);
            else
                expect(widget, &row == &current);
        }
    }
    expect(control<QWidget>("Panel1"), !current.isCategory());
    if (current.isCategory())
        expect(control<QWidget>("Label8"), false);
    if (window->currentView() != &current)
        wrong << QStringLiteral("current view is not %1").arg(current.table);
    return wrong;
}

QMap<QString, int> BrowserStory::recordsOfOtherViews(const ViewRow& except) const
{
    QMap<QString, int> records;
    for (const ViewRow& row : window->views()) {
        if (&row != &except)
            records.insert(row.table, row.query->RecNo());
    }
    return records;
}

void BrowserStory::clickLabel(const ViewRow& row)
{
    QTest::mouseClick(row.label, Qt::LeftButton, {}, row.label->rect().center());
}

void BrowserStory::showFromEntryWindow()
{
    auto* menu = vorudi::Form2->findChild<TLabel*>(QStringLiteral("Label1"));
    QVERIFY2(menu, "the entry window's first menu label");
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->rect().center());
    QVERIFY(window->isVisible());
}

// --- loading

void BrowserStory::hiddenAtLoad()
{
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));

    // Loading hides the thirty category controls, the combined view's four
    // pane controls, Label8 and Panel1; the window's creation then shows the
    // first category's five. Every other control of the form is visible.
    QSet<QString> hidden{QStringLiteral("Label8"), QStringLiteral("Panel1")};
    for (const ViewRow& row : window->views()) {
        for (const QWidget* widget : viewControls(row)) {
            if (row.isCategory() ? &row != &window->views().front() : widget != row.list)
                hidden << widget->objectName();
        }
    }
    QSet<QString> formControls;
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (const QWidget* widget : children) {
        const QString parent = widget->parentWidget()->objectName();
        if (widget->isWindow() || (widget->parentWidget() != window && parent != "Panel1" && parent != "GroupBox1"))
            continue;
        formControls << widget->objectName();
        QVERIFY2(widget->isHidden() == hidden.contains(widget->objectName()), qPrintable(widget->objectName()));
    }
    QVERIFY2(formControls.contains(hidden), "every control hidden at load exists");
    QCOMPARE(window->currentView(), &window->views().front());
    QCOMPARE(control<QWidget>("Image2")->pos(), QPoint(markerLeft, window->views().front().markerTop));
}

// --- switching

void BrowserStory::switchingCategories()
{
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    Catalogue& views = window->views();
    ViewRow& first = views.front();
    QVERIFY2(visibilityMismatches(first).isEmpty(), qPrintable(visibilityMismatches(first).join(", ")));

    // Each category keeps its record: move each one on by its place in the
    // catalogue while it shows, then visit them all again in reverse.
    auto* next = control<QWidget>("SpeedButton2");
    QList<ViewRow*> visits;
    for (ViewRow& row : views) {
        if (row.isCategory())
            visits << &row;
    }
    for (qsizetype i = visits.size() - 1; i >= 0; --i)
        visits << visits[i];
    visits << &first; // the label of the category already shown

    const QString searchText = control<QLineEdit>("Edit1")->text();
    for (qsizetype visit = 0; visit < visits.size(); ++visit) {
        ViewRow& row = *visits[visit];
        const int index = int(std::find_if(views.begin(), views.end(), [&](auto& r) { return &r == &row; }) - views.begin());
        clickLabel(row);
        const QStringList wrong = visibilityMismatches(row);
        QVERIFY2(wrong.isEmpty(), qPrintable(row.table + ": " + wrong.join(", ")));

        QWidget* marker = control<QWidget>("Image2");
        QCOMPARE(marker->pos(), QPoint(markerLeft, row.markerTop));
        const int above = row.label->y() - marker->y();
        QVERIFY2(above >= 3 && above <= 5, qPrintable(row.table));
        // The marker lies beneath the label, so the label is drawn over it.
        QVERIFY(window->children().indexOf(marker) < window->children().indexOf(row.label));

        const bool firstVisit = visit < 6;
        if (firstVisit) {
            QCOMPARE(row.query->RecNo(), 0);
            for (int step = 0; step < index; ++step)
                QTest::mouseClick(next, Qt::LeftButton);
        }
        QCOMPARE(row.query->RecNo(), index);
        QCOMPARE(row.titleText->text(), fixtureTitle(row.table, index));
        QCOMPARE(row.list->currentIndex().row(), index);
    }
    QCOMPARE(control<QLineEdit>("Edit1")->text(), searchText);
}

void BrowserStory::hoverColours_data()
{
    QTest::addColumn<QString>("table");
    for (const QString& table : categoryTables())
        QTest::newRow(qPrintable(table)) << table;
}

void BrowserStory::hoverColours()
{
    QFETCH(QString, table);
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    ViewRow& hovered = window->view(table);
    auto colours = [this] {
        QMap<QString, TColor> byLabel;
        for (const ViewRow& row : window->views()) {
            if (row.isCategory())
                byLabel.insert(row.labelName, fontColor(row.label));
        }
        return byLabel;
    };
    const QPoint away(430, 60); // over the background only
    QTest::mouseMove(window, away);
    QMap<QString, TColor> expected = colours();
    for (TColor colour : expected)
        QCOMPARE(colour, clMaroon);

    QTest::mouseMove(hovered.label, hovered.label->rect().center());
    expected[hovered.labelName] = clGreen;
    QCOMPARE(colours(), expected);
    // A click does not change the colour while the mouse rests on the label.
    clickLabel(hovered);
    QTest::mouseMove(hovered.label, hovered.label->rect().center() + QPoint(1, 0));
    QCOMPARE(colours(), expected);

    QTest::mouseMove(window, away);
    expected[hovered.labelName] = clMaroon;
    QCOMPARE(colours(), expected);
}

// --- record navigation

void BrowserStory::navigation_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("first category") << QStringLiteral("kolliyat");
    QTest::newRow("another category") << QStringLiteral("vajeb");
    QTest::newRow("combined view") << QStringLiteral("jamkol");
}

void BrowserStory::navigation()
{
    QFETCH(QString, table);
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    ViewRow& row = window->view(table);
    if (row.isCategory())
        clickLabel(row);
    else
        QTest::mouseClick(control<QWidget>("SpeedButton8"), Qt::LeftButton);
    QVERIFY2(visibilityMismatches(row).isEmpty(), qPrintable(visibilityMismatches(row).join(", ")));

    // The user reads in the list; the buttons must leave the focus there.
    row.list->setFocus();
    QWidget* focused = QApplication::focusWidget();
    const QMap<QString, int> others = recordsOfOtherViews(row);
    const int last = rowsPerTable - 1;
    const struct {
        const char* button;
        int record;
    } steps[] = {
        {"SpeedButton1", 0},    // previous on the first: no wrap
        {"SpeedButton2", 1},    {"SpeedButton2", 2}, {"SpeedButton1", 1},
        {"SpeedButton4", last}, {"SpeedButton2", last}, // next on the last: no wrap
        {"SpeedButton1", last - 1}, {"SpeedButton3", 0},
    };
    for (const auto& step : steps) {
        QTest::mouseClick(control<QWidget>(step.button), Qt::LeftButton);
        const QString where = QStringLiteral("%1 to %2").arg(step.button).arg(step.record);
        QVERIFY2(row.query->RecNo() == step.record, qPrintable(where));
        QCOMPARE(row.titleText->text(), fixtureTitle(table, step.record));
        QCOMPARE(row.questionPane->toPlainText(), fixtureTitle(table, step.record) + " question");
        QCOMPARE(row.list->currentIndex().row(), step.record);
        // The list scrolls to the current row.
        const QRect current = row.list->visualRect(row.list->currentIndex());
        QVERIFY2(row.list->viewport()->rect().contains(current), qPrintable(where));
        QCOMPARE(QApplication::focusWidget(), focused);
    }
    QCOMPARE(recordsOfOtherViews(row), others);
}

// --- title lists

void BrowserStory::listClicks_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("record");
    QTest::newRow("first category, fourth row") << QStringLiteral("kolliyat") << 3;
    QTest::newRow("another category, second row") << QStringLiteral("mostahab") << 1;
}

void BrowserStory::listClicks()
{
    QFETCH(QString, table);
    QFETCH(int, record);
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    ViewRow& row = window->view(table);
    clickLabel(row);
    const QMap<QString, int> others = recordsOfOtherViews(row);

    const QModelIndex cell = row.list->model()->index(record, 0);
    QTest::mouseClick(row.list->viewport(), Qt::LeftButton, {}, row.list->visualRect(cell).center());
    QCOMPARE(row.query->RecNo(), record);
    QCOMPARE(row.titleText->text(), fixtureTitle(table, record));
    QCOMPARE(row.questionPane->toPlainText(), fixtureTitle(table, record) + " question");
    QCOMPARE(row.answerPane->toPlainText(), fixtureTitle(table, record) + " answer");
    QCOMPARE(row.footnotePane->toPlainText(), fixtureTitle(table, record) + " notes");
    QCOMPARE(recordsOfOtherViews(row), others);
    // The list heads its one column and marks the current row.
    QCOMPARE(row.list->model()->columnCount(), 1);
    QCOMPARE(row.list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("عنوان پرسش ها"));
    QVERIFY(!row.list->horizontalHeader()->isHidden());
    QVERIFY(!row.list->verticalHeader()->isHidden());
    QVERIFY(!row.list->model()->headerData(record, Qt::Vertical).toString().isEmpty());
    QVERIFY(row.list->model()->headerData(0, Qt::Vertical).toString().isEmpty());
}

void BrowserStory::keyboardMoves_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("record"); // -1: a page on, neither the next row nor the last
    const int last = rowsPerTable - 1;
    QTest::newRow("down") << QList<int>{Qt::Key_Down} << 1;
    QTest::newRow("down down up") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << 1;
    QTest::newRow("up on the first") << QList<int>{Qt::Key_Up} << 0;
    QTest::newRow("page down") << QList<int>{Qt::Key_PageDown} << -1;
    QTest::newRow("end") << QList<int>{Qt::Key_End} << last;
    QTest::newRow("down on the last") << QList<int>{Qt::Key_End, Qt::Key_Down} << last;
    QTest::newRow("end home") << QList<int>{Qt::Key_End, Qt::Key_Home} << 0;
}

void BrowserStory::keyboardMoves()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, record);
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    ViewRow& row = window->views().front();
    row.query->First();
    row.list->setFocus();
    for (int key : keys)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));

    const int now = row.query->RecNo();
    if (record < 0)
        QVERIFY2(now > 1 && now < rowsPerTable - 1, qPrintable(QString::number(now)));
    else
        QCOMPARE(now, record);
    QCOMPARE(row.list->currentIndex().row(), now);
    QCOMPARE(row.titleText->text(), fixtureTitle(row.table, now));
    QCOMPARE(row.query->RecordCount(), rowsPerTable);

    // Tab leaves the list for the next control instead of walking its cells.
    QTest::keyClick(row.list, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(row.questionPane));
    QCOMPARE(row.query->RecNo(), now);
}

// --- the window's own controls

// Aims at a point of a glyph or its hot spot: that control must be the one
// on top there. A hot spot acts on the press, a picture on a click.
void BrowserStory::pressGlyph(const QString& glyph, int button, QPoint at)
{
    auto* target = control<QWidget>(qPrintable(glyph));
    QCOMPARE(window->childAt(target->mapTo(window, at)), target);
    if (glyph.startsWith("Shape"))
        QTest::mousePress(target, Qt::MouseButton(button), {}, at);
    else
        QTest::mouseClick(target, Qt::MouseButton(button), {}, at);
}

void BrowserStory::closeAndShowAgain_data()
{
    QTest::addColumn<QString>("glyph");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("at");
    // Shape2 covers the close picture but for its right-hand column.
    QTest::newRow("hot spot, left button") << QStringLiteral("Shape2") << int(Qt::LeftButton) << QPoint(8, 8);
    QTest::newRow("hot spot, right button") << QStringLiteral("Shape2") << int(Qt::RightButton) << QPoint(8, 8);
    QTest::newRow("picture's free column") << QStringLiteral("Image4") << int(Qt::LeftButton) << QPoint(16, 8);
}

void BrowserStory::closeAndShowAgain()
{
    QFETCH(QString, glyph);
    QFETCH(int, button);
    QFETCH(QPoint, at);
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    ViewRow& vajeb = window->view(QStringLiteral("vajeb"));
    clickLabel(vajeb);
    vajeb.query->moveTo(5);
    QTextCursor selection(vajeb.answerPane->document());
    selection.setPosition(2);
    selection.setPosition(6, QTextCursor::KeepAnchor);
    vajeb.answerPane->setTextCursor(selection);

    // The control on top where the user aims takes the press, and the press
    // alone closes.
    pressGlyph(glyph, button, at);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(window->isHidden());
    QVERIFY(vorudi::Form2->isVisible());

    showFromEntryWindow();
    QVERIFY2(visibilityMismatches(vajeb).isEmpty(), qPrintable(visibilityMismatches(vajeb).join(", ")));
    QCOMPARE(vajeb.query->RecNo(), 5);
    QCOMPARE(vajeb.titleText->text(), fixtureTitle(vajeb.table, 5));
    QCOMPARE(vajeb.answerPane->textCursor().selectedText(), vajeb.answerPane->toPlainText().mid(2, 4));
    QCOMPARE(control<QWidget>("Image2")->y(), vajeb.markerTop);
}

void BrowserStory::minimise_data()
{
    QTest::addColumn<QString>("glyph");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("hot spot, left button") << QStringLiteral("Shape3") << int(Qt::LeftButton) << QPoint(8, 8);
    QTest::newRow("hot spot, right button") << QStringLiteral("Shape3") << int(Qt::RightButton) << QPoint(8, 8);
    // Shape3 leaves the minimise picture's top row and right-hand column free.
    QTest::newRow("picture's free row") << QStringLiteral("Image5") << int(Qt::LeftButton) << QPoint(8, 0);
    QTest::newRow("picture's free column") << QStringLiteral("Image5") << int(Qt::LeftButton) << QPoint(16, 8);
}

void BrowserStory::minimise()
{
    QFETCH(QString, glyph);
    QFETCH(int, button);
    QFETCH(QPoint, at);
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    window->showNormal();
    QVERIFY(!window->isMinimized());

    pressGlyph(glyph, button, at);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(window->isMinimized());
    QVERIFY(!vorudi::Form2->isMinimized());
    QVERIFY(vorudi::Form2->isVisible());
}

void BrowserStory::siteLinks()
{
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    ViewRow& row = window->view(QStringLiteral("namaz"));
    clickLabel(row);
    row.query->moveTo(2);

    QTest::mousePress(control<QWidget>("Shape1"), Qt::LeftButton); // the painted address
    QTest::mousePress(control<QWidget>("Shape4"), Qt::RightButton); // the emblem
    QCOMPARE(recorder.opened.size(), 2);
    QCOMPARE(recorder.opened[0], recorder.opened[1]);
    QCOMPARE(recorder.opened[0].host(), QStringLiteral("www.nivara.ir"));
    QVERIFY(window->isVisible());
    QVERIFY(visibilityMismatches(row).isEmpty());
    QCOMPARE(row.query->RecNo(), 2);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

// --- focus

void BrowserStory::tabOrder_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("first category: list before the panes") << QStringLiteral("kolliyat");
    QTest::newRow("another category: list after the panes") << QStringLiteral("motefareghe");
}

void BrowserStory::tabOrder()
{
    QFETCH(QString, table);
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    ViewRow& shown = window->view(table);
    clickLabel(shown);

    // The order the form gives: the search box, each category's controls in
    // catalogue order (the first one's list ahead of its panes, the others'
    // after), then the panel's search text, list and choices, then the
    // combined view's panes.
    auto* Edit1 = control<QWidget>("Edit1");
    QList<QWidget*> expected{Edit1};
    ViewRow* combined = nullptr;
    for (ViewRow& row : window->views()) {
        if (!row.isCategory())
            combined = &row;
        else if (&row == &window->views().front())
            expected << row.list << row.questionPane << row.answerPane << row.footnotePane;
        else
            expected << row.questionPane << row.answerPane << row.footnotePane << row.list;
    }
    QVERIFY(combined);
    expected << control<QWidget>("ebarat") << combined->list << control<QWidget>("RadioButton1")
             << control<QWidget>("RadioButton2") << combined->questionPane << combined->answerPane
             << combined->footnotePane;

    QList<QWidget*> chain;
    for (QWidget* w = Edit1->nextInFocusChain(); w != Edit1; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && window->isAncestorOf(w) && !w->focusProxy())
            chain << w;
    }
    chain.prepend(Edit1);
    auto names = [](const QList<QWidget*>& widgets) {
        QStringList list;
        for (const QWidget* w : widgets)
            list << w->objectName();
        return list;
    };
    QCOMPARE(names(chain), names(expected));

    // The Tab key walks the visible ones, round to the search box again.
    QList<QWidget*> visible;
    for (QWidget* w : expected) {
        if (w->isVisibleTo(window))
            visible << w;
    }
    QCOMPARE(visible.size(), 5);
    Edit1->setFocus(Qt::TabFocusReason);
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i <= visible.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, names(visible) << Edit1->objectName());

    // No tool button ever takes the focus, by the keyboard or the mouse.
    const QList<TSpeedButton*> buttons = window->findChildren<TSpeedButton*>();
    QCOMPARE(buttons.size(), 10);
    for (TSpeedButton* button : buttons)
        QVERIFY2(button->focusPolicy() == Qt::NoFocus, qPrintable(button->objectName()));
    for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"}) {
        QTest::mouseClick(control<QWidget>(name), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Edit1);
    }
}

// --- the book is only read

void BrowserStory::readOnly()
{
    QVERIFY(start(BookSpec::complete(rowsPerTable)));
    const QByteArray digest = fileDigest(bookPath);
    QVERIFY(!digest.isEmpty());
    ViewRow& row = window->views().front();
    row.query->moveTo(rowsPerTable - 1);

    for (TDBMemo* pane : {row.questionPane, row.answerPane, row.footnotePane}) {
        const QString text = pane->toPlainText();
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(pane));
        QTest::keyClicks(pane, QStringLiteral("typed"));
        for (int key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return})
            QTest::keyClick(pane, Qt::Key(key));
        QTest::keyClick(pane, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(pane, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(pane->toPlainText(), text);

        // Selecting by keyboard and copying still work.
        QTest::keyClick(pane, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(pane, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pane->textCursor().selectedText(), text);
        QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), text);
    }

    // Keys in the list move or do nothing: no cell edits, no row appears or
    // goes, and the current title can still be copied.
    row.list->setFocus();
    // An open cell editor would be a child of the list holding the focus.
    auto editing = [&] {
        return QApplication::focusWidget() != row.list || !row.list->findChildren<QLineEdit*>().isEmpty();
    };
    for (int key : {Qt::Key_F2, Qt::Key_Return, Qt::Key_X, Qt::Key_Delete, Qt::Key_Insert, Qt::Key_Down}) {
        QTest::keyClick(row.list, Qt::Key(key));
        QVERIFY(!editing());
    }
    const QModelIndex cell = row.list->currentIndex();
    QTest::mouseDClick(row.list->viewport(), Qt::LeftButton, {}, row.list->visualRect(cell).center());
    QVERIFY(!editing());
    QCOMPARE(row.query->RecordCount(), rowsPerTable);
    QCOMPARE(row.query->RecNo(), rowsPerTable - 1);
    QTest::keyClick(row.list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), fixtureTitle(row.table, rowsPerTable - 1));

    QCOMPARE(fileDigest(bookPath), digest);
}

// --- broken and empty views

void BrowserStory::brokenViews_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("query failed to open: a field is missing") << QStringLiteral("vajeb");
    QTest::newRow("empty table") << QStringLiteral("moghadamat");
}

void BrowserStory::brokenViews()
{
    QFETCH(QString, table);
    if (!window) {
        QVERIFY(start(BookSpec::complete(rowsPerTable)
                          .withoutField(QStringLiteral("vajeb"), QStringLiteral("pavaraghi"))
                          .withRows(QStringLiteral("moghadamat"), {})));
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].contains(QStringLiteral("pavaraghi")), qPrintable(boxes[0]));
    }
    boxes.clear();
    ViewRow& row = window->view(table);
    clickLabel(row);
    QVERIFY2(visibilityMismatches(row).isEmpty(), qPrintable(visibilityMismatches(row).join(", ")));

    auto empty = [&] {
        QCOMPARE(row.list->model()->rowCount(), 0);
        QVERIFY(row.titleText->text().isEmpty());
        QVERIFY(row.questionPane->toPlainText().isEmpty());
        QVERIFY(row.answerPane->toPlainText().isEmpty());
        QVERIFY(row.footnotePane->toPlainText().isEmpty());
    };
    empty();
    for (const char* button : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"}) {
        QTest::mouseClick(control<QWidget>(button), Qt::LeftButton);
        empty();
    }
    row.list->setFocus();
    for (int key : {Qt::Key_Down, Qt::Key_End, Qt::Key_PageUp, Qt::Key_Home})
        QTest::keyClick(row.list, Qt::Key(key));
    empty();
    QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));
}

// --- long texts

void BrowserStory::longTexts()
{
    const QString table = QStringLiteral("kolliyat");
    QList<BookRow> rows;
    for (int n = 0; n < rowsPerTable; ++n)
        rows.append({fixtureTitle(table, n), "question", "answer", "notes"});
    const int middle = rowsPerTable / 2;
    QStringList lines;
    for (int line = 1; line <= 300; ++line)
        lines << QStringLiteral("سطر %1 از پاسخي بلند که خواننده آن را مي خواند.").arg(line);
    rows[middle].kholase = QStringLiteral("عنواني بسيار بلند ").repeated(40);
    rows[middle].porsesh = QStringLiteral("پرسشي بلند ").repeated(300);
    rows[middle].pasokh = lines.join(QStringLiteral("\r\n"));
    QVERIFY(start(BookSpec::complete(rowsPerTable).withRows(table, rows)));
    ViewRow& row = window->view(table);

    auto geometries = [this] {
        QMap<QString, QRect> byName;
        for (const QWidget* widget : window->findChildren<QWidget*>()) {
            if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_"))
                byName.insert(widget->objectName(), widget->geometry());
        }
        return byName;
    };
    const QMap<QString, QRect> before = geometries();
    const QModelIndex cell = row.list->model()->index(middle, 0);
    row.list->scrollTo(cell);
    QTest::mouseClick(row.list->viewport(), Qt::LeftButton, {}, row.list->visualRect(cell).center());
    QCOMPARE(row.query->RecNo(), middle);
    QCOMPARE(row.titleText->text(), rows[middle].kholase);
    QCOMPARE(geometries(), before);

    // The answer scrolls; its scroll position survives a switch away and back.
    QScrollBar* bar = row.answerPane->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum() / 2);
    const int scrolled = bar->value();
    QVERIFY(scrolled > 0);
    clickLabel(window->view(QStringLiteral("vajeb")));
    clickLabel(row);
    QCOMPARE(bar->value(), scrolled);
    QCOMPARE(row.answerPane->document()->blockCount(), 300);
}

QTEST_MAIN(BrowserStory)
#include "tst_browser.moc"
