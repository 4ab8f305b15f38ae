#include "platform/ScrollBars.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>

namespace {
// A scroll bar that keeps its last picture. The style paints a scroll bar
// with gradients, which Qt's raster engine hands to its thread pool once a
// fill spans about a hundred lines, and handing the work over and waiting
// for it takes longer than the painting itself; yet a view shown again, or
// a step that leaves a pane's range alone, paints the very same picture.
// While the pointer is over the bar or presses it, the bar paints itself as
// usual, since only it knows which of its parts is hovered or pressed.
class PictureKeepingScrollBar : public QScrollBar {
public:
    PictureKeepingScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (pressed || underMouse()) {
            QScrollBar::paintEvent(event);
            return;
        }
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls = QStyle::SC_All;
        option.activeSubControls = QStyle::SC_None;
        if (!shows(option))
            paintPicture(option);
        QPainter(this).drawPixmap(0, 0, picture);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        pressed = true;
        QScrollBar::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        pressed = false;
        QScrollBar::mouseReleaseEvent(event);
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::StyleChange)
            picture = QPixmap();
        QScrollBar::changeEvent(event);
    }

private:
    void paintPicture(const QStyleOptionSlider& option)
    {
        const qreal ratio = devicePixelRatioF();
        picture = QPixmap(size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
        shown = option;
    }

    bool shows(const QStyleOptionSlider& option) const
    {
        return !picture.isNull() && option.rect == shown.rect && option.state == shown.state &&
               option.direction == shown.direction && option.palette.cacheKey() == shown.palette.cacheKey() &&
               option.minimum == shown.minimum && option.maximum == shown.maximum &&
               option.sliderPosition == shown.sliderPosition && option.sliderValue == shown.sliderValue &&
               option.pageStep == shown.pageStep && option.singleStep == shown.singleStep &&
               option.upsideDown == shown.upsideDown && option.orientation == shown.orientation;
    }

    QPixmap picture;
    QStyleOptionSlider shown;
    bool pressed = false;
};

} // namespace

void keepScrollBarPictures(QAbstractScrollArea* area)
{
    area->setVerticalScrollBar(new PictureKeepingScrollBar(Qt::Vertical, area));
    area->setHorizontalScrollBar(new PictureKeepingScrollBar(Qt::Horizontal, area));
}
