#include "platform/Application.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

void setApplicationTitle(const QString& title)
{
    QGuiApplication::setApplicationDisplayName(title);
}

namespace {
void substitute(const QString& family, const QStringList& candidates)
{
    if (QFontDatabase::hasFamily(family))
        return;
    QStringList present;
    for (const QString& candidate : candidates) {
        if (QFontDatabase::hasFamily(candidate))
            present << candidate;
    }
    QFont::insertSubstitutions(family, present);
}
} // namespace

void installFontSubstitutes()
{
    // DejaVu Sans carries Persian with Tahoma's compact line height, so the
    // labels and panes keep the proportions they were laid out for.
    substitute(QStringLiteral("Tahoma"),
               {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Arabic"), QStringLiteral("Nazli")});
    substitute(QStringLiteral("MS Sans Serif"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans")});
    // Liberation's faces have Arial's and Times New Roman's widths; Persian
    // text in them falls back on DejaVu.
    substitute(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    substitute(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}
