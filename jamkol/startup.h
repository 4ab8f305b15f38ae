#pragma once
// Everything between the application object and the message loop.

class TForm2;
class Tmain;

namespace vorudi {
extern TForm2* Form2; // the entry window, the application's main window
}
namespace Unit1 {
extern Tmain* main; // the browser window, created hidden
}

// Sets the application title, creates the entry window and then the browser
// window (which opens the book). Runs once per process; an error while a
// window is built propagates to the caller.
void startUp();

// Destroys the browser window, then the entry window.
void shutDown();
