// The title filter of the search box and the advanced search of the
// combined table: both rewrite the SQL of one view's query and reopen it.

#include "Unit1/Tmain.h"

#include "platform/Controls.h"
#include "platform/DBControls.h"
#include "platform/QuotedStr.h"
#include "platform/TADODataSet.h"

namespace {
QString containsPattern(const QString& text)
{
    return QuotedStr(QLatin1Char('%') + text + QLatin1Char('%'));
}
} // namespace

void Tmain::reopen(ViewRow& row, const QString& statement)
{
    row.query->SQL.Clear();
    row.query->Close();
    row.query->SQL.Add(statement);
    row.query->Open();
}

void Tmain::Edit1Change()
{
    Label8->show();
    ViewRow* row = currentView();
    if (!row || !row->isCategory())
        return;
    const QString text = Edit1->text();
    if (text.isEmpty())
        return;
    reopen(*row, row->filterPrefix + containsPattern(text));
    Label9->setCaption(QString::number(row->query->RecordCount()));
}

void Tmain::SpeedButton5Click()
{
    Label8->hide();
    ViewRow* row = currentView();
    if (!row || !row->isCategory())
        return;
    reopen(*row, row->cancelText);
    Label9->setCaption(QString());
}

void Tmain::showCombinedView()
{
    setViewVisible(view(QStringLiteral("jamkol")), true);
    for (ViewRow& row : catalogue) {
        if (row.isCategory())
            setViewVisible(row, false);
    }
}

void Tmain::SpeedButton8Click()
{
    Panel1->show();
    // As the Tab key would: the window is activated and the box's whole
    // text is selected, so typing replaces it. An inactive window gets the
    // focus only once the window system has activated it, and then not as
    // from the Tab key, so the text is selected here rather than left to
    // the focus change.
    activateWindow();
    ebarat->setFocus(Qt::TabFocusReason);
    ebarat->selectAll();
    showCombinedView();
}

void Tmain::SpeedButton9Click()
{
    const QString field = RadioButton1->isChecked() ? QStringLiteral("porsesh") : QStringLiteral("pasokh");
    const QString text = ebarat->text();
    if (text.isEmpty())
        return;
    ViewRow& combined = view(QStringLiteral("jamkol"));
    reopen(combined, QStringLiteral("SELECT * FROM jamkol where %1 like ").arg(field) + containsPattern(text));
    setViewVisible(combined, true);
    for (ViewRow& row : catalogue) {
        if (row.isCategory())
            row.titleText->hide();
    }
}

void Tmain::SpeedButton10Click()
{
    showCategory(view(QStringLiteral("kolliyat")));
}
