#include "data/Catalogue.h"

namespace {

ViewRow category(const QString& table, const QString& shortName, int number, const QString& queryName,
                 const QString& dataSourceName, const QString& storedQuery, const QString& label,
                 const QString& caption, int findDialog, int markerTop)
{
    ViewRow row;
    row.table = table;
    row.shortName = shortName;
    row.queryName = queryName;
    row.dataSourceName = dataSourceName;
    row.tableComponentName = QStringLiteral("ADOTable%1").arg(number);
    row.storedQuery = storedQuery;
    row.storedDataSourceName = QStringLiteral("DataSource%1").arg(number);
    row.labelName = label;
    row.caption = caption;
    row.footnotePaneName = QStringLiteral("Memoma") + shortName;
    row.fontDialogName = QStringLiteral("FontDialog%1").arg(number);
    if (findDialog > 0)
        row.findDialogName = QStringLiteral("FindDialog%1").arg(findDialog);
    if (!label.isEmpty()) {
        row.filterPrefix = QStringLiteral("SELECT * FROM %1 where kholase like ").arg(table);
        row.cancelText = QStringLiteral("SELECT * FROM %1 ").arg(table);
    }
    row.markerTop = markerTop;
    return row;
}

} // namespace

Catalogue describeCatalogue()
{
    Catalogue rows = {
        category("kolliyat", "kolliyat", 1, "Qkolliyat", "Dqkolliyat", "Qkolliyat", "Label1",
                 QStringLiteral(".: کليات نماز :."), 1, 107),
        category("moghadamat", "moghadamat", 2, "Qmoghadamat", "Dmoghadamat", "Qmoghadamat", "Label3",
                 QStringLiteral(".: مقدمات نماز :."), 3, 142),
        category("vajeb", "vajeb", 3, "Qvajeb", "Dvajeb", "Qvajeb", "Label6",
                 QStringLiteral(".: نماز هاي واجب :."), 5, 176),
        category("mostahab", "mostahab", 4, "Qmostahab", "Dmostahab", "Qmostahab", "Label4",
                 QStringLiteral(".: مستحبات نماز :."), 2, 210),
        category("namaz", "namaz", 5, "Qnamaz", "Dnamaz", "Qnamaz", "Label5",
                 QStringLiteral(".: نماز هاي مستحبي :."), 4, 243),
        category("motefareghe", "motefar", 6, "Qmotefar", "Dmotefar", "Qmotefar", "Label7",
                 QStringLiteral(".: مباحث متفرقه :."), 6, 277),
        category("jamkol", "jamkol", 7, "qjamkol", "Dqjamkol", "Qjamkol", QString(), QString(), 0, 0),
    };
    // The first category's footnote pane carries a longer prefix.
    rows[0].footnotePaneName = QStringLiteral("Memomankolliyat");
    return rows;
}
