#pragma once

#include "platform/DataLink.h"

#include <QPlainTextEdit>

class TDataSource;
class PaneLayout;

// Shows one field of the current record as multi-line text that can be
// selected and copied, never changed.
class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    TDBMemo(QWidget* parent, const QString& name, int left, int top, int width, int height);
    void bind(TDataSource* source, const QString& field);

private:
    void showField();
    DataLink link;
    PaneLayout* paneLayout = nullptr;
};
