#pragma once

// Initialises the component object library for the user-interface thread in
// the apartment model. The data components of this program need nothing of it
// outside Windows, so there it does nothing.
void CoInitializeApartment();
