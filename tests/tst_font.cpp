// The answer font: each view's own font dialog, what it shows first, what
// a confirmed font gives the pane, and what a cancel and the character set
// leave alone.

#include "BookFixture.h"
#include "Unit1/Tmain.h"
#include "jamkol/startup.h"
#include "platform/DBControls.h"
#include "platform/MessageBoxes.h"
#include "platform/TFontDialog.h"

#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

Tmain* browser() { return Unit1::main; }

QFontDialog* chooser(TFontDialog& dialog) { return dialog.findChild<QFontDialog*>("FontChooser"); }

// Picks the font as a person would, naming its face as the family's list
// shows it ("Book", "Regular").
void choose(TFontDialog& dialog, QFont font, TColor colour)
{
    font.setStyleName(QFontInfo(font).styleName());
    chooser(dialog)->setCurrentFont(font);
    auto* colours = dialog.findChild<QComboBox*>("FontColor");
    colours->setCurrentIndex(colours->findData(colour));
}

TDBMemo* answerPane(const char* table) { return browser()->view(QLatin1String(table)).answerPane; }

// The font the user sees on a pane, as the platform describes it.
struct PaneFont {
    QString name;
    int points, pixels;
    QColor colour;
    bool bold, italic;

    explicit PaneFont(const QWidget* pane)
        : name(pane->font().family()), points(pane->font().pointSize()), pixels(QFontInfo(pane->font()).pixelSize()),
          colour(pane->palette().color(QPalette::Text)), bold(pane->font().bold()), italic(pane->font().italic())
    {
    }
    PaneFont(QString name, int points, int pixels, QColor colour, bool bold = false, bool italic = false)
        : name(std::move(name)), points(points), pixels(pixels), colour(colour), bold(bold), italic(italic)
    {
    }
    bool operator==(const PaneFont&) const = default;
};

char* toString(const PaneFont& font)
{
    return QTest::toString(QStringLiteral("%1 %2pt %3px %4%5%6")
                               .arg(font.name)
                               .arg(font.points)
                               .arg(font.pixels)
                               .arg(font.colour.name(), font.bold ? " bold" : "", font.italic ? " italic" : ""));
}

// The answer panes' font at load: Tahoma, 10 points, maroon.
const PaneFont loadFont(QStringLiteral("Tahoma"), -1, 13, toQColor(clMaroon));

} // namespace

class FontTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void firstFont();
    void sizeInWholePoints_data();
    void sizeInWholePoints();
    void dialogOfEachView_data();
    void dialogOfEachView();
    void eachViewItsOwnFont();
    void cancel();
    void keptCharacterSet();

private:
    // Clicks "تنظيمات" with `person` answering the dialog that opens.
    QStringList openSettings(const std::function<bool(TFontDialog&)>& person);

    QTemporaryDir dir;
};

void FontTest::initTestCase()
{
    QVERIFY(writeBook(dir.filePath("namaz.mdb"), BookSpec::complete(2)));
    QDir::setCurrent(dir.path());
    platform::setBoxHook([](QMessageBox& box) {
        qWarning("unexpected box: %s", qPrintable(box.text()));
        return QMessageBox::Ok;
    });
    startUp();
    browser()->show();
}

void FontTest::init()
{
    browser()->Label1Click();
}

QStringList FontTest::openSettings(const std::function<bool(TFontDialog&)>& person)
{
    QStringList opened;
    TFontDialog::setExecuteHook([&](TFontDialog& dialog) {
        opened << dialog.objectName();
        return person(dialog);
    });
    browser()->SpeedButton7Click();
    TFontDialog::setExecuteHook({});
    return opened;
}

void FontTest::firstFont()
{
    TDBMemo* pane = answerPane("kolliyat");
    QCOMPARE(PaneFont(pane), loadFont);
    const ViewRow& kolliyat = browser()->view("kolliyat");
    const QFont question = kolliyat.questionPane->font();
    const QFont footnotes = kolliyat.footnotePane->font();

    const QStringList opened = openSettings([](TFontDialog& dialog) {
        // "MS Sans Serif", 8 points, regular, window text: not the pane's font.
        [&] {
            QCOMPARE(dialog.Font.Name, QStringLiteral("MS Sans Serif"));
            QCOMPARE(dialog.Font.Height, -11);
            QCOMPARE(dialog.Font.Size(), 8);
            QCOMPARE(dialog.Font.Color, clWindowText);
            QCOMPARE(dialog.Font.Charset, DEFAULT_CHARSET);
            QCOMPARE(dialog.Font.Style, TFontStyles());
            const QFont shown = chooser(dialog)->currentFont();
            QCOMPARE(shown.pointSize(), 8);
            QVERIFY(!shown.bold() && !shown.italic());
            QCOMPARE(dialog.findChild<QComboBox*>("FontColor")->currentData().toUInt(), clWindowText);
        }();
        return true;
    });
    QCOMPARE(opened, QStringList{"FontDialog1"});
    // Confirmed unchanged: the name held stays, though the machine shows a
    // stand-in for it.
    QCOMPARE(PaneFont(pane), PaneFont("MS Sans Serif", 8, 11, toQColor(clWindowText)));
    QCOMPARE(fontCharset(pane), ARABIC_CHARSET);
    QCOMPARE(kolliyat.questionPane->font(), question);
    QCOMPARE(kolliyat.footnotePane->font(), footnotes);
}

