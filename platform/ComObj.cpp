#include "platform/ComObj.h"

void CoInitializeApartment() {}
