#include "vorudi/TForm2.h"

#include "jamkol/startup.h"
#include "platform/Controls.h"
#include "platform/Events.h"
#include "platform/Keyboard.h"
#include "platform/ShellApi.h"
#include "Unit1/Publisher.h"
#include "Unit1/Tmain.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace {

constexpr TColor frameColour = 10930913; // red 225, green 202, blue 166

// One row of the answering-centres list: a name label above a link label,
// both ending at x = 382, and the logo the link previews.
struct Centre {
    const char* nameLabel;
    QString name;
    int nameLeft, nameTop, nameWidth;
    const char* linkLabel;
    const char* caption;
    int linkLeft, linkTop, linkWidth;
    // Put in front of the caption to make the address the shell opens.
    const char* addressPrefix;
    void (TForm2::*click)();
    void (TForm2::*mouseMove)();
};

const std::array<Centre, TForm2::centreCount>& centres()
{
    static const std::array<Centre, TForm2::centreCount> list{{
        {"Label16", QStringLiteral("نور پاسخ"), 339, 52, 43, "Label23", "www.noorpasokh.ir", 266, 69, 116, "",
         &TForm2::Label23Click, &TForm2::Label23MouseMove},
        {"Label15", QStringLiteral("خانه پرسش"), 305, 101, 77, "Label24", "www.khaneporsesh.ir", 215, 116, 167, "",
         &TForm2::Label24Click, &TForm2::Label24MouseMove},
        {"Label14", QStringLiteral("پاسخگوی دینی"), 295, 147, 87, "Label22", "www.pasokhgoo.ir", 296, 164, 86, "",
         &TForm2::Label22Click, &TForm2::Label22MouseMove},
        {"Label17", QStringLiteral("مرکز مشاوره"), 308, 200, 74, "Label25", "www.moshaver.ir", 276, 219, 106, "",
         &TForm2::Label25Click, &TForm2::Label25MouseMove},
        {"Label18", QStringLiteral("باشگاه پرسش و پاسخ"), 234, 253, 148, "Label26",
         "www.pclub.ir/clubname/pasokh", 172, 273, 210, "http://", &TForm2::Label26Click,
         &TForm2::Label26MouseMove},
        {"Label20", QStringLiteral("رهنما"), 339, 304, 43, "Label28", "rahnama.ir", 299, 320, 83, "www.",
         &TForm2::Label28Click, &TForm2::Label28MouseMove},
        {"Label19", QStringLiteral("پاسخ‌نامه"), 325, 353, 57, "Label27", "pasokhname.ir", 280, 369, 102, "www.",
         &TForm2::Label27Click, &TForm2::Label27MouseMove},
        {"Label21", publisherName(), 284, 404, 98, "Label29", publisherAddress(), 278, 421, 104, "",
         &TForm2::Label29Click, &TForm2::Label29MouseMove},
    }};
    return list;
}

// A label sized to its caption in the font it is given: it keeps its right
// edge (its left one when it reads left to right) and its top and height.
TLabel* label(QWidget* parent, const char* name, QRect place, const QString& caption, const QFont& font,
              TColor colour, Qt::CursorShape cursor = Qt::ArrowCursor,
              Qt::LayoutDirection direction = Qt::RightToLeft)
{
    auto* control = new TLabel(parent, QLatin1String(name), place.left(), place.top(), place.width(), place.height());
    control->setLayoutDirection(direction);
    control->setFont(font);
    setFontColor(control, colour);
    control->setCursor(cursor);
    control->setCaption(caption);
    return control;
}

TSpeedButton* exitButton(QWidget* parent, const char* name, QRect place, int pixels, bool flat)
{
    auto* button = new TSpeedButton(parent, QLatin1String(name), place.left(), place.top(), place.width(),
                                    place.height(), QStringLiteral("خروج"), flat);
    button->setFont(platformFont(pixels));
    setFontColor(button, clMaroon);
    return button;
}

