#include "platform/TDBText.h"

#include "platform/Controls.h"

TDBText::TDBText(QWidget* parent, const QString& name, int left, int top, int width, int height) : QLabel(parent)
{
    placeControl(this, name, left, top, width, height);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
}

void TDBText::bind(TDataSource* source, const QString& field)
{
    link.bind(this, source, field, [this] { setText(link.fieldText()); });
}
