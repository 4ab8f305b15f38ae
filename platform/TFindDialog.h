#pragma once
// The find dialog: modeless, with a find box and a Find Next button. It
// keeps its text and options between openings and raises OnFind, with
// frFindNext set, on every click of Find Next.

#include <QDialog>
#include <QFlags>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

enum TFindOption { frDown = 0x1, frFindNext = 0x2, frMatchCase = 0x4, frWholeWord = 0x8 };
Q_DECLARE_FLAGS(TFindOptions, TFindOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFindOptions)

class TFindDialog : public QDialog {
    Q_OBJECT
public:
    TFindDialog(QWidget* owner, const QString& name);

    // The text of the find box: at most 255 characters.
    QString FindText() const;
    void setFindText(const QString& text);

    TFindOptions Options() const;
    void setOptions(TFindOptions options);

    // Shows the dialog and returns at once; an open dialog comes to the front.
    void Execute();

signals:
    void OnFind();

private:
    void findNextClicked();

    QLineEdit* findBox = nullptr;
    QPushButton* findNext = nullptr;
    QCheckBox* matchCase = nullptr;
    QCheckBox* wholeWord = nullptr;
    QRadioButton* up = nullptr;
    QRadioButton* down = nullptr;
    // The options the controls do not show.
    bool findNextSet = false;
};
