#include "platform/TDBMemo.h"

#include "platform/Controls.h"
#include "platform/ScrollBars.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>

// The layout of a pane's text. Qt's plain-text layout lets go of a
// paragraph's shaped glyphs as soon as it has laid the paragraph out, and
// again after every paint, so each repaint of a pane shaped its Persian text
// anew: once for the layout, once per paint, and once more whenever a
// category's panes were shown again. A pane holds one record's text, so its
// paragraphs keep their glyphs until the text or its font changes.
class PaneLayout : public QPlainTextDocumentLayout {
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    // Qt's setPlainText moves a cursor over the new text before it tells the
    // layout of the change, and the cursor has its first paragraph laid out,
    // which the change then throws away. While a pane's text is replaced,
    // nothing is laid out until the new text has arrived.
    void replaceText(QPlainTextEdit& pane, const QString& text)
    {
        awaitingText = true;
        pane.setPlainText(text);
        awaitingText = false;
    }

    QRectF blockBoundingRect(const QTextBlock& block) const override
    {
        return awaitingText ? QRectF() : QPlainTextDocumentLayout::blockBoundingRect(block);
    }

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override
    {
        if (charsAdded > 0)
            awaitingText = false;
        for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= from + charsAdded;
             block = block.next())
            block.layout()->setCacheEnabled(true);
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
    }

private:
    bool awaitingText = false;
};

TDBMemo::TDBMemo(QWidget* parent, const QString& name, int left, int top, int width, int height)
    : QPlainTextEdit(parent)
{
    auto* text = new QTextDocument(this);
    paneLayout = new PaneLayout(text);
    text->setDocumentLayout(paneLayout);
    setDocument(text);
    keepScrollBarPictures(this);
    placeControl(this, name, left, top, width, height);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The book is only read: text can be selected and copied, never changed.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    // A found match stays visible while another window has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
}

void TDBMemo::bind(TDataSource* source, const QString& field)
{
    link.bind(this, source, field, [this] { showField(); });
}

void TDBMemo::showField()
{
    // Whatever line breaks the book stored (CR LF, LF or CR), each is one
    // line break in the pane.
    QString text = link.fieldText();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    paneLayout->replaceText(*this, text);
}

// --- TDBGrid
