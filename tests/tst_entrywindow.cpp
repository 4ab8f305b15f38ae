// The entry window and its two panels, driven the way a user drives them:
// by the mouse, over a running program started on a small book.

#include "BookFixture.h"
#include "jamkol/startup.h"
#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/MessageBoxes.h"
#include "Unit1/Tmain.h"
#include "vorudi/TForm2.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

// The schemes whose openings the tests record.
const char* const schemes[] = {"http", "https", "file"};

class EntryWindowStory : public QObject {
    Q_OBJECT

public slots:
    void recordUrl(const QUrl& url) { opened << url; }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void geometryMatchesBlueprint_data();
    void geometryMatchesBlueprint();
    void windowIsBorderlessAndCentred();
    void hotSpotMinimisesOnAnyButton_data();
    void hotSpotMinimisesOnAnyButton();
    void closingEndsTheProgram_data();
    void closingEndsTheProgram();
    void endingDestroysBrowserThenEntryWindow();
    void hoverColours_data();
    void hoverColours();
    void menuLabelTurnsMaroonUnderItsPanel_data();
    void menuLabelTurnsMaroonUnderItsPanel();
    void firstMenuLabelShowsTheOneBrowserWindow();
    void panelsOpenAndClose_data();
    void panelsOpenAndClose();
    void panelCovers_data();
    void panelCovers();
    void logoPreview_data();
    void logoPreview();
    void logosStartHiddenAndOutliveThePanel();
    void linksOpenTheirAddress_data();
    void linksOpenTheirAddress();
    void creditsAndLastCentreOpenTheSiteLink();
    void nothingTakesTheFocus();

private:
    template <class T = QWidget>
    T* control(const QString& name) const
    {
        T* found = form->findChild<T*>(name);
        if (!found)
            qFatal("no control %s on the entry window", qPrintable(name));
        return found;
    }
    void moveOver(QWidget* widget) { QTest::mouseMove(widget, widget->rect().center()); }
    // A point on the bare background, away from every label.
    void moveOffTheLabels() { QTest::mouseMove(form, QPoint(20, 240)); }
    void click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(widget, button, {}, widget->rect().center());
    }
    void openPanel(const QString& name);
    int runLoop();
    QStringList visibleLogos() const;

    QTemporaryDir dir;
    QStringList boxes;
    QList<QUrl> opened;
    TForm2* form = nullptr;
};

void EntryWindowStory::initTestCase()
{
    QVERIFY(dir.isValid());
    QString error;
    QVERIFY2(writeBook(dir.filePath("namaz.mdb"), BookSpec::complete(2), &error), qPrintable(error));
    QDir::setCurrent(dir.path());
    platform::setBoxHook([this](QMessageBox& box) {
        boxes << box.text();
        return QMessageBox::Ok;
    });
    // Every address the program opens arrives here; a file URL would too.
    for (const char* scheme : schemes)
        QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "recordUrl");
    startUp();
    QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));
    form = vorudi::Form2;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
}

void EntryWindowStory::cleanupTestCase()
{
    for (const char* scheme : schemes)
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

void EntryWindowStory::init()
{
    opened.clear();
}

void EntryWindowStory::openPanel(const QString& name)
{
    click(control(name == "Panel1" ? "Label2" : "Label3"));
    QVERIFY(control(name)->isVisible());
}

// The program's message loop, as main() runs it. Should nothing end it,
// it ends after a while with a status of its own.
int EntryWindowStory::runLoop()
{
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    return QApplication::exec();
}

QStringList EntryWindowStory::visibleLogos() const
{
    QStringList visible;
    for (int i = 1; i <= TForm2::centreCount; ++i) {
        if (!control(QStringLiteral("logo%1").arg(i))->isHidden())
            visible << QStringLiteral("logo%1").arg(i);
    }
    return visible;
}

// --- layout

void EntryWindowStory::geometryMatchesBlueprint_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("place");
    QFile file(qEnvironmentVariable("NIVARA_SOURCE_DIR") + "/../shared/blueprint/geometry.json");
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("no blueprint beside the source tree");
    const QJsonArray entries = QJsonDocument::fromJson(file.readAll()).array();
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        if (entry["window"].toString() != "Form2")
            continue;
        const QJsonArray g = entry["geometry"].toArray();
        const QString container = entry["container"].toString().section('@', 0, 0);
        QTest::newRow(qPrintable(entry["name"].toString()))
            << (container.isEmpty() ? QStringLiteral("Form2") : container)
            << QRect(g[0].toInt(), g[1].toInt(), g[2].toInt(), g[3].toInt());
    }
}

