#pragma once

#include "platform/DataLink.h"

#include <QTableView>

class TDataSource;
class DBGridModel;
class IndicatorHeader;
class TitleDelegate;

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
