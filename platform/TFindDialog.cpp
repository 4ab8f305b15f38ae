#include "platform/TFindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int maxFindLength = 255;
}

TFindDialog::TFindDialog(QWidget* owner, const QString& name) : QDialog(owner, Qt::Dialog)
{
    setObjectName(name);
    setWindowTitle(QStringLiteral("جستجو در متن"));
    setModal(false);

    findBox = new QLineEdit(this);
    findBox->setObjectName(QStringLiteral("FindText"));
    findBox->setMaxLength(maxFindLength);
    auto* label = new QLabel(QStringLiteral("متن:"), this);
    label->setBuddy(findBox);

    findNext = new QPushButton(QStringLiteral("بعدی"), this);
    findNext->setObjectName(QStringLiteral("FindNext"));
    // Enter in the find box clicks it.
    findNext->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("انصراف"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setAutoDefault(false);

    matchCase = new QCheckBox(QStringLiteral("تطابق حروف کوچک و بزرگ"), this);
    matchCase->setObjectName(QStringLiteral("MatchCase"));
    wholeWord = new QCheckBox(QStringLiteral("فقط کلمه کامل"), this);
    wholeWord->setObjectName(QStringLiteral("WholeWord"));
    auto* direction = new QGroupBox(QStringLiteral("جهت"), this);
    up = new QRadioButton(QStringLiteral("بالا"), direction);
    up->setObjectName(QStringLiteral("Up"));
    down = new QRadioButton(QStringLiteral("پايين"), direction);
    down->setObjectName(QStringLiteral("Down"));
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(up);
    directionLayout->addWidget(down);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(findBox, 0, 1, 1, 2);
    layout->addWidget(findNext, 0, 3);
    layout->addWidget(wholeWord, 1, 0, 1, 2);
    layout->addWidget(direction, 1, 2, 2, 1);
    layout->addWidget(cancel, 1, 3);
    layout->addWidget(matchCase, 2, 0, 1, 2);

    // textChanged, not textEdited: the button follows the box however its
    // text was set.
    connect(findBox, &QLineEdit::textChanged, this, [this](const QString& text) { findNext->setEnabled(!text.isEmpty()); });
    connect(findNext, &QPushButton::clicked, this, &TFindDialog::findNextClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    findNext->setEnabled(false);
    setOptions(frDown);
}

QString TFindDialog::FindText() const
{
    return findBox->text();
}

void TFindDialog::setFindText(const QString& text)
{
    findBox->setText(text);
}

TFindOptions TFindDialog::Options() const
{
    TFindOptions options;
    options.setFlag(frDown, down->isChecked());
    options.setFlag(frFindNext, findNextSet);
    options.setFlag(frMatchCase, matchCase->isChecked());
    options.setFlag(frWholeWord, wholeWord->isChecked());
    return options;
}

void TFindDialog::setOptions(TFindOptions options)
{
    (options.testFlag(frDown) ? down : up)->setChecked(true);
    findNextSet = options.testFlag(frFindNext);
    matchCase->setChecked(options.testFlag(frMatchCase));
    wholeWord->setChecked(options.testFlag(frWholeWord));
}

void TFindDialog::Execute()
{
    show();
    raise();
    activateWindow();
}

void TFindDialog::findNextClicked()
{
    findNextSet = true;
    emit OnFind();
}
