#include "Unit1/Tmain.h"

#include "Unit1/Publisher.h"
#include "data/NamazData.h"
#include "platform/Controls.h"
#include "platform/DBControls.h"
#include "platform/Events.h"
#include "platform/ShellApi.h"
#include "platform/TADODataSet.h"

#include <QHeaderView>

namespace {

constexpr TColor paneBackground = 13495285; // red 245, green 235, blue 205
constexpr TColor editBackground = 14873081; // red 249, green 241, blue 226
constexpr TColor darkGreen = 16384;         // red 0, green 64, blue 0

TSpeedButton* toolButton(QWidget* parent, const char* name, int left, int top, int width, int height,
                         const QString& caption, int pixels, TColor colour, bool flat = true)
{
    auto* button = new TSpeedButton(parent, QLatin1String(name), left, top, width, height, caption, flat);
    button->setFont(platformFont(pixels));
    setFontColor(button, colour);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

TDBMemo* pane(QWidget* parent, const QString& name, int left, int top, int width, int height, int pixels,
              TColor colour, Qt::ScrollBarPolicy verticalBar)
{
    auto* memo = new TDBMemo(parent, name, left, top, width, height);
    memo->setFont(platformFont(pixels));
    setBackgroundColor(memo->viewport(), paneBackground);
    setFontColor(memo, colour);
    memo->setVerticalScrollBarPolicy(verticalBar);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return memo;
}

TDBGrid* titleList(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    auto* grid = new TDBGrid(parent, name, left, top, width, height);
    grid->setFont(platformFont(12));
    setFontColor(grid, clWindowText);
    setFontColor(grid->horizontalHeader(), clMaroon);
    grid->horizontalHeader()->setFont(platformFont(12));
    return grid;
}

} // namespace

Tmain::Tmain() : catalogue(describeCatalogue())
{
    data = std::make_unique<NamazData>(this, catalogue);
    buildWindow();
    data->openAll();
    platform::guarded([this] { FormCreate(); });
}

Tmain::~Tmain() = default;

void Tmain::buildWindow()
{
    setUpBorderlessWindow(this, QStringLiteral("main"), productTitle(), QSize(865, 682));
    setFont(platformFont(12));

    Image1 = new TImage(this, QStringLiteral("Image1"), 0, 0, 865, 682);
    Image1->setPicture(QStringLiteral(":/assets/browser_background.svg"), QSize(865, 682));
    // The form places the marker beside the last label; FormCreate moves it.
    Image2 = new TImage(this, QStringLiteral("Image2"), markerLeft, 277, 165, 28);
    Image2->setPicture(QStringLiteral(":/assets/marker.svg"), QSize(165, 28));
    buildCategoryLabels();
    Label2 = new TLabel(this, QStringLiteral("Label2"), 539, 116, 43, 18);
    Label2->setFont(platformFont(15));
    setFontColor(Label2, darkGreen);
    Label2->setCaption(QStringLiteral("موضوع"));

    for (ViewRow& row : catalogue) {
        if (row.isCategory())
            buildViewControls(row);
    }
    buildSearchBox();
    buildButtons();
    buildWindowControls();
    buildSearchPanel();
    buildViewControls(view(QStringLiteral("jamkol")));
    buildDialogs();
    setTabOrder();
    hideAtLoad();
    connectHandlers();
}

void Tmain::buildCategoryLabels()
{
    struct Place {
        int left, top, width;
    };
    const Place places[] = {{694, 111, 90}, {685, 147, 105}, {678, 179, 123},
                            {680, 213, 117}, {665, 246, 148}, {679, 281, 118}};
    int index = 0;
    for (ViewRow& row : catalogue) {
        if (!row.isCategory())
            continue;
        const Place& place = places[index++];
        row.label = new TLabel(this, row.labelName, place.left, place.top, place.width, 18);
        row.label->setFont(platformFont(15));
        setFontColor(row.label, clMaroon);
        row.label->setCursor(Qt::PointingHandCursor);
        row.label->setCaption(row.caption);
    }
}

void Tmain::buildViewControls(ViewRow& row)
{
    row.titleText = new TDBText(this, row.titleTextName(), 288, 120, 217, 17);
    row.titleText->setFont(platformFont(12));
    setFontColor(row.titleText, clMaroon);
    row.questionPane = pane(this, row.questionPaneName(), 40, 152, 513, 97, 13, clNavy, Qt::ScrollBarAlwaysOff);
    row.answerPane = pane(this, row.answerPaneName(), 32, 272, 521, 201, 13, clMaroon, Qt::ScrollBarAlwaysOn);
    row.footnotePane = pane(this, row.footnotePaneName, 40, 496, 513, 97, 12, clOlive, Qt::ScrollBarAlwaysOn);
    if (row.isCategory())
        row.list = titleList(this, row.listName(), 656, 456, 169, 211);
    else
        row.list = titleList(Panel1, row.listName(), 41, 192, 189, 160);

    row.titleText->bind(row.dataSource, QStringLiteral("kholase"));
    row.questionPane->bind(row.dataSource, QStringLiteral("porsesh"));
    row.answerPane->bind(row.dataSource, QStringLiteral("pasokh"));
    row.footnotePane->bind(row.dataSource, QStringLiteral("pavaraghi"));
    row.list->bind(row.dataSource, QStringLiteral("kholase"), QStringLiteral("عنوان پرسش ها"));
}

void Tmain::buildSearchBox()
{
    Edit1 = new TEdit(this, QStringLiteral("Edit1"), 704, 376, 106, 19, QStringLiteral("جستجو...."));
    Edit1->setFont(platformFont(13));
    setBackgroundColor(Edit1, editBackground);
    setFontColor(Edit1, clOlive);
    Label8 = new TLabel(this, QStringLiteral("Label8"), 713, 406, 122, 13);
    Label8->setFont(platformFont(11));
    setFontColor(Label8, darkGreen);
    Label8->setCaption(QStringLiteral("تعداد رکورد هاي يافت شده"));
    // Grows to the left from its right edge at 681 as the number gets longer.
    Label9 = new TLabel(this, QStringLiteral("Label9"), 677, 403, 4, 14);
}

void Tmain::buildButtons()
{
    SpeedButton1 = toolButton(this, "SpeedButton1", 346, 611, 97, 28, QStringLiteral("سوال قبلي"), 12, clMaroon);
    SpeedButton1->setGlyph(QStringLiteral(":/assets/glyph_prev.svg"), 16);
    SpeedButton2 = toolButton(this, "SpeedButton2", 448, 611, 97, 28, QStringLiteral("سوال بعدي"), 12, clMaroon);
    SpeedButton2->setGlyph(QStringLiteral(":/assets/glyph_next.svg"), 16);
    SpeedButton3 = toolButton(this, "SpeedButton3", 244, 611, 97, 28, QStringLiteral("اولين سوال"), 12, clMaroon);
    SpeedButton3->setGlyph(QStringLiteral(":/assets/glyph_first.svg"), 16);
    SpeedButton4 = toolButton(this, "SpeedButton4", 142, 611, 97, 28, QStringLiteral("آخرين سوال"), 12, clMaroon);
    SpeedButton4->setGlyph(QStringLiteral(":/assets/glyph_last.svg"), 16);
    SpeedButton7 = toolButton(this, "SpeedButton7", 40, 611, 97, 28, QStringLiteral("تنظيمات"), 12, clMaroon);
    SpeedButton7->setGlyph(QStringLiteral(":/assets/glyph_settings.svg"), 16);
    SpeedButton5 = toolButton(this, "SpeedButton5", 664, 373, 35, 22, QStringLiteral("لغو "), 12, clRed);
    SpeedButton6 = toolButton(this, "SpeedButton6", 763, 424, 89, 31, QStringLiteral("جستجو در متن"), 12, clMaroon);
    SpeedButton8 = toolButton(this, "SpeedButton8", 632, 424, 121, 31, QStringLiteral("جستجوي پيشرفته"), 11, clMaroon);
    SpeedButton8->setGlyph(QStringLiteral(":/assets/glyph_advanced.svg"), 24);
    SpeedButton8->setCursor(Qt::ArrowCursor);
}

void Tmain::buildWindowControls()
{
    Image4 = new TImage(this, QStringLiteral("Image4"), 827, 15, 17, 17);
    Image4->setPicture(QStringLiteral(":/assets/close.svg"), QSize(17, 17));
    Image5 = new TImage(this, QStringLiteral("Image5"), 801, 15, 17, 17);
    Image5->setPicture(QStringLiteral(":/assets/minimise.svg"), QSize(17, 17));
    Shape1 = new TShape(this, QStringLiteral("Shape1"), 244, 656, 137, 25);
    Shape2 = new TShape(this, QStringLiteral("Shape2"), 826, 15, 17, 17);
    Shape3 = new TShape(this, QStringLiteral("Shape3"), 800, 16, 17, 17);
    Shape4 = new TShape(this, QStringLiteral("Shape4"), 20, 9, 137, 128);
    for (QWidget* control : {static_cast<QWidget*>(Image4), static_cast<QWidget*>(Image5),
                             static_cast<QWidget*>(Shape1), static_cast<QWidget*>(Shape2),
                             static_cast<QWidget*>(Shape3), static_cast<QWidget*>(Shape4)})
        control->setCursor(Qt::PointingHandCursor);
}

void Tmain::buildSearchPanel()
{
    Panel1 = new TPanel(this, QStringLiteral("Panel1"), 610, 315, 255, 368);
    Image3 = new TImage(Panel1, QStringLiteral("Image3"), 0, 0, 255, 368);
    Image3->setPicture(QStringLiteral(":/assets/search_panel.svg"), QSize(255, 368));
    ebarat = new TEdit(Panel1, QStringLiteral("ebarat"), 56, 61, 143, 22, QStringLiteral("جستجو"));
    ebarat->setFont(platformFont(12));
    setBackgroundColor(ebarat, editBackground);
    setFontColor(ebarat, clOlive);
    GroupBox1 = new TGroupBox(Panel1, QStringLiteral("GroupBox1"), 40, 96, 193, 89, QStringLiteral("  تنظيمات   "));
    GroupBox1->setAutoFillBackground(true);
    RadioButton1 = new TRadioButton(GroupBox1, QStringLiteral("RadioButton1"), 72, 16, 113, 17,
                                    QStringLiteral("جستجو در پرسش"));
    RadioButton1->setChecked(true);
    RadioButton2 = new TRadioButton(GroupBox1, QStringLiteral("RadioButton2"), 72, 40, 113, 17,
                                    QStringLiteral("جستجو در پاسخ"));
    SpeedButton9 = new TSpeedButton(GroupBox1, QStringLiteral("SpeedButton9"), 120, 62, 49, 22,
                                    QStringLiteral("جستجو"), false);
    SpeedButton10 = new TSpeedButton(GroupBox1, QStringLiteral("SpeedButton10"), 32, 62, 57, 22,
                                     QStringLiteral("لغو"), false);
}

void Tmain::setTabOrder()
{
    QList<QWidget*> order{Edit1};
    for (ViewRow& row : catalogue) {
        if (!row.isCategory())
            continue;
        // The first category lists its title list first, the others last.
        if (&row == &catalogue.front())
            order << row.list << row.questionPane << row.answerPane << row.footnotePane;
        else
            order << row.questionPane << row.answerPane << row.footnotePane << row.list;
    }
    ViewRow& combined = view(QStringLiteral("jamkol"));
    order << ebarat << combined.list << RadioButton1 << RadioButton2;
    order << combined.questionPane << combined.answerPane << combined.footnotePane;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Tmain::hideAtLoad()
{
    for (ViewRow& row : catalogue)
        setViewVisible(row, false);
    Label8->hide();
    Panel1->hide();
}

void Tmain::connectHandlers()
{
    using platform::onEvent;
    const auto labelHandlers = std::array{
        std::tuple{&Tmain::Label1Click, &Tmain::Label1MouseMove, &Tmain::Label1MouseLeave},
        std::tuple{&Tmain::Label3Click, &Tmain::Label3MouseMove, &Tmain::Label3MouseLeave},
        std::tuple{&Tmain::Label6Click, &Tmain::Label6MouseMove, &Tmain::Label6MouseLeave},
        std::tuple{&Tmain::Label4Click, &Tmain::Label4MouseMove, &Tmain::Label4MouseLeave},
        std::tuple{&Tmain::Label5Click, &Tmain::Label5MouseMove, &Tmain::Label5MouseLeave},
        std::tuple{&Tmain::Label7Click, &Tmain::Label7MouseMove, &Tmain::Label7MouseLeave},
    };
    for (int i = 0; i < int(labelHandlers.size()); ++i) {
        const auto& [click, move, leave] = labelHandlers[i];
        TLabel* label = catalogue[i].label;
        onEvent(label, &TLabel::Click, this, click);
        onEvent(label, &TLabel::MouseMove, this, move);
        onEvent(label, &TLabel::MouseLeave, this, leave);
    }
    onEvent(SpeedButton1, &QToolButton::clicked, this, &Tmain::SpeedButton1Click);
    onEvent(SpeedButton2, &QToolButton::clicked, this, &Tmain::SpeedButton2Click);
    onEvent(SpeedButton3, &QToolButton::clicked, this, &Tmain::SpeedButton3Click);
    onEvent(SpeedButton4, &QToolButton::clicked, this, &Tmain::SpeedButton4Click);
    // Connected after the initial text is set, so only later changes filter.
    onEvent(Edit1, &QLineEdit::textChanged, this, &Tmain::Edit1Change);
    onEvent(SpeedButton5, &QToolButton::clicked, this, &Tmain::SpeedButton5Click);
    onEvent(SpeedButton6, &QToolButton::clicked, this, &Tmain::SpeedButton6Click);
    onEvent(SpeedButton7, &QToolButton::clicked, this, &Tmain::SpeedButton7Click);
    onEvent(SpeedButton8, &QToolButton::clicked, this, &Tmain::SpeedButton8Click);
    onEvent(SpeedButton9, &QToolButton::clicked, this, &Tmain::SpeedButton9Click);
    onEvent(SpeedButton10, &QToolButton::clicked, this, &Tmain::SpeedButton10Click);
    onEvent(Image4, &TImage::Click, this, &Tmain::Image4Click);
    onEvent(Image5, &TImage::Click, this, &Tmain::Image5Click);
    onEvent(Shape1, &TShape::MouseDown, this, &Tmain::Shape1MouseDown);
    onEvent(Shape4, &TShape::MouseDown, this, &Tmain::Shape1MouseDown);
    onEvent(Shape2, &TShape::MouseDown, this, &Tmain::Shape2MouseDown);
    onEvent(Shape3, &TShape::MouseDown, this, &Tmain::Shape3MouseDown);
}

// --- the current view

ViewRow* Tmain::currentView()
{
    for (ViewRow& row : catalogue) {
        // isHidden, not isVisible: the view stays current while the window is hidden.
        if (row.answerPane && !row.answerPane->isHidden())
            return &row;
    }
    return nullptr;
}

ViewRow& Tmain::view(const QString& table)
{
    for (ViewRow& row : catalogue) {
        if (row.table == table)
            return row;
    }
    Q_UNREACHABLE();
}

void Tmain::setViewVisible(ViewRow& row, bool visible)
{
    row.titleText->setVisible(visible);
    row.questionPane->setVisible(visible);
    row.answerPane->setVisible(visible);
    row.footnotePane->setVisible(visible);
    // The combined list shows and hides with its panel.
    if (row.isCategory())
        row.list->setVisible(visible);
}

void Tmain::showCategory(ViewRow& chosen)
{
    Label8->hide();
    Image2->move(markerLeft, chosen.markerTop);
    setViewVisible(chosen, true);
    for (ViewRow& row : catalogue) {
        if (row.isCategory() && &row != &chosen)
            setViewVisible(row, false);
    }
    Panel1->hide();
    setViewVisible(view(QStringLiteral("jamkol")), false);
}

void Tmain::hover(ViewRow& row, bool over)
{
    setFontColor(row.label, over ? clGreen : clMaroon);
}

void Tmain::FormCreate()
{
    Label1Click();
}

void Tmain::Label1Click() { showCategory(view(QStringLiteral("kolliyat"))); }
void Tmain::Label3Click() { showCategory(view(QStringLiteral("moghadamat"))); }
void Tmain::Label6Click() { showCategory(view(QStringLiteral("vajeb"))); }
void Tmain::Label4Click() { showCategory(view(QStringLiteral("mostahab"))); }
void Tmain::Label5Click() { showCategory(view(QStringLiteral("namaz"))); }
void Tmain::Label7Click() { showCategory(view(QStringLiteral("motefareghe"))); }
void Tmain::Label1MouseMove() { hover(view(QStringLiteral("kolliyat")), true); }
void Tmain::Label3MouseMove() { hover(view(QStringLiteral("moghadamat")), true); }
void Tmain::Label6MouseMove() { hover(view(QStringLiteral("vajeb")), true); }
void Tmain::Label4MouseMove() { hover(view(QStringLiteral("mostahab")), true); }
void Tmain::Label5MouseMove() { hover(view(QStringLiteral("namaz")), true); }
void Tmain::Label7MouseMove() { hover(view(QStringLiteral("motefareghe")), true); }
void Tmain::Label1MouseLeave() { hover(view(QStringLiteral("kolliyat")), false); }
void Tmain::Label3MouseLeave() { hover(view(QStringLiteral("moghadamat")), false); }
void Tmain::Label6MouseLeave() { hover(view(QStringLiteral("vajeb")), false); }
void Tmain::Label4MouseLeave() { hover(view(QStringLiteral("mostahab")), false); }
void Tmain::Label5MouseLeave() { hover(view(QStringLiteral("namaz")), false); }
void Tmain::Label7MouseLeave() { hover(view(QStringLiteral("motefareghe")), false); }

// --- record navigation: the current view's query moves; its controls follow.

void Tmain::moveCurrentView(void (TCustomADODataSet::*move)())
{
    if (ViewRow* row = currentView())
        (row->query->*move)();
}

void Tmain::SpeedButton1Click() { moveCurrentView(&TCustomADODataSet::Prior); }
void Tmain::SpeedButton2Click() { moveCurrentView(&TCustomADODataSet::Next); }
void Tmain::SpeedButton3Click() { moveCurrentView(&TCustomADODataSet::First); }
void Tmain::SpeedButton4Click() { moveCurrentView(&TCustomADODataSet::Last); }

// --- the window's own controls

void Tmain::Image4Click() { close(); }
void Tmain::Shape2MouseDown() { close(); }
void Tmain::Image5Click() { showMinimized(); }
void Tmain::Shape3MouseDown() { showMinimized(); }

void Tmain::Shape1MouseDown()
{
    ShellExecuteA(applicationWindow(), "open", publisherAddress(), nullptr, nullptr, SW_SHOWNORMAL);
}
