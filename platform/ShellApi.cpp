#include "platform/ShellApi.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

HINSTANCE ShellExecuteA(HWND, const char* operation, const char* file, const char*, const char*, int)
{
    if (!file || QByteArrayView(operation) != QByteArrayView("open"))
        return nullptr;
    // fromUserInput, not QUrl(): "www.example.org" alone is a relative file path.
    const QUrl url = QUrl::fromUserInput(QString::fromLocal8Bit(file));
    QDesktopServices::openUrl(url);
    return nullptr;
}

HWND applicationWindow()
{
    return nullptr;
}
