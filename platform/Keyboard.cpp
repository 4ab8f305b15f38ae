#include "platform/Keyboard.h"

#ifdef _WIN32
#include <windows.h>

HKL ActivateKeyboardLayout(HKL layout, unsigned int flags)
{
    return reinterpret_cast<HKL>(::ActivateKeyboardLayout(reinterpret_cast<::HKL>(layout), flags));
}
#else
HKL ActivateKeyboardLayout(HKL, unsigned int)
{
    return 0;
}
#endif
