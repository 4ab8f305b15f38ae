#pragma once
// What the program needs of the application object besides Qt's own.

#include <QString>

// Sets the title shown as the program's name and as the error boxes' caption.
void setApplicationTitle(const QString& title);

// The fonts the windows name ("Tahoma", "MS Sans Serif", "Arial", "Times New
// Roman") are mapped to fonts the machine has when it lacks them; the names
// the program holds stay as they are.
void installFontSubstitutes();
