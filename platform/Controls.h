#pragma once
// The window controls of the platform, each the Qt widget it builds on, with
// the events the windows handle. Positions are absolute pixels in the
// parent's client area, left edge from the left, in either reading order.

#include "platform/Colors.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

// "Tahoma" (or the font named) with a character height of `pixels`.
QFont platformFont(int pixels, const QString& family = QStringLiteral("Tahoma"));

// A window without frame or caption bar, of a fixed size, right to left and
// centred on the desktop.
void setUpBorderlessWindow(QWidget* window, const QString& name, const QString& caption, QSize size);

// Names the widget, places it and sets its reading order.
void placeControl(QWidget* control, const QString& name, int left, int top, int width, int height);

void setFontColor(QWidget* control, TColor colour);
TColor fontColor(const QWidget* control);
void setBackgroundColor(QWidget* control, TColor colour);

// An ordinary click: the left button pressed and then released over the
// control.
class LeftClick {
public:
    void press(const QMouseEvent* event);
    // True when this release completes a click.
    bool release(const QWidget& control, const QMouseEvent* event);

private:
    bool pressed = false;
};

// A transparent one-line label sized to its caption. A right-to-left label
// keeps its right edge when the caption changes, a left-to-right one its left.
class TLabel : public QLabel {
    Q_OBJECT
public:
    TLabel(QWidget* parent, const QString& name, int left, int top, int width, int height);
    void setCaption(const QString& caption);
    QString caption() const { return text(); }

signals:
    void Click();
    void MouseMove();
    void MouseLeave();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    LeftClick click;
};

// A picture: an image of the program's artwork, drawn at its own size from
// the top-left corner, or stretched over the whole control.
class TImage : public QLabel {
    Q_OBJECT
public:
    TImage(QWidget* parent, const QString& name, int left, int top, int width, int height);
    // `resource` is an SVG of the artwork rendered at `pictureSize`.
    void setPicture(const QString& resource, QSize pictureSize, bool stretch = false);
    QSize pictureSize() const { return picture; }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize picture;
    LeftClick click;
};

enum class TPenStyle { psClear, psInsideFrame };

// A rectangle shape drawn with the mask pen mode over a white brush: AND with
// white leaves the pixels beneath as they are, so it draws nothing but its
// outline (if any) and catches the mouse. It acts on the press of any button.
class TShape : public QWidget {
    Q_OBJECT
public:
    TShape(QWidget* parent, const QString& name, int left, int top, int width, int height,
           TPenStyle style = TPenStyle::psClear, TColor penColour = clBlack);

signals:
    void MouseDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TPenStyle penStyle;
    TColor penColour;
};

// A speed button: never takes the keyboard focus; flat ones show a frame
// only while the mouse is over them.
class TSpeedButton : public QToolButton {
    Q_OBJECT
public:
    TSpeedButton(QWidget* parent, const QString& name, int left, int top, int width, int height,
                 const QString& caption, bool flat);
    void setGlyph(const QString& resource, int size);
};

// A panel without bevels, in the button-face colour.
class TPanel : public QFrame {
    Q_OBJECT
public:
    TPanel(QWidget* parent, const QString& name, int left, int top, int width, int height, int borderWidth = 0);
};

// An edit box without a border. Like the platform's, it selects all of its
// text when it gets the focus by the keyboard.
class TEdit : public QLineEdit {
    Q_OBJECT
public:
    TEdit(QWidget* parent, const QString& name, int left, int top, int width, int height, const QString& text);
};

// A group box whose caption sits on its frame's top line, one line of the
// caption font's height, so that controls placed just below it stay clear.
class TGroupBox : public QGroupBox {
    Q_OBJECT
public:
    TGroupBox(QWidget* parent, const QString& name, int left, int top, int width, int height, const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TRadioButton : public QRadioButton {
    Q_OBJECT
public:
    TRadioButton(QWidget* parent, const QString& name, int left, int top, int width, int height, const QString& caption);
};

// Renders an SVG of the artwork at the given size.
QPixmap artworkPixmap(const QString& resource, QSize size);
