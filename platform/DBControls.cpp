#include "platform/DBControls.h"

#include "platform/Controls.h"
#include "platform/Events.h"
#include "platform/TADODataSet.h"
#include "platform/TDataSource.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionHeader>

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

TDBMemo::TDBMemo(QWidget* parent, const QString& name, int left, int top, int width, int height)
    : QPlainTextEdit(parent)
{
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
    setPlainText(text);
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
        indicated = -1;
        indicateCurrent();
    }

    void indicateCurrent()
    {
        const int now = link.dataSet() ? link.dataSet()->RecNo() : -1;
        for (int row : {indicated, now}) {
            if (row >= 0 && row < rowCount())
                emit headerDataChanged(Qt::Vertical, row, row);
        }
        indicated = now;
    }

private:
    const DataLink& link;
    QString title;
    int indicated = -1;
};

namespace {

// The margin beside the rows shows nothing but the indicator of the current
// record, so its width is that of the indicator whatever the rows hold.
// Qt's own header measures up to two hundred rows for its width, and the
// list asks for it again after every move of the current record.
class IndicatorHeader : public QHeaderView {
public:
    explicit IndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}

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
};

} // namespace

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
    setVerticalHeader(new IndicatorHeader(this));
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
    gridModel->indicateCurrent();
    TCustomADODataSet* set = link.dataSet();
    const int row = set ? set->RecNo() : -1;
    if (row < 0 || row >= gridModel->rowCount())
        return;
    const QModelIndex index = gridModel->index(row, 0);
    if (currentIndex() != index)
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}