void EntryWindowStory::geometryMatchesBlueprint()
{
    QFETCH(QString, container);
    QFETCH(QRect, place);
    QWidget* widget = control(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(widget->parentWidget()->objectName(), container);
    auto* label = qobject_cast<TLabel*>(widget);
    if (!label) {
        QCOMPARE(widget->geometry(), place);
        return;
    }
    // A label is as wide as its caption in the fonts this machine has, and
    // keeps the edge it is read from: the right one, or the left for the
    // version label.
    const QRect shown = label->geometry();
    QCOMPARE(shown.top(), place.top());
    QCOMPARE(shown.height(), place.height());
    if (label->layoutDirection() == Qt::RightToLeft)
        QCOMPARE(shown.right(), place.right());
    else
        QCOMPARE(shown.left(), place.left());
    QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= shown.width(), "caption cut off");
}

void EntryWindowStory::windowIsBorderlessAndCentred()
{
    QCOMPARE(form->size(), QSize(450, 479));
    QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(form->geometry().center(), form->screen()->availableGeometry().center());
    QCOMPARE(form->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(control("Label30")->layoutDirection(), Qt::LeftToRight);
}

// --- hot spots

void EntryWindowStory::hotSpotMinimisesOnAnyButton_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
}

void EntryWindowStory::hotSpotMinimisesOnAnyButton()
{
    QFETCH(Qt::MouseButton, button);
    form->showNormal();
    QVERIFY(!form->isMinimized());
    QWidget* minimise = control("Shape2");
    // The press alone acts, before any release.
    QTest::mousePress(minimise, button, {}, minimise->rect().center());
    QVERIFY(form->isMinimized());
    QVERIFY(form->isVisible());
    QTest::mouseRelease(minimise, button, {}, minimise->rect().center());
}

enum class Closing { leftPressOnHotSpot, rightPressOnHotSpot, windowManager };
Q_DECLARE_METATYPE(Closing)

void EntryWindowStory::closingEndsTheProgram_data()
{
    QTest::addColumn<Closing>("how");
    QTest::newRow("left press on the close hot spot") << Closing::leftPressOnHotSpot;
    QTest::newRow("right press on the close hot spot") << Closing::rightPressOnHotSpot;
    QTest::newRow("window manager's close") << Closing::windowManager;
}

void EntryWindowStory::closingEndsTheProgram()
{
    QFETCH(Closing, how);
    form->show();
    bool browserWasVisible = false;
    bool findDialogWasVisible = false;
    QTimer::singleShot(0, form, [&] {
        // The user opens the browser and a find dialog, then closes the entry window.
        click(control("Label1"));
        QMetaObject::invokeMethod(Unit1::main, "SpeedButton6Click");
        browserWasVisible = Unit1::main->isVisible();
        for (QDialog* dialog : Unit1::main->findChildren<QDialog*>())
            findDialogWasVisible |= dialog->isVisible();
        QWidget* close = control("Shape3");
        switch (how) {
        case Closing::leftPressOnHotSpot:
            QTest::mousePress(close, Qt::LeftButton, {}, close->rect().center());
            break;
        case Closing::rightPressOnHotSpot:
            QTest::mousePress(close, Qt::RightButton, {}, close->rect().center());
            break;
        case Closing::windowManager:
            form->windowHandle()->close();
            break;
        }
    });
    QCOMPARE(runLoop(), 0);
    QVERIFY(browserWasVisible);
    QVERIFY(findDialogWasVisible);
    QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));
    Unit1::main->hide();
}

void EntryWindowStory::endingDestroysBrowserThenEntryWindow()
{
    QStringList destroyed;
    for (QWidget* window : {static_cast<QWidget*>(Unit1::main), static_cast<QWidget*>(form)}) {
        const QString name = window->objectName();
        connect(window, &QObject::destroyed, [&destroyed, name] { destroyed << name; });
    }
    QTimer::singleShot(0, form, [this] {
        click(control("Label1"));
        QWidget* close = control("Shape3");
        QTest::mousePress(close, Qt::LeftButton, {}, close->rect().center());
    });
    QCOMPARE(runLoop(), 0);
    // What main() does when the loop has ended.
    shutDown();
    form = nullptr;
    QCOMPARE(destroyed, (QStringList{"main", "Form2"}));
}

// --- hover colours

