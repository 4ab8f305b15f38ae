#include "platform/DataLink.h"

#include "platform/TADODataSet.h"
#include "platform/TDataSource.h"

#include <QObject>

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
