// Find in the answer and the answer font.

#include "Unit1/Tmain.h"

#include "platform/Controls.h"
#include "platform/DBControls.h"
#include "platform/Events.h"
#include "platform/MessageBoxes.h"
#include "platform/TFindDialog.h"
#include "platform/TFontDialog.h"

#include <QTextBlock>

#include <algorithm>

namespace {

using FindHandler = void (Tmain::*)();
struct FindDialogHandler {
    const char* dialog;
    FindHandler handler;
};
constexpr FindDialogHandler findHandlers[] = {
    {"FindDialog1", &Tmain::FindDialog1Find}, {"FindDialog2", &Tmain::FindDialog2Find},
    {"FindDialog3", &Tmain::FindDialog3Find}, {"FindDialog4", &Tmain::FindDialog4Find},
    {"FindDialog5", &Tmain::FindDialog5Find}, {"FindDialog6", &Tmain::FindDialog6Find},
};

FindHandler findHandler(const QString& dialogName)
{
    for (const FindDialogHandler& entry : findHandlers) {
        if (dialogName == QLatin1String(entry.dialog))
            return entry.handler;
    }
    Q_UNREACHABLE();
}

// The answer as the find feature sees it: the pane's lines as shown, joined
// with CR LF. The pane counts each line break as one position, the text as
// two. The lines are the blocks' own text: toPlainText() would turn some
// characters (a no-break space, a line separator) into others.
class SearchedText {
public:
    explicit SearchedText(const QPlainTextEdit& pane)
    {
        for (QTextBlock block = pane.document()->firstBlock(); block.isValid(); block = block.next()) {
            if (block != pane.document()->firstBlock())
                text += QLatin1String("\r\n");
            lineStarts.append(int(text.size()));
            lineLengths.append(int(block.text().size()));
            text += block.text();
        }
    }

    const QString& whole() const { return text; }

    // The pane position of index `at` of the text. An index inside a CR LF
    // pair lies inside the pane's one line break: a match starting there
    // starts before the break, one ending there ends after it.
    int panePosition(int at, bool endOfMatch) const
    {
        const auto after = std::upper_bound(lineStarts.cbegin(), lineStarts.cend(), at);
        const int line = int(after - lineStarts.cbegin()) - 1;
        const int column = at - lineStarts[line];
        const int paneLineStart = lineStarts[line] - line;
        if (column <= lineLengths[line])
            return paneLineStart + column;
        return paneLineStart + lineLengths[line] + (endOfMatch ? 1 : 0);
    }

private:
    QString text;
    QList<int> lineStarts;
    QList<int> lineLengths;
};

// The position, counted from 1, of the first occurrence of `what` in
// `where`, compared code by code; 0 when there is none or either is empty.
int Pos(const QString& what, const QString& where)
{
    if (what.isEmpty() || where.isEmpty())
        return 0;
    return int(where.indexOf(what, 0, Qt::CaseSensitive)) + 1;
}

QString notFoundMessage(bool continued, const QString& findText)
{
    const QString first = continued ? QStringLiteral("There are no further occurences of ")
                                    : QStringLiteral("Could not find ");
    return first + QLatin1Char('"') + findText + QLatin1Char('"') + QStringLiteral(" in Memo1.");
}

// Selects `length` characters of the text from index `start` in the pane,
// which scrolls them into view.
void selectMatch(TDBMemo& pane, const SearchedText& text, int start, int length)
{
    QTextCursor cursor(pane.document());
    cursor.setPosition(text.panePosition(start, false));
    cursor.setPosition(text.panePosition(start + length, true), QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
    pane.ensureCursorVisible();
}

void copyFont(const TFont& font, TDBMemo& pane)
{
    setFontName(&pane, font.Name);
    setFontSize(&pane, font.Size());
    setFontColor(&pane, font.Color);
    setFontStyle(&pane, font.Style);
    // The character set and the pitch stay the pane's own.
}

} // namespace

void Tmain::buildDialogs()
{
    for (ViewRow& row : catalogue) {
        row.fontDialog = new TFontDialog(this, row.fontDialogName);
        // The answer texts are Persian; a font chosen for a pane never
        // changes that.
        setFontCharset(row.answerPane, ARABIC_CHARSET);
        if (row.findDialogName.isEmpty())
            continue;
        row.findDialog = new TFindDialog(this, row.findDialogName);
        platform::onEvent(row.findDialog, &TFindDialog::OnFind, this, findHandler(row.findDialogName));
    }
}

void Tmain::SpeedButton6Click()
{
    // Exactly one answer pane is visible; the combined view has no dialog.
    if (ViewRow* row = currentView(); row && row->findDialog)
        row->findDialog->Execute();
}

void Tmain::FindDialog1Find() { findNext(view(QStringLiteral("kolliyat"))); }
void Tmain::FindDialog2Find() { findNext(view(QStringLiteral("mostahab"))); }
void Tmain::FindDialog3Find() { findNext(view(QStringLiteral("moghadamat"))); }
void Tmain::FindDialog4Find() { findNext(view(QStringLiteral("namaz"))); }
void Tmain::FindDialog5Find() { findNext(view(QStringLiteral("vajeb"))); }
void Tmain::FindDialog6Find() { findNext(view(QStringLiteral("motefareghe"))); }

void Tmain::findNext(ViewRow& row)
{
    TFindDialog& dialog = *row.findDialog;
    TDBMemo& pane = *row.answerPane;
    const SearchedText searched(pane);
    const QString& T = searched.whole();
    const QString F = dialog.FindText();

    // A continued search goes on from the last match only in the text it
    // was found in; in another pane or another answer it starts at the top.
    const bool sameText = &pane == lastFoundPane && T == lastFoundText;
    if (LastFoundPos == 0 || !sameText)
        dialog.setOptions(dialog.Options() & ~TFindOptions(frFindNext));
    const bool continued = dialog.Options().testFlag(frFindNext);

    const int Start = continued ? LastFoundPos + int(F.size()) : 1;
    const QString H = continued ? T.mid(Start - 1) : T;
    const int P = Pos(F, H);
    LastFoundPos = P;
    if (P == 0) {
        ShowErrorMessageDlg(notFoundMessage(continued, F));
        return;
    }
    LastFoundPos = P + Start - 1;
    lastFoundPane = &pane;
    lastFoundText = T;
    selectMatch(pane, searched, LastFoundPos - 1, int(F.size()));
    // A pane of a hidden view, or of the hidden window, keeps its match
    // selected for when it shows again; the focus stays where it is.
    if (pane.isVisible()) {
        activateWindow();
        pane.setFocus(Qt::OtherFocusReason);
    }
}

void Tmain::SpeedButton7Click()
{
    for (ViewRow& row : catalogue) {
        if (row.answerPane->isHidden())
            continue;
        if (row.fontDialog->Execute()) {
            copyFont(row.fontDialog->Font, *row.answerPane);
            return;
        }
    }
}
