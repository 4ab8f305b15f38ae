#pragma once
// Ties data-aware controls to a dataset: they follow its current record and
// every opening and closing.

#include <QObject>
#include <QPointer>

class TCustomADODataSet;

class TDataSource : public QObject {
    Q_OBJECT
public:
    TDataSource(QObject* owner, const QString& name);

    TCustomADODataSet* DataSet() const { return dataSet; }
    void setDataSet(TCustomADODataSet* set);

signals:
    void dataSetChanged(); // opened, closed or replaced
    void recordChanged();  // the current record moved

private:
    QPointer<TCustomADODataSet> dataSet;
};
