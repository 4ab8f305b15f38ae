#pragma once
// The platform's font: a name, a character height in pixels (negative: the
// height of the characters without the leading), a colour, a style and a
// character set. Its size in points follows from the height at the screen's
// pixels per inch.

#include "platform/Colors.h"

#include <QFlags>
#include <QString>

class QWidget;

enum TFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

using TFontCharset = unsigned char;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset GREEK_CHARSET = 161;
constexpr TFontCharset HEBREW_CHARSET = 177;
constexpr TFontCharset ARABIC_CHARSET = 178;
constexpr TFontCharset RUSSIAN_CHARSET = 204;

// The logical pixels per inch of the screen, which turn points into pixels.
int screenPixelsPerInch();

struct TFont {
    QString Name = QStringLiteral("MS Sans Serif");
    int Height = -11;
    TColor Color = clWindowText;
    TFontStyles Style;
    TFontCharset Charset = DEFAULT_CHARSET;

    // Whole points, rounded to the nearest.
    int Size() const;
    void setSize(int points);
};

// The character height in whole pixels of a size in points.
int pixelHeight(int points);

// The parts of a control's font, one at a time. A size travels as points:
// the control's font gets the point size whose pixel height is whole, so
// both read back as the platform computes them.
void setFontName(QWidget* control, const QString& name);
void setFontSize(QWidget* control, int points);
void setFontStyle(QWidget* control, TFontStyles style);

// Qt's fonts carry no character set; a control keeps its own beside its font.
void setFontCharset(QWidget* control, TFontCharset charset);
TFontCharset fontCharset(const QWidget* control);
