// Find in the answer: which dialog each view opens, the search step's
// arithmetic over the answer as shown (every line break counted as CR LF),
// the messages, and where a continued search may continue.

#include "BookFixture.h"
#include "Unit1/Tmain.h"
#include "jamkol/startup.h"
#include "platform/DBControls.h"
#include "platform/MessageBoxes.h"
#include "platform/TADODataSet.h"
#include "platform/TFindDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Box {
    QString title, text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

// One click on Find Next: the find text typed, then LastFoundPos and the
// pane's selection (a line break counts one there), or the message.
struct Click {
    QString findText;
    int lastFoundPos = 0;
    int paneStart = 0;
    int paneLength = 0;
    QString message;
};

Click found(const QString& findText, int lastFoundPos, int paneStart, int paneLength)
{
    return {findText, lastFoundPos, paneStart, paneLength, {}};
}

Click notFound(const QString& findText, const QString& message)
{
    return {findText, 0, 0, 0, message};
}

QString firstSearchMessage(const QString& findText)
{
    return QStringLiteral("Could not find \"%1\" in Memo1.").arg(findText);
}

QString continuedMessage(const QString& findText)
{
    return QStringLiteral("There are no further occurences of \"%1\" in Memo1.").arg(findText);
}

struct FindCase {
    const char* name;
    QString answer; // as the book stores it
    TFindOptions options;
    QList<Click> clicks;
};

const QString longFindText = QString(QStringLiteral("نماز")).repeated(63) + QStringLiteral("abc");
const QString zwnjWord = QStringLiteral("می\u200Cخواند");
const QString persian = QStringLiteral("نماز صبح دو رکعت و نماز مغرب سه رکعت است");

// Each case is one record of kolliyat, in this order.
const QList<FindCase>& findCases()
{
    static const QList<FindCase> cases = {
        {"abcabc", "abcabc", frDown,
         {found("bc", 2, 1, 2), found("bc", 5, 4, 2), notFound("bc", continuedMessage("bc")), found("bc", 2, 1, 2)}},
        {"overlapping matches are skipped", "aaaa", frDown,
         {found("aa", 1, 0, 2), found("aa", 3, 2, 2), notFound("aa", continuedMessage("aa")), found("aa", 1, 0, 2)}},
        {"third line, stored CR LF", "first\r\nsecond\r\nthe word", frDown,
         {found("word", 20, 17, 4), notFound("word", continuedMessage("word"))}},
        {"third line, stored LF", "first\nsecond\nthe word", frDown, {found("word", 20, 17, 4)}},
        {"third line, stored CR", "first\rsecond\rthe word", frDown, {found("word", 20, 17, 4)}},
        {"every line in turn", "word\r\nword\r\nword", frDown,
         {found("word", 1, 0, 4), found("word", 7, 5, 4), found("word", 13, 10, 4),
          notFound("word", continuedMessage("word"))}},
        {"across a line break", "ab\r\ncd", frDown, {found("b\r\nc", 2, 1, 3)}},
        {"quotes", "he said \"yes\" and 'no'", frDown,
         {found("\"yes\"", 9, 8, 5), found("'no'", 19, 18, 4), notFound("'no'", continuedMessage("'no'")),
          notFound("\"nope\"", firstSearchMessage("\"nope\""))}},
        {"changed find text continues after the old match", "abcdefabc", frDown,
         {found("abc", 1, 0, 3), notFound("cdef", continuedMessage("cdef")), found("cdef", 3, 2, 4)}},
        {"Persian letters", persian, frDown,
         {found("رکعت", 13, 12, 4), found("رکعت", 33, 32, 4), notFound("رکعت", continuedMessage("رکعت"))}},
        {"with ZWNJ", zwnjWord + " و میخواند", frDown,
         {found(zwnjWord, 1, 0, 8), notFound(zwnjWord, continuedMessage(zwnjWord))}},
        {"without ZWNJ", zwnjWord + " و میخواند ", frDown, {found("میخواند", 12, 11, 7)}},
        {"no-break space", "x\u00A0y word", frDown, {found("\u00A0y", 2, 1, 2)}},
        {"letter case counts with match case off", "Word word", frDown,
         {found("word", 6, 5, 4), notFound("word", continuedMessage("word"))}},
        {"direction up still searches forward", "abcabcx", TFindOptions(),
         {found("bc", 2, 1, 2), found("bc", 5, 4, 2)}},
        {"whole word on still finds inside a word", "prayers", frDown | frWholeWord, {found("pray", 1, 0, 4)}},
        {"255-character find text", "-" + longFindText + "-", frDown, {found(longFindText, 2, 1, 255)}},
        {"empty answer", "", frDown,
         {notFound("x", firstSearchMessage("x")), notFound("x", firstSearchMessage("x"))}},
        {"nowhere in the answer", "abc", frDown,
         {notFound("z", firstSearchMessage("z")), notFound("z", firstSearchMessage("z"))}},
    };
    return cases;
}

