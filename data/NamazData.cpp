#include "data/NamazData.h"

#include "platform/Events.h"
#include "platform/TADOConnection.h"
#include "platform/TADODataSet.h"
#include "platform/TDataSource.h"

namespace {

TDataSource* dataSourceOf(QObject* owner, const QString& name, TCustomADODataSet* set)
{
    auto* source = new TDataSource(owner, name);
    source->setDataSet(set);
    return source;
}

} // namespace

NamazData::NamazData(QObject* owner, Catalogue& catalogue)
    : ADOConnection1(new TADOConnection(owner, QStringLiteral("ADOConnection1"))), views(catalogue)
{
    ADOConnection1->ConnectionString =
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=namaz.mdb;Persist Security Info=False");
    ADOConnection1->Provider = QStringLiteral("Microsoft.Jet.OLEDB.4.0");
    ADOConnection1->LoginPrompt = false;

    for (ViewRow& row : views) {
        row.storedQueryTable = new TADOTable(owner, row.tableComponentName);
        row.storedQueryTable->Connection = ADOConnection1;
        row.storedQueryTable->TableName = row.storedQuery;
        row.storedQuerySource = dataSourceOf(owner, row.storedDataSourceName, row.storedQueryTable);

        row.query = new TADOQuery(owner, row.queryName);
        row.query->Connection = ADOConnection1;
        row.query->DataSource = row.storedQuerySource;
        row.query->SQL.Add(QStringLiteral("SELECT *"));
        row.query->SQL.Add(QStringLiteral("FROM %1;").arg(row.table));
        row.dataSource = dataSourceOf(owner, row.dataSourceName, row.query);
    }
}

void NamazData::openAll()
{
    platform::guarded([this] { ADOConnection1->setConnected(true); });
    for (ViewRow& row : views) {
        platform::guarded([&] { row.storedQueryTable->Open(); });
        platform::guarded([&] { row.query->Open(); });
    }
}