void openAddress(const QByteArray& address)
{
    ShellExecuteA(applicationWindow(), "open", address.constData(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace

TForm2::TForm2()
{
    buildWindow();
    connectHandlers();
    FormCreate();
}

void TForm2::buildWindow()
{
    setUpBorderlessWindow(this, QStringLiteral("Form2"), productTitle(), QSize(450, 479));
    setFont(platformFont(13));
    setFontColor(this, clWindowText);
    setBackgroundColor(this, clBtnFace);

    // Creation order is stacking order: the panels come last, over everything.
    buildMenu();
    buildCreditsPanel();
    buildCentresPanel();
}

void TForm2::buildMenu()
{
    Image1 = new TImage(this, QStringLiteral("Image1"), 0, 0, 450, 478);
    Image1->setPicture(QStringLiteral(":/assets/entry_background.svg"), QSize(450, 478));
    const QFont menuFont = platformFont(15);
    Label1 = label(this, "Label1", {194, 363, 75, 18}, QStringLiteral("Nivara نماز"), menuFont, clMaroon,
                   Qt::PointingHandCursor);
    Label2 = label(this, "Label2", {285, 317, 75, 18}, QStringLiteral("معرفي کتاب"), menuFont, clMaroon,
                   Qt::PointingHandCursor);
    Label3 = label(this, "Label3", {88, 317, 84, 18}, QStringLiteral("مراکز پاسخگو"), menuFont, clMaroon,
                   Qt::PointingHandCursor);
    Shape2 = new TShape(this, QStringLiteral("Shape2"), 391, 10, 17, 17);
    Shape2->setCursor(Qt::PointingHandCursor);
    Shape3 = new TShape(this, QStringLiteral("Shape3"), 416, 10, 17, 17);
    Shape3->setCursor(Qt::PointingHandCursor);
    Label4 = label(this, "Label4", {179, 456, 98, 16}, QString::fromLatin1(publisherAddress()), platformFont(13),
                   clMaroon, Qt::PointingHandCursor);
    Label30 = label(this, "Label30", {282, 458, 30, 13}, QStringLiteral("V(1.0)"), platformFont(11), clTeal,
                    Qt::ArrowCursor, Qt::LeftToRight);
}

void TForm2::buildCreditsPanel()
{
    Panel1 = new TPanel(this, QStringLiteral("Panel1"), 77, 12, 285, 376, 1);
    Image2 = new TImage(Panel1, QStringLiteral("Image2"), 1, 0, 285, 376);
    Image2->setPicture(QStringLiteral(":/assets/credits_background.svg"), QSize(285, 376));
    const QFont font = platformFont(15);
    // The publisher's name runs in red across the fourth and fifth lines:
    // its first two words end the one, its last word starts the other.
    const QString publisher = publisherName();
    label(Panel1, "Label5", {23, 136, 243, 18}, QStringLiteral("احکام نماز در پرسش و پاسخ"), font, clMaroon);
    label(Panel1, "Label6", {43, 168, 199, 18}, QStringLiteral("تهيه : گروه پژوهشی نیوارا"), font, clGreen);
    label(Panel1, "Label7", {67, 200, 157, 18}, QStringLiteral("بازنويسي : مریم توکلی"), font, clNavy);
    label(Panel1, "Label8", {114, 232, 157, 18}, QStringLiteral("برنامه پيش رو به سفارش"), font, clPurple);
    label(Panel1, "Label9", {43, 264, 165, 18}, QStringLiteral("تهيه و طراحي شده است."), font, clPurple);
    label(Panel1, "Label10", {28, 232, 80, 18}, publisher.section(QLatin1Char(' '), 0, 1), font, clRed);
    label(Panel1, "Label11", {215, 264, 26, 18}, publisher.section(QLatin1Char(' '), 2), font, clRed);
    Label12 = label(Panel1, "Label12", {91, 308, 98, 16}, QString::fromLatin1(publisherAddress()), platformFont(13),
                    clMaroon, Qt::PointingHandCursor);
    SpeedButton1 = exitButton(Panel1, "SpeedButton1", {104, 328, 73, 30}, 15, false);
    Panel1->hide();
}

void TForm2::buildCentresPanel()
{
    Panel2 = new TPanel(this, QStringLiteral("Panel2"), 26, 6, 408, 465);
    Image3 = new TImage(Panel2, QStringLiteral("Image3"), 0, 0, 409, 464);
    Image3->setPicture(QStringLiteral(":/assets/centres_background.svg"), QSize(408, 478), true);
    Shape1 = new TShape(Panel2, QStringLiteral("Shape1"), 8, 43, 393, 414, TPenStyle::psInsideFrame, frameColour);
    Label13 = label(Panel2, "Label13", {118, 14, 164, 22}, QStringLiteral("» معرفي مراکز پاسخگو «"),
                    platformFont(19, QStringLiteral("Arial")), clGreen);
    SpeedButton2 = exitButton(Panel2, "SpeedButton2", {15, 426, 73, 30}, 13, true);

    const QFont nameFont = platformFont(13);
    const QFont linkFont = platformFont(16, QStringLiteral("Times New Roman"));
    for (int i = 0; i < centreCount; ++i) {
        const Centre& centre = centres()[i];
        nameLabels[i] = label(Panel2, centre.nameLabel, {centre.nameLeft, centre.nameTop, centre.nameWidth, 16},
                              centre.name, nameFont, clMaroon);
    }
    for (int i = 0; i < centreCount; ++i) {
        const Centre& centre = centres()[i];
        linkLabels[i] = label(Panel2, centre.linkLabel, {centre.linkLeft, centre.linkTop, centre.linkWidth, 19},
                              QString::fromLatin1(centre.caption), linkFont, clTeal, Qt::PointingHandCursor);
    }
    // The logos lie on top of one another; each is drawn at its own size.
    for (int i = 0; i < centreCount; ++i) {
        const QString name = QStringLiteral("logo%1").arg(i + 1);
        logos[i] = new TImage(Panel2, name, 16, 48, 153, 121);
        logos[i]->setPicture(QStringLiteral(":/assets/%1.svg").arg(name), QSize(146, 108));
        logos[i]->hide();
    }
    Panel2->hide();
}

void TForm2::connectHandlers()
{
    using platform::onEvent;
    onEvent(Label1, &TLabel::Click, this, &TForm2::Label1Click);
    onEvent(Label1, &TLabel::MouseMove, this, &TForm2::Label1MouseMove);
    onEvent(Label1, &TLabel::MouseLeave, this, &TForm2::Label1MouseLeave);
    onEvent(Label2, &TLabel::Click, this, &TForm2::Label2Click);
    onEvent(Label2, &TLabel::MouseMove, this, &TForm2::Label2MouseMove);
    onEvent(Label2, &TLabel::MouseLeave, this, &TForm2::Label2MouseLeave);
    onEvent(Label3, &TLabel::Click, this, &TForm2::Label3Click);
    onEvent(Label3, &TLabel::MouseMove, this, &TForm2::Label3MouseMove);
    onEvent(Label3, &TLabel::MouseLeave, this, &TForm2::Label3MouseLeave);
    onEvent(Shape2, &TShape::MouseDown, this, &TForm2::Shape2MouseDown);
    onEvent(Shape3, &TShape::MouseDown, this, &TForm2::Shape3MouseDown);
    onEvent(Label4, &TLabel::Click, this, &TForm2::Label4Click);
    onEvent(Label12, &TLabel::Click, this, &TForm2::Label4Click);
    onEvent(SpeedButton1, &QToolButton::clicked, this, &TForm2::SpeedButton1Click);
    onEvent(SpeedButton2, &QToolButton::clicked, this, &TForm2::SpeedButton2Click);
    for (int i = 0; i < centreCount; ++i) {
        onEvent(linkLabels[i], &TLabel::Click, this, centres()[i].click);
        onEvent(linkLabels[i], &TLabel::MouseMove, this, centres()[i].mouseMove);
    }
}

void TForm2::FormCreate()
{
    // The Persian layout (language 0x29, sublanguage 1) for this thread only.
    ActivateKeyboardLayout(0x0429, 0);
}

void TForm2::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever else is open.
    event->accept();
    QCoreApplication::exit(0);
}

// --- the menu

void TForm2::Label1Click()
{
    // Shown and brought to the front, normal or minimised as it was.
    Tmain* browser = Unit1::main;
    browser->show();
    browser->raise();
    browser->activateWindow();
}

void TForm2::Label2Click() { showPanel(Panel1); }
void TForm2::Label3Click() { showPanel(Panel2); }
void TForm2::Label1MouseMove() { hover(Label1, true); }
void TForm2::Label2MouseMove() { hover(Label2, true); }
void TForm2::Label3MouseMove() { hover(Label3, true); }
void TForm2::Label1MouseLeave() { hover(Label1, false); }
void TForm2::Label2MouseLeave() { hover(Label2, false); }
void TForm2::Label3MouseLeave() { hover(Label3, false); }

void TForm2::hover(TLabel* label, bool over)
{
    setFontColor(label, over ? clGreen : clMaroon);
}

void TForm2::showPanel(TPanel* panel)
{
    panel->show();
    // Qt sends the covered label its leave only where the platform reports
    // the pointer's position; a panel covers all three, so none stays green.
    for (TLabel* menu : {Label1, Label2, Label3})
        hover(menu, false);
}

// --- the hot spots and the site link

void TForm2::Shape2MouseDown() { showMinimized(); }
void TForm2::Shape3MouseDown() { close(); }

void TForm2::Label4Click()
{
    openAddress(publisherAddress());
}

// --- the panels

void TForm2::SpeedButton1Click()
{
    Panel1->hide();
    show();
    raise();
}

void TForm2::SpeedButton2Click() { Panel2->hide(); }

void TForm2::openCentre(int row)
{
    const Centre& centre = centres()[row - 1];
    openAddress(QByteArray(centre.addressPrefix) + centre.caption);
}

void TForm2::showLogo(int row)
{
    for (int i = 0; i < centreCount; ++i)
        logos[i]->setVisible(i == row - 1);
}

void TForm2::Label23Click() { openCentre(1); }
void TForm2::Label24Click() { openCentre(2); }
void TForm2::Label22Click() { openCentre(3); }
void TForm2::Label25Click() { openCentre(4); }
void TForm2::Label26Click() { openCentre(5); }
void TForm2::Label28Click() { openCentre(6); }
void TForm2::Label27Click() { openCentre(7); }
void TForm2::Label29Click() { openCentre(8); }
void TForm2::Label23MouseMove() { showLogo(1); }
void TForm2::Label24MouseMove() { showLogo(2); }
void TForm2::Label22MouseMove() { showLogo(3); }
void TForm2::Label25MouseMove() { showLogo(4); }
void TForm2::Label26MouseMove() { showLogo(5); }
void TForm2::Label28MouseMove() { showLogo(6); }
void TForm2::Label27MouseMove() { showLogo(7); }
void TForm2::Label29MouseMove() { showLogo(8); }
