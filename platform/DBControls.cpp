#include "platform/DBControls.h"

#include "platform/Controls.h"
#include "platform/Events.h"
#include "platform/TADODataSet.h"
#include "platform/TDataSource.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCache>
#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextLayout>

// --- DataLink

void DataLink::bind(QObject* control, TDataSource* source, const QString& field, std::function<void()> refresh)
{
    dataSource = source;
    dataField = field;
    if (TCustomADODataSet* set = source->DataSet())
        set->requireField(field, control->objectName());
    QObject::connect(source, &TDataSource::dataSetChanged, control, refresh);
    QObject::connect(source, &TDataSource::recordChanged, control, refresh);
    refresh();
}

TCustomADODataSet* DataLink::dataSet() const
{
    return dataSource ? dataSource->DataSet() : nullptr;
}

QString DataLink::fieldText() const
{
    TCustomADODataSet* set = dataSet();
    return set && set->Active() ? set->FieldText(dataField) : QString();
}

// --- scroll bars

namespace {
// A scroll bar that keeps its last picture. The style paints a scroll bar
// with gradients, which Qt's raster engine hands to its thread pool once a
// fill spans about a hundred lines, and handing the work over and waiting
// for it takes longer than the painting itself; yet a view shown again, or
// a step that leaves a pane's range alone, paints the very same picture.
// While the pointer is over the bar or presses it, the bar paints itself as
// usual, since only it knows which of its parts is hovered or pressed.
class PictureKeepingScrollBar : public QScrollBar {
public:
    PictureKeepingScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (pressed || underMouse()) {
            QScrollBar::paintEvent(event);
            return;
        }
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls = QStyle::SC_All;
        option.activeSubControls = QStyle::SC_None;
        if (!shows(option))
            paintPicture(option);
        QPainter(this).drawPixmap(0, 0, picture);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        pressed = true;
        QScrollBar::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        pressed = false;
        QScrollBar::mouseReleaseEvent(event);
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::StyleChange)
            picture = QPixmap();
        QScrollBar::changeEvent(event);
    }

private:
    void paintPicture(const QStyleOptionSlider& option)
    {
        const qreal ratio = devicePixelRatioF();
        picture = QPixmap(size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
        shown = option;
    }

    bool shows(const QStyleOptionSlider& option) const
    {
        return !picture.isNull() && option.rect == shown.rect && option.state == shown.state &&
               option.direction == shown.direction && option.palette.cacheKey() == shown.palette.cacheKey() &&
               option.minimum == shown.minimum && option.maximum == shown.maximum &&
               option.sliderPosition == shown.sliderPosition && option.sliderValue == shown.sliderValue &&
               option.pageStep == shown.pageStep && option.singleStep == shown.singleStep &&
               option.upsideDown == shown.upsideDown && option.orientation == shown.orientation;
    }

    QPixmap picture;
    QStyleOptionSlider shown;
    bool pressed = false;
};

void keepScrollBarPictures(QAbstractScrollArea* area)
{
    area->setVerticalScrollBar(new PictureKeepingScrollBar(Qt::Vertical, area));
    area->setHorizontalScrollBar(new PictureKeepingScrollBar(Qt::Horizontal, area));
}
} // namespace

// --- TDBText

TDBText::TDBText(QWidget* parent, const QString& name, int left, int top, int width, int height) : QLabel(parent)
{
    placeControl(this, name, left, top, width, height);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
}

void TDBText::bind(TDataSource* source, const QString& field)
{
    link.bind(this, source, field, [this] { setText(link.fieldText()); });
}

// --- TDBMemo

// The layout of a pane's text. Qt's plain-text layout lets go of a
// paragraph's shaped glyphs as soon as it has laid the paragraph out, and
// again after every paint, so each repaint of a pane shaped its Persian text
// anew: once for the layout, once per paint, and once more whenever a
// category's panes were shown again. A pane holds one record's text, so its
// paragraphs keep their glyphs until the text or its font changes.
class PaneLayout : public QPlainTextDocumentLayout {
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    // Qt's setPlainText moves a cursor over the new text before it tells the
    // layout of the change, and the cursor has its first paragraph laid out,
    // which the change then throws away. While a pane's text is replaced,
    // nothing is laid out until the new text has arrived.
    void replaceText(QPlainTextEdit& pane, const QString& text)
    {
        awaitingText = true;
        pane.setPlainText(text);
        awaitingText = false;
    }

