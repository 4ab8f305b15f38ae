#include "jamkol/startup.h"

#include "platform/Application.h"
#include "platform/ComObj.h"
#include "Unit1/Publisher.h"
#include "Unit1/Tmain.h"
#include "vorudi/TForm2.h"

#include <QApplication>
#include <QIcon>

namespace vorudi {
TForm2* Form2 = nullptr;
}
namespace Unit1 {
Tmain* main = nullptr;
}

// The artwork lives in the library, whose resources start only when asked.
static void initialiseArtwork()
{
    Q_INIT_RESOURCE(assets);
}

void startUp()
{
    initialiseArtwork();
    CoInitializeApartment();
    setApplicationTitle(publisherName());
    installFontSubstitutes();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/icon.svg")));
    // The entry window ends the program itself; Qt must not quit on its own
    // when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        vorudi::Form2 = new TForm2();
    } catch (...) {
        vorudi::Form2 = nullptr;
        throw;
    }
    try {
        Unit1::main = new Tmain();
    } catch (...) {
        Unit1::main = nullptr;
        throw;
    }
}

void shutDown()
{
    delete Unit1::main;
    Unit1::main = nullptr;
    delete vorudi::Form2;
    vorudi::Form2 = nullptr;
}
