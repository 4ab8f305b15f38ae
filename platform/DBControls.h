#pragma once
// Data-aware controls: each shows its field of the current record of its
// data source's dataset and holds no text of its own. The reader only reads
// the book, so none of them can change what it shows.

#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>

class TDataSource;
class TCustomADODataSet;
class DBGridModel;
class IndicatorHeader;
class PaneLayout;
class TitleDelegate;

// The bound fields of one control: the data source, the field, and a
// callback run whenever the dataset or its current record changes.
class DataLink {
public:
    void bind(QObject* control, TDataSource* source, const QString& field, std::function<void()> refresh);
    TCustomADODataSet* dataSet() const;
    // The field's text in the current record; empty while the dataset is closed.
    QString fieldText() const;
    const QString& field() const { return dataField; }

private:
    TDataSource* dataSource = nullptr;
    QString dataField;
};

class TDBText : public QLabel {
    Q_OBJECT
public:
    TDBText(QWidget* parent, const QString& name, int left, int top, int width, int height);
    void bind(TDataSource* source, const QString& field);

private:
    DataLink link;
};

class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    TDBMemo(QWidget* parent, const QString& name, int left, int top, int width, int height);
    void bind(TDataSource* source, const QString& field);

private:
    void showField();
    DataLink link;
    PaneLayout* paneLayout = nullptr;
};

// A title list: one column, a title row, the row indicator beside the
// current record. Clicking a row or moving with the keys makes it current.
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    TDBGrid(QWidget* parent, const QString& name, int left, int top, int width, int height);
    void bind(TDataSource* source, const QString& field, const QString& title);

protected:
    // The rows are selected whole, so Home and End go to the first and the
    // last record, not to the first and last cell of the row.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void followCurrentRecord();
    DataLink link;
    DBGridModel* gridModel = nullptr;
    IndicatorHeader* indicator = nullptr;
    TitleDelegate* titles = nullptr;
};