    QRectF blockBoundingRect(const QTextBlock& block) const override
    {
        return awaitingText ? QRectF() : QPlainTextDocumentLayout::blockBoundingRect(block);
    }

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override
    {
        if (charsAdded > 0)
            awaitingText = false;
        for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= from + charsAdded;
             block = block.next())
            block.layout()->setCacheEnabled(true);
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
    }

private:
    bool awaitingText = false;
};

TDBMemo::TDBMemo(QWidget* parent, const QString& name, int left, int top, int width, int height)
    : QPlainTextEdit(parent)
{
    auto* text = new QTextDocument(this);
    paneLayout = new PaneLayout(text);
    text->setDocumentLayout(paneLayout);
    setDocument(text);
    keepScrollBarPictures(this);
    placeControl(this, name, left, top, width, height);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The book is only read: text can be selected and copied, never changed.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    // A found match stays visible while another window has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
}

void TDBMemo::bind(TDataSource* source, const QString& field)
{
    link.bind(this, source, field, [this] { showField(); });
}

void TDBMemo::showField()
{
    // Whatever line breaks the book stored (CR LF, LF or CR), each is one
    // line break in the pane.
    QString text = link.fieldText();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    paneLayout->replaceText(*this, text);
}

// --- TDBGrid

namespace {
// The row indicator points from the margin at the current record.
const QString currentRecordIndicator = QStringLiteral("◀");
} // namespace

class DBGridModel : public QAbstractTableModel {
public:
    DBGridModel(QObject* parent, const DataLink& link, QString title) : QAbstractTableModel(parent), link(link), title(std::move(title)) {}

    int rowCount(const QModelIndex& parent = {}) const override
    {
        TCustomADODataSet* set = link.dataSet();
        return parent.isValid() || !set || !set->Active() ? 0 : set->RecordCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 1; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        return link.dataSet()->listText(index.row());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Horizontal)
            return title;
        TCustomADODataSet* set = link.dataSet();
        return set && set->RecNo() == section ? currentRecordIndicator : QString();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

    void reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    const DataLink& link;
    QString title;
};

// The margin beside the rows shows nothing but the indicator of the current
// record, so its width is that of the indicator whatever the rows hold.
// Qt's own header measures up to two hundred rows for its width, and the
// list asks for it again after every move of the current record.
class IndicatorHeader : public QHeaderView {
public:
    explicit IndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}

    // Repaints the margin of the row that lost the indicator and of the one
    // that has it now. The model announces no header change for this: a
    // list answers one by laying out and repainting all its rows and both
    // headers.
    void indicate(int row)
    {
        for (int section : {indicated, row}) {
            if (section >= 0 && section < count())
                updateSection(section);
        }
        indicated = row;
    }
    // After a reset every section is repainted and none is indicated yet.
    void forgetIndicated() { indicated = -1; }

    QSize sizeHint() const override
    {
        if (!measured.isValid()) {
            ensurePolished();
            QStyleOptionHeader option;
            initStyleOption(&option);
            QFont bold = font();
            bold.setBold(true); // as Qt measures a header section
            option.fontMetrics = QFontMetrics(bold);
            option.text = currentRecordIndicator;
            measured = style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
        }
        return measured;
    }

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            measured = QSize();
        QHeaderView::changeEvent(event);
    }

private:
    mutable QSize measured;
    int indicated = -1;
};

// Paints a title cell as Qt's item style does, but shapes its title once.
// The style shapes a cell's text twice on every paint (once to elide it,
// once to draw it), and the list repaints cells whose titles did not change
// whenever it is shown or the current record moves. The laid-out titles of
// the rows painted last are kept, each with the text, width and font it was
// laid out for.
class TitleDelegate : public QStyledItemDelegate {
public:
    explicit TitleDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QString text = cell.text;
        // The background, the selection and the focus frame; the text rect
        // does not depend on the text, as the cell shows nothing else.
        cell.text.clear();
        const QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
        if (text.isEmpty())
            return;
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
        const QRect textRect =
            style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget).adjusted(margin, 0, -margin, 0);
        const ShapedTitle& title = shaped(index.row(), text, cell, textRect.width());
        // Centred as the style centres it: on the whole pixels of its height.
        const int top = textRect.top() + (textRect.height() - int(title.height)) / 2;

        painter->save();
        painter->setClipRect(cell.rect);
        painter->setPen(cell.palette.color(colourGroup(cell), cell.state & QStyle::State_Selected
                                                                  ? QPalette::HighlightedText
                                                                  : QPalette::Text));
        title.layout.draw(painter, QPointF(textRect.x(), top));
        painter->restore();
    }

    void forget() { titles.clear(); }

