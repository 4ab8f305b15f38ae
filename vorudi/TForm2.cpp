#include "vorudi/TForm2.h"

#include "platform/Keyboard.h"

#include <QCloseEvent>
#include <QCoreApplication>

TForm2::TForm2()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(450, 479);
    FormCreate();
}

void TForm2::FormCreate()
{
    // The Persian layout (language 0x29, sublanguage 1) for this thread only.
    ActivateKeyboardLayout(0x0429, 0);
}

void TForm2::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever else is open.
    event->accept();
    QCoreApplication::exit(0);
}
