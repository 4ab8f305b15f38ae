#include "platform/Controls.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

QFont platformFont(int pixels, const QString& family)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

void setUpBorderlessWindow(QWidget* window, const QString& name, const QString& caption, QSize size)
{
    window->setObjectName(name);
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window->setWindowTitle(caption);
    window->setLayoutDirection(Qt::RightToLeft);
    window->setFixedSize(size);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void placeControl(QWidget* control, const QString& name, int left, int top, int width, int height)
{
    control->setObjectName(name);
    control->setGeometry(left, top, width, height);
}

namespace {
// One colour for the roles a control of any kind draws that part with.
void setRoles(QWidget* control, std::initializer_list<QPalette::ColorRole> roles, TColor colour)
{
    QPalette palette = control->palette();
    for (QPalette::ColorRole role : roles)
        palette.setColor(role, toQColor(colour));
    control->setPalette(palette);
}
} // namespace

void setFontColor(QWidget* control, TColor colour)
{
    setRoles(control, {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}, colour);
}

TColor fontColor(const QWidget* control)
{
    return fromQColor(control->palette().color(QPalette::WindowText));
}

void setBackgroundColor(QWidget* control, TColor colour)
{
    setRoles(control, {QPalette::Base, QPalette::Window, QPalette::Button}, colour);
    control->setAutoFillBackground(true);
}

QPixmap artworkPixmap(const QString& resource, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return pixmap;
}

// --- LeftClick

void LeftClick::press(const QMouseEvent* event)
{
    pressed = event->button() == Qt::LeftButton;
}

bool LeftClick::release(const QWidget& control, const QMouseEvent* event)
{
    const bool clicked =
        pressed && event->button() == Qt::LeftButton && control.rect().contains(event->position().toPoint());
    pressed = false;
    return clicked;
}

// --- TLabel

TLabel::TLabel(QWidget* parent, const QString& name, int left, int top, int width, int height) : QLabel(parent)
{
    placeControl(this, name, left, top, width, height);
    setTextFormat(Qt::PlainText);
    setMouseTracking(true); // mouse moves are reported without a button held
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TLabel::setCaption(const QString& caption)
{
    const QRect before = geometry();
    setText(caption);
    const int width = caption.isEmpty() ? before.width() : fontMetrics().horizontalAdvance(caption);
    if (layoutDirection() == Qt::RightToLeft)
        setGeometry(before.right() + 1 - width, before.top(), width, before.height());
    else
        setGeometry(before.left(), before.top(), width, before.height());
}

void TLabel::paintEvent(QPaintEvent*)
{
    // The label is one line of the caption font's height in pixels. A
    // Persian font's line is far taller than that (room for stacked marks),
    // so the line is scaled into the label: the baseline divides the height
    // as the font's ascent and descent divide its line, and the letters and
    // their dots stay inside the label instead of being cut off below.
    QPainter painter(this);
    // The label's own reading order, not the one its first letter suggests.
    painter.setLayoutDirection(layoutDirection());
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetricsF metrics(font());
    const qreal baseline = height() * metrics.ascent() / (metrics.ascent() + metrics.descent());
    const qreal advance = metrics.horizontalAdvance(text());
    const qreal left = layoutDirection() == Qt::RightToLeft ? width() - advance : 0;
    painter.drawText(QPointF(left, baseline), text());
}

void TLabel::mousePressEvent(QMouseEvent* event)
{
    click.press(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (click.release(*this, event))
        emit Click();
}

void TLabel::mouseMoveEvent(QMouseEvent*)
{
    emit MouseMove();
}

void TLabel::leaveEvent(QEvent*)
{
    emit MouseLeave();
}

// --- TImage

TImage::TImage(QWidget* parent, const QString& name, int left, int top, int width, int height) : QLabel(parent)
{
    placeControl(this, name, left, top, width, height);
    setAlignment(Qt::AlignLeft | Qt::AlignTop | Qt::AlignAbsolute);
}

void TImage::setPicture(const QString& resource, QSize pictureSize, bool stretch)
{
    picture = pictureSize;
    setPixmap(artworkPixmap(resource, stretch ? size() : pictureSize));
}

void TImage::mousePressEvent(QMouseEvent* event)
{
    click.press(event);
}

void TImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (click.release(*this, event))
        emit Click();
}

// --- TShape

TShape::TShape(QWidget* parent, const QString& name, int left, int top, int width, int height, TPenStyle style,
               TColor colour)
    : QWidget(parent), penStyle(style), penColour(colour)
{
    placeControl(this, name, left, top, width, height);
}

void TShape::paintEvent(QPaintEvent*)
{
    if (penStyle == TPenStyle::psClear)
        return;
    // The mask mode: every pixel drawn becomes the AND of the pixel beneath
    // and the pen's colour, so the outline tints the picture beneath.
    QPainter painter(this);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.setPen(QPen(toQColor(penColour), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TShape::mousePressEvent(QMouseEvent*)
{
    emit MouseDown();
}

// --- TSpeedButton

TSpeedButton::TSpeedButton(QWidget* parent, const QString& name, int left, int top, int width, int height,
                           const QString& caption, bool flat)
    : QToolButton(parent)
{
    placeControl(this, name, left, top, width, height);
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(flat);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void TSpeedButton::setGlyph(const QString& resource, int size)
{
    setIcon(QIcon(artworkPixmap(resource, QSize(size, size))));
    setIconSize(QSize(size, size));
    // In a right-to-left window the icon comes first, on the right of the caption.
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

// --- containers and edit controls

TPanel::TPanel(QWidget* parent, const QString& name, int left, int top, int width, int height, int borderWidth)
    : QFrame(parent)
{
    placeControl(this, name, left, top, width, height);
    // Without bevels the border is a margin in the panel's own colour, not a line.
    setFrameShape(QFrame::NoFrame);
    setContentsMargins(borderWidth, borderWidth, borderWidth, borderWidth);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

TEdit::TEdit(QWidget* parent, const QString& name, int left, int top, int width, int height, const QString& text)
    : QLineEdit(text, parent)
{
    placeControl(this, name, left, top, width, height);
    setFrame(false);
    setMaxLength(32767);
}

TGroupBox::TGroupBox(QWidget* parent, const QString& name, int left, int top, int width, int height,
                     const QString& caption)
    : QGroupBox(caption, parent)
{
    placeControl(this, name, left, top, width, height);
}

void TGroupBox::paintEvent(QPaintEvent*)
{
    // As in TLabel, the caption's line is the font's character height, not
    // the far taller line of the Persian face that stands in for it.
    const QFontMetricsF metrics(font());
    const qreal line = font().pixelSize() > 0 ? font().pixelSize() * 1.25 : metrics.height();
    const qreal baseline = line * metrics.ascent() / (metrics.ascent() + metrics.descent());
    const qreal advance = metrics.horizontalAdvance(title());
    const qreal captionLeft = layoutDirection() == Qt::RightToLeft ? width() - 8 - advance : 8;
    const qreal frameTop = std::floor(line / 2);

    QPainter painter(this);
    // An etched frame: a shadow line with a light line beside it.
    const QRectF frame(0.5, frameTop + 0.5, width() - 2, height() - frameTop - 2);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    painter.fillRect(QRectF(captionLeft, 0, advance, line), palette().color(backgroundRole()));
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPointF(captionLeft, baseline), title());
}

TRadioButton::TRadioButton(QWidget* parent, const QString& name, int left, int top, int width, int height,
                           const QString& caption)
    : QRadioButton(caption, parent)
{
    placeControl(this, name, left, top, width, height);
}