private:
    struct ShapedTitle {
        QString text;
        int width = 0;
        QFont font;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        QTextLayout layout;
        qreal height = 0;
    };

    static QPalette::ColorGroup colourGroup(const QStyleOptionViewItem& cell)
    {
        if (!(cell.state & QStyle::State_Enabled))
            return QPalette::Disabled;
        return cell.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
    }

    const ShapedTitle& shaped(int row, const QString& text, const QStyleOptionViewItem& cell, int width) const
    {
        ShapedTitle* title = titles.object(row);
        if (title && title->text == text && title->width == width && title->font == cell.font &&
            title->direction == cell.direction)
            return *title;
        title = new ShapedTitle;
        title->text = text;
        title->width = width;
        title->font = cell.font;
        title->direction = cell.direction;
        layOut(*title, cell);
        titles.insert(row, title);
        return *title;
    }

    // One line, elided at its end when it is wider than the cell, aligned
    // in the reading order.
    static void layOut(ShapedTitle& title, const QStyleOptionViewItem& cell)
    {
        QTextOption textOption;
        textOption.setWrapMode(QTextOption::ManualWrap);
        textOption.setTextDirection(cell.direction);
        textOption.setAlignment(QStyle::visualAlignment(cell.direction, cell.displayAlignment));
        const QString shown = QFontMetrics(cell.font).elidedText(title.text, cell.textElideMode, title.width);
        title.layout.setText(shown);
        title.layout.setFont(cell.font);
        title.layout.setTextOption(textOption);
        title.layout.setCacheEnabled(true);
        title.layout.beginLayout();
        QTextLine line = title.layout.createLine();
        line.setLineWidth(title.width);
        line.setPosition(QPointF(0, 0));
        title.layout.endLayout();
        title.height = line.height();
    }

    // About two screens of rows.
    mutable QCache<int, ShapedTitle> titles{64};
};

namespace {
// A row holds one line of the cell font and the grid's margins. The line is
// that of the font's character height, as the platform's fonts have it:
// the Persian faces that stand in for them carry a line nearly twice as tall
// (room for stacked marks), which would leave a list half as many rows.
int listRowHeight(const QFont& font)
{
    const int line = font.pixelSize() > 0 ? qRound(font.pixelSize() * 1.25) : QFontMetrics(font).height();
    return line + 4;
}
} // namespace

TDBGrid::TDBGrid(QWidget* parent, const QString& name, int left, int top, int width, int height) : QTableView(parent)
{
    placeControl(this, name, left, top, width, height);
    keepScrollBarPictures(this);
    indicator = new IndicatorHeader(this);
    setVerticalHeader(indicator);
    titles = new TitleDelegate(this);
    setItemDelegate(titles);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Cells never enter editing, and Tab leaves the list instead of walking it.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
}

void TDBGrid::bind(TDataSource* source, const QString& field, const QString& title)
{
    if (TCustomADODataSet* set = source->DataSet())
        set->setListField(field);
    gridModel = new DBGridModel(this, link, title);
    setModel(gridModel);
    verticalHeader()->setMinimumSectionSize(listRowHeight(font()));
    verticalHeader()->setDefaultSectionSize(listRowHeight(font()));
    horizontalHeader()->setFixedHeight(listRowHeight(horizontalHeader()->font()));
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& index) {
        TCustomADODataSet* set = link.dataSet();
        if (set && index.isValid() && index.row() != set->RecNo())
            platform::guarded([&] { set->moveTo(index.row()); });
    });
    connect(source, &TDataSource::dataSetChanged, this, [this] {
        gridModel->reset();
        titles->forget();
        indicator->forgetIndicated();
        followCurrentRecord();
    });
    link.bind(this, source, field, [this] { followCurrentRecord(); });
}

QModelIndex TDBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action == MoveHome || action == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void TDBGrid::followCurrentRecord()
{
    TCustomADODataSet* set = link.dataSet();
    const int row = set ? set->RecNo() : -1;
    indicator->indicate(row);
    if (row < 0 || row >= gridModel->rowCount())
        return;
    const QModelIndex index = gridModel->index(row, 0);
    if (currentIndex() != index)
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}