// A selection read back as the text's characters: a line break is CR LF.
QString selectedText(const QPlainTextEdit* pane)
{
    return pane->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
}

QPair<int, int> selection(const QPlainTextEdit* pane)
{
    const QTextCursor cursor = pane->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

enum class Move { OtherRecord, OtherView, AwayAndBack, OtherRecordAndBack };

} // namespace

Q_DECLARE_METATYPE(Move)

class FindTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void findCases_data();
    void findCases();
    void dialogOfEachView_data();
    void dialogOfEachView();
    void continuesOnlyInTheSameText_data();
    void continuesOnlyInTheSameText();
    void focus_data();
    void focus();
    void findDialog();
    void findDialogEvent();

private:
    TFindDialog* dialog(const char* name) const { return browser()->findChild<TFindDialog*>(QLatin1String(name)); }
    static Tmain* browser() { return Unit1::main; }
    ViewRow& row(const char* table) const { return browser()->view(QLatin1String(table)); }
    // Opens the current view's dialog with "جستجو در متن", types the text
    // and clicks Find Next.
    void findInCurrentView(const QString& findText);
    void click(TFindDialog* dialog, const QString& findText);

    QTemporaryDir dir;
    QList<Box> boxes;
};

void FindTest::initTestCase()
{
    BookSpec book = BookSpec::complete(3);
    QList<BookRow> rows;
    for (const FindCase& findCase : ::findCases())
        rows.append({QString::fromLatin1(findCase.name), "question", findCase.answer, "notes"});
    book.withRows("kolliyat", rows);
    book.withRows("moghadamat", {{"first", "q", "xxxxxxxxxx word word", "n"}, {"second", "q", "word first", "n"}});
    book.withRows("vajeb", {{"only", "q", "word in vajeb", "n"}});
    book.withRows("namaz", {{"only", "q", "find me here", "n"}});
    QString error;
    QVERIFY2(writeBook(dir.filePath("namaz.mdb"), book, &error), qPrintable(error));
    QDir::setCurrent(dir.path());
    platform::setBoxHook([this](QMessageBox& box) {
        boxes.append({box.windowTitle(), box.text(), box.icon(), box.standardButtons()});
        return QMessageBox::Ok;
    });
    startUp();
    QVERIFY(boxes.isEmpty());
    browser()->show();
    QVERIFY(QTest::qWaitForWindowExposed(browser()));
}

void FindTest::init()
{
    browser()->LastFoundPos = 0;
    browser()->show();
    browser()->Label1Click();
    boxes.clear();
}

void FindTest::cleanup()
{
    for (TFindDialog* open : browser()->findChildren<TFindDialog*>())
        open->close();
}

void FindTest::click(TFindDialog* findDialog, const QString& findText)
{
    findDialog->setFindText(findText);
    findDialog->findChild<QPushButton*>("FindNext")->click();
}

void FindTest::findInCurrentView(const QString& findText)
{
    browser()->SpeedButton6Click();
    click(browser()->currentView()->findDialog, findText);
}

void FindTest::findCases_data()
{
    QTest::addColumn<int>("record");
    for (int i = 0; i < ::findCases().size(); ++i)
        QTest::newRow(::findCases()[i].name) << i;
}