void EntryWindowStory::hoverColours_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("hovers");
    QTest::newRow("first menu label") << "Label1" << true;
    QTest::newRow("second menu label") << "Label2" << true;
    QTest::newRow("third menu label") << "Label3" << true;
    QTest::newRow("site link") << "Label4" << false;
    QTest::newRow("version label") << "Label30" << false;
}

void EntryWindowStory::hoverColours()
{
    QFETCH(QString, label);
    QFETCH(bool, hovers);
    QWidget* widget = control(label);
    const TColor resting = fontColor(widget);
    moveOffTheLabels();
    moveOver(widget);
    QCOMPARE(fontColor(widget), hovers ? clGreen : resting);
    moveOffTheLabels();
    QCOMPARE(fontColor(widget), resting);
}

void EntryWindowStory::menuLabelTurnsMaroonUnderItsPanel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("panel");
    QTest::newRow("credits") << "Label2" << "Panel1";
    QTest::newRow("answering centres") << "Label3" << "Panel2";
}

void EntryWindowStory::menuLabelTurnsMaroonUnderItsPanel()
{
    QFETCH(QString, label);
    QFETCH(QString, panel);
    QWidget* menu = control(label);
    moveOffTheLabels();
    moveOver(menu);
    QCOMPARE(fontColor(menu), clGreen);
    click(menu);
    QVERIFY(control(panel)->isVisible());
    QCOMPARE(fontColor(menu), clMaroon);
    QMetaObject::invokeMethod(form, panel == "Panel1" ? "SpeedButton1Click" : "SpeedButton2Click");
}

// --- the first menu label

void EntryWindowStory::firstMenuLabelShowsTheOneBrowserWindow()
{
    QWidget* menu = control("Label1");
    for (int i = 0; i < 3; ++i) {
        click(menu);
        QVERIFY(Unit1::main->isVisible());
    }
    int browsers = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        browsers += window->objectName() == "main";
    QCOMPARE(browsers, 1);
    QVERIFY(QTest::qWaitForWindowActive(Unit1::main));
    QVERIFY(!Unit1::main->isMinimized());

    // A minimised browser window is shown minimised, as it was.
    Unit1::main->showMinimized();
    click(menu);
    QVERIFY(Unit1::main->isVisible());
    QVERIFY(Unit1::main->isMinimized());
    QVERIFY(form->isVisible());
}

// --- the panels

void EntryWindowStory::panelsOpenAndClose_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("exit");
    QTest::newRow("credits") << "Label2" << "Panel1" << "SpeedButton1";
    QTest::newRow("answering centres") << "Label3" << "Panel2" << "SpeedButton2";
}

void EntryWindowStory::panelsOpenAndClose()
{
    QFETCH(QString, label);
    QFETCH(QString, panel);
    QFETCH(QString, exit);
    QVERIFY(control(QStringLiteral("Panel1"))->isHidden());
    QVERIFY(control(QStringLiteral("Panel2"))->isHidden());
    click(control(label));
    QVERIFY(control(panel)->isVisible());
    const QString other = panel == "Panel1" ? "Panel2" : "Panel1";
    QVERIFY(control(other)->isHidden());
    click(control(exit));
    QVERIFY(control(panel)->isHidden());
    QVERIFY(form->isVisible());
    QVERIFY(!form->isMinimized());
}

void EntryWindowStory::panelCovers_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("beneath");
    QTest::addColumn<bool>("covered");
    const QStringList menu{"Label1", "Label2", "Label3"};
    const QStringList rest{"Shape2", "Shape3", "Label4", "Label30"};
    for (const QString& name : menu) {
        QTest::addRow("Panel1 over %s", qPrintable(name)) << "Panel1" << name << true;
        QTest::addRow("Panel2 over %s", qPrintable(name)) << "Panel2" << name << true;
    }
    for (const QString& name : rest) {
        QTest::addRow("Panel1 beside %s", qPrintable(name)) << "Panel1" << name << false;
        QTest::addRow("Panel2 over %s", qPrintable(name)) << "Panel2" << name << true;
    }
}

void EntryWindowStory::panelCovers()
{
    QFETCH(QString, panel);
    QFETCH(QString, beneath);
    QFETCH(bool, covered);
    openPanel(panel);
    QWidget* below = control(beneath);
    const QPoint centre = below->mapTo(form, below->rect().center());
    QWidget* hit = form->childAt(centre);
    QVERIFY(hit);
    QCOMPARE(control(panel)->isAncestorOf(hit), covered);
    if (!covered)
        QCOMPARE(hit, below);
    QWidget* onScreen = QApplication::widgetAt(form->mapToGlobal(centre));
    QCOMPARE(onScreen, hit);
    control(panel)->hide();
}

