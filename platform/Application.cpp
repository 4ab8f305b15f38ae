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
    // Persian first, then a Latin face for the Latin text of the same controls.
    substitute(QStringLiteral("Tahoma"),
               {QStringLiteral("Noto Sans Arabic"), QStringLiteral("Nazli"), QStringLiteral("Noto Sans"),
                QStringLiteral("DejaVu Sans")});
    substitute(QStringLiteral("MS Sans Serif"), {QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
    substitute(QStringLiteral("Arial"),
               {QStringLiteral("Noto Sans"), QStringLiteral("Noto Sans Arabic"), QStringLiteral("DejaVu Sans")});
    substitute(QStringLiteral("Times New Roman"),
               {QStringLiteral("Noto Serif"), QStringLiteral("DejaVu Serif"), QStringLiteral("Noto Naskh Arabic")});
}
