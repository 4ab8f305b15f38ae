#include "platform/TFont.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace {
// Multiplies and divides, rounding half away from zero, as the platform does.
int mulDiv(int number, int numerator, int denominator)
{
    return int(std::lround(double(number) * numerator / denominator));
}

constexpr char charsetProperty[] = "fontCharset";
} // namespace

int screenPixelsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

int TFont::Size() const
{
    return -mulDiv(Height, 72, screenPixelsPerInch());
}

void TFont::setSize(int points)
{
    Height = -pixelHeight(points);
}

int pixelHeight(int points)
{
    return mulDiv(points, screenPixelsPerInch(), 72);
}

void setFontName(QWidget* control, const QString& name)
{
    QFont font = control->font();
    font.setFamily(name);
    control->setFont(font);
}

void setFontSize(QWidget* control, int points)
{
    QFont font = control->font();
    font.setPointSizeF(pixelHeight(points) * 72.0 / screenPixelsPerInch());
    control->setFont(font);
}

void setFontStyle(QWidget* control, TFontStyles style)
{
    QFont font = control->font();
    font.setBold(style.testFlag(fsBold));
    font.setItalic(style.testFlag(fsItalic));
    font.setUnderline(style.testFlag(fsUnderline));
    font.setStrikeOut(style.testFlag(fsStrikeOut));
    control->setFont(font);
}

void setFontCharset(QWidget* control, TFontCharset charset)
{
    control->setProperty(charsetProperty, int(charset));
}

TFontCharset fontCharset(const QWidget* control)
{
    const QVariant charset = control->property(charsetProperty);
    return charset.isValid() ? TFontCharset(charset.toInt()) : DEFAULT_CHARSET;
}