// --- logos

void EntryWindowStory::logoPreview_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("logo");
    QTest::newRow("row 1") << "Label23" << "logo1";
    QTest::newRow("row 2") << "Label24" << "logo2";
    QTest::newRow("row 3") << "Label22" << "logo3";
    QTest::newRow("row 4") << "Label25" << "logo4";
    QTest::newRow("row 5") << "Label26" << "logo5";
    QTest::newRow("row 6") << "Label28" << "logo6";
    QTest::newRow("row 7") << "Label27" << "logo7";
    QTest::newRow("row 8") << "Label29" << "logo8";
}

void EntryWindowStory::logoPreview()
{
    QFETCH(QString, link);
    QFETCH(QString, logo);
    openPanel("Panel2");
    moveOver(control(link));
    QCOMPARE(visibleLogos(), QStringList{logo});
}

void EntryWindowStory::logosStartHiddenAndOutliveThePanel()
{
    openPanel("Panel2");
    QCOMPARE(visibleLogos(), QStringList());
    moveOver(control("Label26"));
    QCOMPARE(visibleLogos(), QStringList{"logo5"});
    // Leaving the link, or moving over the names, the title or the frame, keeps it.
    for (const char* other : {"Label18", "Label13", "Shape1", "Image3"})
        moveOver(control(other));
    QCOMPARE(visibleLogos(), QStringList{"logo5"});
    moveOver(control("Label27"));
    QCOMPARE(visibleLogos(), QStringList{"logo7"});
    click(control("SpeedButton2"));
    openPanel("Panel2");
    QCOMPARE(visibleLogos(), QStringList{"logo7"});
}

// --- links

void EntryWindowStory::linksOpenTheirAddress_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QUrl>("address");
    QTest::newRow("Label23") << "Label23" << QUrl("http://www.noorpasokh.ir");
    QTest::newRow("Label24") << "Label24" << QUrl("http://www.khaneporsesh.ir");
    QTest::newRow("Label22") << "Label22" << QUrl("http://www.pasokhgoo.ir");
    QTest::newRow("Label25") << "Label25" << QUrl("http://www.moshaver.ir");
    QTest::newRow("Label26") << "Label26" << QUrl("http://www.pclub.ir/clubname/pasokh");
    QTest::newRow("Label28") << "Label28" << QUrl("http://www.rahnama.ir");
    QTest::newRow("Label27") << "Label27" << QUrl("http://www.pasokhname.ir");
    QTest::newRow("Label29") << "Label29" << QUrl("http://www.nivara.ir");
    // The names and the title open nothing.
    for (const char* name : {"Label14", "Label15", "Label16", "Label17", "Label18", "Label19", "Label20",
                             "Label21", "Label13"})
        QTest::newRow(name) << name << QUrl();
}

void EntryWindowStory::linksOpenTheirAddress()
{
    QFETCH(QString, label);
    QFETCH(QUrl, address);
    openPanel("Panel2");
    click(control(label));
    if (address.isEmpty()) {
        QCOMPARE(opened, QList<QUrl>());
    } else {
        QCOMPARE(opened.size(), 1);
        // A bare host arrives as a web address, never as a file.
        QCOMPARE(opened.first(), address);
    }
    QVERIFY(control("Panel2")->isVisible());
}

void EntryWindowStory::creditsAndLastCentreOpenTheSiteLink()
{
    click(control("Label4"));
    openPanel("Panel1");
    click(control("Label12"));
    click(control("SpeedButton1"));
    openPanel("Panel2");
    click(control("Label29"));
    QCOMPARE(opened.size(), 3);
    QCOMPARE(opened[0].scheme(), QStringLiteral("http"));
    QCOMPARE(opened[1], opened[0]);
    QCOMPARE(opened[2], opened[0]);
}

// --- focus

void EntryWindowStory::nothingTakesTheFocus()
{
    for (QWidget* widget : form->findChildren<QWidget*>())
        QVERIFY2(widget->focusPolicy() == Qt::NoFocus, qPrintable(widget->objectName()));
    QVERIFY(form->focusPolicy() == Qt::NoFocus);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    openPanel("Panel1");
    click(control("SpeedButton1"));
    openPanel("Panel2");
    moveOver(control("Label23"));
    QTest::keyClick(form, Qt::Key_Tab);
    QTest::keyClick(form, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), nullptr);
    click(control("SpeedButton2"));
    QCOMPARE(QApplication::focusWidget(), nullptr);
}

QTEST_MAIN(EntryWindowStory)
#include "tst_entrywindow.moc"
