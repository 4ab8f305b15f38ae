#include "platform/Colors.h"

#include <QGuiApplication>
#include <QPalette>

QColor toQColor(TColor colour)
{
    const QPalette palette = QGuiApplication::palette();
    switch (colour) {
    case clBtnFace:
        return palette.color(QPalette::Button);
    case clWindow:
        return palette.color(QPalette::Base);
    case clWindowText:
        return palette.color(QPalette::WindowText);
    default:
        return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    }
}

TColor fromQColor(const QColor& colour)
{
    return TColor(colour.red()) | TColor(colour.green()) << 8 | TColor(colour.blue()) << 16;
}
