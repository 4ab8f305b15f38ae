#include "jamkol/startup.h"
#include "platform/MessageBoxes.h"
#include "vorudi/TForm2.h"

#include <QApplication>

#include <exception>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    try {
        startUp();
    } catch (const std::exception& error) {
        // An error while a window is built is reported once and ends the program.
        ShowErrorBox(QString::fromUtf8(error.what()));
        return 1;
    }
    vorudi::Form2->show();
    const int status = application.exec();
    shutDown();
    return status;
}
