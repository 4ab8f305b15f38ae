#pragma once
// The category catalogue: one row per view, in the order of the category
// labels from the top of the window, the combined view last. Every feature of
// the browser window finds its query, controls and dialogs through it.

#include <QString>

#include <array>

class TADOQuery;
class TADOTable;
class TDataSource;
class TLabel;
class TDBText;
class TDBMemo;
class TDBGrid;
class TFindDialog;
class TFontDialog;

struct ViewRow {
    // What the view is, by name and text.
    QString table;         // kolliyat ... jamkol
    QString shortName;     // the part of the component names after the role
    QString queryName;     // Qkolliyat ... qjamkol
    QString dataSourceName;
    QString tableComponentName; // ADOTable1 ...
    QString storedQuery;   // the stored query the table component opens
    QString storedDataSourceName;
    QString labelName;     // empty for the combined view
    QString caption;       // the category label's text
    QString footnotePaneName;
    QString fontDialogName;
    QString findDialogName; // empty for the combined view
    QString filterPrefix;  // empty for the combined view
    QString cancelText;
    int markerTop = 0;

    QString titleTextName() const { return QStringLiteral("DBText") + shortName; }
    QString questionPaneName() const { return QStringLiteral("Memopo") + shortName; }
    QString answerPaneName() const { return QStringLiteral("Memopa") + shortName; }
    QString listName() const { return QStringLiteral("DB") + shortName; }
    bool isCategory() const { return !labelName.isEmpty(); }

    // The live components, filled in as the browser window is built.
    TADOTable* storedQueryTable = nullptr;
    TDataSource* storedQuerySource = nullptr;
    TADOQuery* query = nullptr;
    TDataSource* dataSource = nullptr;
    TLabel* label = nullptr;
    TDBText* titleText = nullptr;
    TDBMemo* questionPane = nullptr;
    TDBMemo* answerPane = nullptr;
    TDBMemo* footnotePane = nullptr;
    TDBGrid* list = nullptr;
    TFontDialog* fontDialog = nullptr;
    TFindDialog* findDialog = nullptr;
};

constexpr int viewCount = 7;
using Catalogue = std::array<ViewRow, viewCount>;

// The catalogue's names and texts, with no components yet.
Catalogue describeCatalogue();

// The left edge of the category marker in every category.
constexpr int markerLeft = 658;
