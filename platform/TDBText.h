#pragma once

#include "platform/DataLink.h"

#include <QLabel>

class TDataSource;

// Shows one field of the current record as a one-line label.
class TDBText : public QLabel {
    Q_OBJECT
public:
    TDBText(QWidget* parent, const QString& name, int left, int top, int width, int height);
    void bind(TDataSource* source, const QString& field);

private:
    DataLink link;
};
