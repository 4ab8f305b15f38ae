#include "platform/TDBGrid.h"

#include "platform/Controls.h"
#include "platform/Events.h"
#include "platform/ScrollBars.h"
#include "platform/TADODataSet.h"
#include "platform/TDataSource.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCache>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTextLayout>

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
