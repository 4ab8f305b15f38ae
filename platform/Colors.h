#pragma once
// The platform's colour values: an integer whose low byte is red, then green,
// then blue, and the named colours the windows use.

#include <QColor>

using TColor = unsigned int;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clWhite = 0xFFFFFF;

// The system colours resolve through the palette of the running desktop.
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;

QColor toQColor(TColor colour);
TColor fromQColor(const QColor& colour);
