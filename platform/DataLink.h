#pragma once
// The bound field of one data-aware control: the data source, the field, and
// a callback run whenever the dataset or its current record changes.

#include <QString>

#include <functional>

class QObject;
class TDataSource;
class TCustomADODataSet;

class DataLink {
public:
    // Declares the field the control needs to its dataset, so opening fails
    // with the field's name when the book lacks it.
    void bind(QObject* control, TDataSource* source, const QString& field, std::function<void()> refresh);
    TCustomADODataSet* dataSet() const;
    // The field's text in the current record; empty while the dataset is closed.
    QString fieldText() const;
    const QString& field() const { return dataField; }

private:
    TDataSource* dataSource = nullptr;
    QString dataField;
};
