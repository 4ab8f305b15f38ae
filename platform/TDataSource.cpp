#include "platform/TDataSource.h"

#include "platform/TADODataSet.h"

TDataSource::TDataSource(QObject* owner, const QString& name) : QObject(owner)
{
    setObjectName(name);
}

void TDataSource::setDataSet(TCustomADODataSet* set)
{
    if (dataSet)
        disconnect(dataSet, nullptr, this, nullptr);
    dataSet = set;
    if (set) {
        connect(set, &TCustomADODataSet::dataSetChanged, this, &TDataSource::dataSetChanged);
        connect(set, &TCustomADODataSet::recordChanged, this, &TDataSource::recordChanged);
    }
    emit dataSetChanged();
}
