#pragma once
// Records every box the program shows, in order, and answers it with OK, so
// that no box waits for a person.

#include "platform/MessageBoxes.h"

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

struct RecordedBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    Qt::LayoutDirection direction;
};

class BoxRecorder {
public:
    BoxRecorder()
    {
        platform::setBoxHook([this](QMessageBox& box) {
            boxes.append({box.windowTitle(), box.text(), box.icon(), box.standardButtons(), box.layoutDirection()});
            return QMessageBox::Ok;
        });
    }
    ~BoxRecorder() { platform::setBoxHook({}); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    QStringList texts() const
    {
        QStringList shown;
        for (const RecordedBox& box : boxes)
            shown << box.text;
        return shown;
    }

    QList<RecordedBox> boxes;
};