void FontTest::sizeInWholePoints_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pixels");
    // At 96 pixels per inch, rounded to the nearest pixel.
    QTest::newRow("8") << 8 << 11;
    QTest::newRow("9") << 9 << 12;
    QTest::newRow("11") << 11 << 15;
    QTest::newRow("14") << 14 << 19;
    QTest::newRow("36") << 36 << 48;
}

void FontTest::sizeInWholePoints()
{
    QFETCH(int, points);
    QFETCH(int, pixels);
    QCOMPARE(screenPixelsPerInch(), 96);
    openSettings([&](TFontDialog& dialog) {
        choose(dialog, QFont("DejaVu Serif", points, QFont::Bold, true), clNavy);
        return true;
    });
    const TFont& confirmed = browser()->view("kolliyat").fontDialog->Font;
    QCOMPARE(confirmed.Size(), points);
    QCOMPARE(confirmed.Height, -pixels);
    QCOMPARE(confirmed.Style, fsBold | fsItalic);
    QCOMPARE(PaneFont(answerPane("kolliyat")), PaneFont("DejaVu Serif", points, pixels, toQColor(clNavy), true, true));
}

void FontTest::dialogOfEachView_data()
{
    QTest::addColumn<QString>("handler");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kolliyat") << "Label1Click" << "FontDialog1";
    QTest::newRow("moghadamat") << "Label3Click" << "FontDialog2";
    QTest::newRow("vajeb") << "Label6Click" << "FontDialog3";
    QTest::newRow("mostahab") << "Label4Click" << "FontDialog4";
    QTest::newRow("namaz") << "Label5Click" << "FontDialog5";
    QTest::newRow("motefareghe") << "Label7Click" << "FontDialog6";
    QTest::newRow("combined view") << "SpeedButton8Click" << "FontDialog7";
}

void FontTest::dialogOfEachView()
{
    QFETCH(QString, handler);
    QFETCH(QString, expected);
    QVERIFY(QMetaObject::invokeMethod(browser(), handler.toLatin1()));
    QCOMPARE(openSettings([](TFontDialog&) { return false; }), QStringList{expected});
    // Confirmed, the font goes to this view's pane.
    openSettings([](TFontDialog& dialog) {
        choose(dialog, QFont("DejaVu Sans Mono", 12), clGreen);
        return true;
    });
    QCOMPARE(PaneFont(browser()->currentView()->answerPane), PaneFont("DejaVu Sans Mono", 12, 16, toQColor(clGreen)));
}

void FontTest::eachViewItsOwnFont()
{
    openSettings([](TFontDialog& dialog) {
        choose(dialog, QFont("DejaVu Serif", 14, QFont::Bold), clRed);
        return true;
    });
    const PaneFont chosen("DejaVu Serif", 14, 19, toQColor(clRed), true);
    QCOMPARE(PaneFont(answerPane("kolliyat")), chosen);

    browser()->Label3Click();
    QCOMPARE(PaneFont(answerPane("moghadamat")), loadFont);
    // Its own dialog starts from its own first font.
    openSettings([](TFontDialog& dialog) {
        [&] { QCOMPARE(chooser(dialog)->currentFont().pointSize(), 8); }();
        return false;
    });
    QCOMPARE(PaneFont(answerPane("moghadamat")), loadFont);

    browser()->Label1Click();
    QCOMPARE(PaneFont(answerPane("kolliyat")), chosen);
    for (const char* other : {"moghadamat", "vajeb", "mostahab", "namaz", "motefareghe", "jamkol"})
        QCOMPARE(PaneFont(answerPane(other)), loadFont);
}

void FontTest::cancel()
{
    openSettings([](TFontDialog& dialog) {
        choose(dialog, QFont("DejaVu Serif", 12), clPurple);
        return true;
    });
    const PaneFont confirmed("DejaVu Serif", 12, 16, toQColor(clPurple));
    QCOMPARE(PaneFont(answerPane("kolliyat")), confirmed);

    openSettings([](TFontDialog& dialog) {
        // It opens on the font last confirmed in it.
        [&] {
            QCOMPARE(chooser(dialog)->currentFont().family(), QStringLiteral("DejaVu Serif"));
            QCOMPARE(chooser(dialog)->currentFont().pointSize(), 12);
            QVERIFY(!chooser(dialog)->currentFont().italic());
            QCOMPARE(dialog.findChild<QComboBox*>("FontColor")->currentData().toUInt(), clPurple);
        }();
        choose(dialog, QFont("DejaVu Sans", 20, QFont::Normal, true), clTeal);
        return false;
    });
    QCOMPARE(PaneFont(answerPane("kolliyat")), confirmed);
    const TFont& held = browser()->view("kolliyat").fontDialog->Font;
    QCOMPARE(held.Name, QStringLiteral("DejaVu Serif"));
    QCOMPARE(held.Size(), 12);
    QCOMPARE(held.Color, clPurple);
    QCOMPARE(held.Style, TFontStyles());
}

void FontTest::keptCharacterSet()
{
    QCOMPARE(fontCharset(answerPane("kolliyat")), ARABIC_CHARSET);
    openSettings([](TFontDialog& dialog) {
        auto* scripts = dialog.findChild<QComboBox*>("FontScript");
        scripts->setCurrentIndex(scripts->findData(ANSI_CHARSET));
        return true;
    });
    QCOMPARE(browser()->view("kolliyat").fontDialog->Font.Charset, ANSI_CHARSET);
    QCOMPARE(fontCharset(answerPane("kolliyat")), ARABIC_CHARSET);
}

QTEST_MAIN(FontTest)
#include "tst_font.moc"
