#pragma once
// Every box the program shows goes through here, so that tests can answer
// and inspect it without a person.

#include <QMessageBox>
#include <QString>

#include <functional>

namespace platform {

// A test installs a hook: it receives each box instead of the person and
// returns the button "pressed". No box then waits or shows.
using BoxHook = std::function<QMessageBox::StandardButton(QMessageBox&)>;
void setBoxHook(BoxHook hook);

// Shows the box application-modal and returns the button pressed.
QMessageBox::StandardButton execBox(QMessageBox& box);

} // namespace platform

// The text of an error as the error box shows it: a full stop is added when
// the last character sorts after the full stop.
QString errorBoxText(const QString& message);

// The error box: the application title as caption, a stop icon, one OK
// button and the error's message.
void ShowErrorBox(const QString& message);

// The message dialog of the error kind: title "Error", an error icon and
// one "OK" button.
void ShowErrorMessageDlg(const QString& message);
