#pragma once
// The font dialog: a modal dialog that starts from its own font and, on OK,
// holds the font chosen as a name, a size in whole points, a colour, a style
// and a character set.

#include "platform/TFont.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QFontDialog;

class TFontDialog : public QDialog {
    Q_OBJECT
public:
    TFontDialog(QWidget* owner, const QString& name);

    // The font last confirmed, and the one the dialog shows when it opens.
    TFont Font;

    // Shows the dialog on Font and waits; true when the user confirms, and
    // Font is then the font chosen. A cancel leaves Font as it was.
    bool Execute();

    // A test installs a hook that plays the person: it gets the dialog with
    // its controls on Font and returns true for OK. No dialog then shows.
    using ExecuteHook = std::function<bool(TFontDialog&)>;
    static void setExecuteHook(ExecuteHook hook);

private:
    void showFont();
    void takeChosenFont();

    QFontDialog* chooser = nullptr;
    QComboBox* colours = nullptr;
    QComboBox* scripts = nullptr;
    // The family the chooser selected for Font.Name, which may be another
    // when the machine lacks the font named.
    QString shownFamily;
};