void FindTest::findCases()
{
    QFETCH(int, record);
    const FindCase& findCase = ::findCases()[record];
    ViewRow& kolliyat = row("kolliyat");
    kolliyat.query->moveTo(record);
    QCOMPARE(kolliyat.query->FieldText("pasokh"), findCase.answer);
    browser()->SpeedButton6Click();
    TFindDialog* findDialog = dialog("FindDialog1");
    QVERIFY(findDialog->isVisible());
    findDialog->setOptions(findCase.options);

    for (int n = 0; n < findCase.clicks.size(); ++n) {
        const Click& expected = findCase.clicks[n];
        const QString at = QStringLiteral("click %1").arg(n + 1);
        const auto before = selection(kolliyat.answerPane);
        boxes.clear();
        click(findDialog, expected.findText);
        QCOMPARE(findDialog->FindText(), expected.findText);
        QVERIFY2(browser()->LastFoundPos == expected.lastFoundPos,
                 qPrintable(at + QStringLiteral(": LastFoundPos %1").arg(browser()->LastFoundPos)));
        if (expected.message.isEmpty()) {
            QVERIFY2(boxes.isEmpty(), qPrintable(at));
            QCOMPARE(selection(kolliyat.answerPane), qMakePair(expected.paneStart, expected.paneLength));
            QCOMPARE(selectedText(kolliyat.answerPane), expected.findText);
        } else {
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(boxes[0].title, QStringLiteral("Error"));
            QCOMPARE(boxes[0].text, expected.message);
            QCOMPARE(boxes[0].icon, QMessageBox::Critical);
            QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(selection(kolliyat.answerPane), before);
        }
        QVERIFY(findDialog->isVisible());
    }
}

void FindTest::dialogOfEachView_data()
{
    QTest::addColumn<QString>("handler");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kolliyat") << "Label1Click" << "kolliyat" << "FindDialog1";
    QTest::newRow("moghadamat") << "Label3Click" << "moghadamat" << "FindDialog3";
    QTest::newRow("vajeb") << "Label6Click" << "vajeb" << "FindDialog5";
    QTest::newRow("mostahab") << "Label4Click" << "mostahab" << "FindDialog2";
    QTest::newRow("namaz") << "Label5Click" << "namaz" << "FindDialog4";
    QTest::newRow("motefareghe") << "Label7Click" << "motefareghe" << "FindDialog6";
    QTest::newRow("combined view") << "SpeedButton8Click" << "jamkol" << "";
}

void FindTest::dialogOfEachView()
{
    QFETCH(QString, handler);
    QFETCH(QString, table);
    QFETCH(QString, expected);
    QVERIFY(QMetaObject::invokeMethod(browser(), handler.toLatin1()));
    QCOMPARE(browser()->currentView()->table, table);
    browser()->SpeedButton6Click();

    QStringList open;
    for (TFindDialog* findDialog : browser()->findChildren<TFindDialog*>()) {
        if (findDialog->isVisible())
            open << findDialog->objectName();
    }
    QCOMPARE(open, expected.isEmpty() ? QStringList() : QStringList{expected});
    QCOMPARE(browser()->currentView()->findDialog != nullptr, !expected.isEmpty());
    if (expected.isEmpty())
        return;
    // Its Find Next searches this view's answer pane.
    TFindDialog* findDialog = dialog(qPrintable(expected));
    QCOMPARE(findDialog->parentWidget(), browser());
    const QString answer = browser()->currentView()->query->FieldText("pasokh");
    click(findDialog, answer.right(3));
    QVERIFY(boxes.isEmpty());
    QCOMPARE(selectedText(browser()->currentView()->answerPane), answer.right(3));
    // Opening it again only brings it to the front.
    browser()->SpeedButton6Click();
    QCOMPARE(findDialog->FindText(), answer.right(3));
}


void FindTest::continuesOnlyInTheSameText_data()
{
    QTest::addColumn<Move>("move");
    QTest::addColumn<int>("lastFoundPos");
    // A first search in another text: carrying the last match's position
    // over would skip these matches, which lie before it.
    QTest::newRow("another record") << Move::OtherRecord << 1;
    QTest::newRow("another view, shorter answer") << Move::OtherView << 1;
    // The same pane over the same text continues after the last match.
    QTest::newRow("away to another view and back") << Move::AwayAndBack << 17;
    QTest::newRow("away to another record and back") << Move::OtherRecordAndBack << 17;
}

void FindTest::continuesOnlyInTheSameText()
{
    QFETCH(Move, move);
    QFETCH(int, lastFoundPos);
    browser()->Label3Click();
    row("moghadamat").query->First();
    findInCurrentView("word");
    QCOMPARE(browser()->LastFoundPos, 12);

    switch (move) {
    case Move::OtherRecord:
        row("moghadamat").query->Next();
        break;
    case Move::OtherView:
        browser()->Label6Click();
        break;
    case Move::AwayAndBack:
        browser()->Label6Click();
        browser()->Label3Click();
        break;
    case Move::OtherRecordAndBack:
        row("moghadamat").query->Next();
        row("moghadamat").query->Prior();
        break;
    }
    findInCurrentView("word");
    QVERIFY(boxes.isEmpty());
    QCOMPARE(browser()->LastFoundPos, lastFoundPos);
    QCOMPARE(selectedText(browser()->currentView()->answerPane), QStringLiteral("word"));
}

