#include "platform/MessageBoxes.h"

#include <QGuiApplication>

namespace platform {
namespace {
BoxHook& hook()
{
    static BoxHook installed;
    return installed;
}
} // namespace

void setBoxHook(BoxHook newHook)
{
    hook() = std::move(newHook);
}

QMessageBox::StandardButton execBox(QMessageBox& box)
{
    box.setWindowModality(Qt::ApplicationModal);
    // English messages read left to right even when the windows are mirrored.
    box.setLayoutDirection(box.text().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    if (hook())
        return hook()(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace platform

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

namespace {
void showBox(QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    platform::execBox(box);
}
} // namespace

void ShowErrorBox(const QString& message)
{
    showBox(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), errorBoxText(message));
}

void ShowErrorMessageDlg(const QString& message)
{
    showBox(QMessageBox::Critical, QStringLiteral("Error"), message);
}
