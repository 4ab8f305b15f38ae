#include "platform/TFontDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

TFontDialog::ExecuteHook& hook()
{
    static TFontDialog::ExecuteHook installed;
    return installed;
}

struct Choice {
    const char* caption;
    unsigned int value;
};

// The colours the dialog offers: the window-text colour and the sixteen
// basic colours.
constexpr Choice colourChoices[] = {
    {"Window text", clWindowText}, {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000},
    {"Olive", 0x008080},           {"Navy", 0x800000},  {"Purple", 0x800080}, {"Teal", 0x808000},
    {"Gray", 0x808080},            {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},   {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},          {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
};

constexpr Choice scriptChoices[] = {
    {"Default", DEFAULT_CHARSET}, {"Western", ANSI_CHARSET},  {"Arabic", ARABIC_CHARSET},
    {"Hebrew", HEBREW_CHARSET},   {"Greek", GREEK_CHARSET},   {"Cyrillic", RUSSIAN_CHARSET},
};

QComboBox* choiceBox(QWidget* parent, const char* name, const auto& choices)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (const Choice& choice : choices)
        box->addItem(QString::fromLatin1(choice.caption), choice.value);
    return box;
}

QComboBox* colourBox(QWidget* parent)
{
    QComboBox* box = choiceBox(parent, "FontColor", colourChoices);
    for (int i = 0; i < box->count(); ++i)
        box->setItemData(i, toQColor(box->itemData(i).toUInt()), Qt::DecorationRole);
    return box;
}

// Selects the item of `value`, adding one for a value the list lacks.
void selectValue(QComboBox* box, unsigned int value, const QString& otherCaption)
{
    int index = box->findData(value);
    if (index < 0) {
        box->addItem(otherCaption, value);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

QFont qtFont(const TFont& font)
{
    QFont result(font.Name);
    result.setPointSize(font.Size());
    result.setBold(font.Style.testFlag(fsBold));
    result.setItalic(font.Style.testFlag(fsItalic));
    result.setUnderline(font.Style.testFlag(fsUnderline));
    result.setStrikeOut(font.Style.testFlag(fsStrikeOut));
    return result;
}

} // namespace

TFontDialog::TFontDialog(QWidget* owner, const QString& name) : QDialog(owner)
{
    setObjectName(name);
    setWindowTitle(QStringLiteral("Font"));
    setModal(true);

    // Qt's chooser, embedded: no buttons of its own and never the native one.
    chooser = new QFontDialog(this);
    chooser->setObjectName(QStringLiteral("FontChooser"));
    chooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    chooser->setWindowFlags(Qt::Widget);

    colours = colourBox(this);
    scripts = choiceBox(this, "FontScript", scriptChoices);
    auto* effects = new QFormLayout;
    effects->addRow(QStringLiteral("Color:"), colours);
    effects->addRow(QStringLiteral("Script:"), scripts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addLayout(effects);
    side->addStretch();
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(chooser, 1);
    layout->addLayout(side);
}

void TFontDialog::setExecuteHook(ExecuteHook newHook)
{
    hook() = std::move(newHook);
}

bool TFontDialog::Execute()
{
    showFont();
    const bool confirmed = hook() ? hook()(*this) : exec() == QDialog::Accepted;
    if (confirmed)
        takeChosenFont();
    return confirmed;
}

void TFontDialog::showFont()
{
    QFont shown = qtFont(Font);
    chooser->setCurrentFont(shown);
    shownFamily = chooser->currentFont().family();
    // The chooser looks a face up by a generic name ("Normal", "Bold"), which
    // many families call otherwise ("Book", "Regular"), and falls back on the
    // family's first face. Name the face that font matching picks instead.
    QFont face = shown;
    face.setFamily(shownFamily);
    shown.setStyleName(QFontInfo(face).styleName());
    chooser->setCurrentFont(shown);
    selectValue(colours, Font.Color, QStringLiteral("Custom"));
    selectValue(scripts, Font.Charset, QStringLiteral("Other"));
}

void TFontDialog::takeChosenFont()
{
    const QFont chosen = chooser->currentFont();
    // A family left as it was keeps the name the dialog holds, also when the
    // machine lacks that font and the chooser shows its stand-in.
    if (chosen.family() != shownFamily)
        Font.Name = chosen.family();
    Font.setSize(chosen.pointSize());
    Font.Color = colours->currentData().toUInt();
    Font.Charset = TFontCharset(scripts->currentData().toUInt());
    TFontStyles style;
    style.setFlag(fsBold, chosen.bold());
    style.setFlag(fsItalic, chosen.italic());
    style.setFlag(fsUnderline, chosen.underline());
    style.setFlag(fsStrikeOut, chosen.strikeOut());
    Font.Style = style;
}