void FindTest::focus_data()
{
    QTest::addColumn<bool>("hideView");
    QTest::addColumn<bool>("hideWindow");
    QTest::newRow("visible view takes the focus") << false << false;
    QTest::newRow("hidden view keeps its match") << true << false;
    QTest::newRow("hidden window keeps its match") << false << true;
}

void FindTest::focus()
{
    QFETCH(bool, hideView);
    QFETCH(bool, hideWindow);
    browser()->Label5Click();
    browser()->SpeedButton6Click();
    TFindDialog* findDialog = dialog("FindDialog4");
    findDialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(findDialog));
    TDBMemo* pane = row("namaz").answerPane;
    if (hideView)
        browser()->Label1Click();
    if (hideWindow)
        browser()->hide();

    QWidget* focusBefore = browser()->focusWidget();
    click(findDialog, "me");
    QVERIFY(boxes.isEmpty());
    QCOMPARE(browser()->LastFoundPos, 6);
    QCOMPARE(selection(pane), qMakePair(5, 2));
    if (hideView || hideWindow) {
        QVERIFY(!pane->hasFocus());
        QCOMPARE(browser()->focusWidget(), focusBefore);
    } else {
        QTRY_VERIFY(pane->hasFocus());
        QCOMPARE(QApplication::activeWindow(), browser());
    }

    browser()->show();
    browser()->Label5Click();
    QCOMPARE(selection(pane), qMakePair(5, 2));
    // Nothing further: the message shows also for a hidden view.
    browser()->Label1Click();
    click(findDialog, "me");
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].text, continuedMessage("me"));
}

void FindTest::findDialog()
{
    browser()->SpeedButton6Click();
    TFindDialog* findDialog = dialog("FindDialog1");
    QVERIFY(findDialog->isVisible());
    QVERIFY(findDialog->isWindow());
    QVERIFY(!findDialog->isModal());
    QCOMPARE(findDialog->windowType(), Qt::Dialog);
    QCOMPARE(findDialog->Options(), TFindOptions(frDown));

    auto* box = findDialog->findChild<QLineEdit*>("FindText");
    auto* findNext = findDialog->findChild<QPushButton*>("FindNext");
    QVERIFY(findNext->isDefault());
    QVERIFY(!findNext->isEnabled());
    QTest::keyClicks(box, "ab");
    QVERIFY(findNext->isEnabled());
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(!findNext->isEnabled());
    findDialog->setFindText("x");
    QVERIFY(findNext->isEnabled());
    box->clear();
    QVERIFY(!findNext->isEnabled());
    findDialog->setFindText(QString(300, QLatin1Char('a')));
    QCOMPARE(findDialog->FindText().size(), 255);

    // The text and the options stay from one opening to the next.
    findDialog->setFindText("kept");
    findDialog->setOptions(frMatchCase);
    findDialog->close();
    QVERIFY(!findDialog->isVisible());
    browser()->SpeedButton6Click();
    QVERIFY(findDialog->isVisible());
    QCOMPARE(findDialog->FindText(), QStringLiteral("kept"));
    QCOMPARE(findDialog->Options(), TFindOptions(frMatchCase));
    // The browser window stays usable: another view's dialog opens beside it.
    browser()->Label6Click();
    browser()->SpeedButton6Click();
    QVERIFY(dialog("FindDialog5")->isVisible());
    QVERIFY(findDialog->isVisible());
}

void FindTest::findDialogEvent()
{
    TFindDialog probe(nullptr, "probe");
    QList<TFindOptions> raised;
    QList<QString> texts;
    connect(&probe, &TFindDialog::OnFind, this, [&] {
        raised << probe.Options();
        texts << probe.FindText();
    });
    probe.Execute();
    QVERIFY(QTest::qWaitForWindowExposed(&probe));
    auto* box = probe.findChild<QLineEdit*>("FindText");
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(raised.isEmpty()); // never with an empty find text
    box->insert("نماز");
    QTest::keyClick(box, Qt::Key_Return);
    probe.findChild<QPushButton*>("FindNext")->click();
    QCOMPARE(raised, (QList<TFindOptions>{frDown | frFindNext, frDown | frFindNext}));
    QCOMPARE(texts, (QList<QString>{"نماز", "نماز"}));
}

QTEST_MAIN(FindTest)
#include "tst_find.moc"
