#pragma once

#include <cstdint>

using HKL = std::uintptr_t;

// Activates an input layout for the calling thread. Outside Windows no layout
// can be switched by a program, which behaves as a system without the layout
// loaded: nothing happens and 0 is returned.
HKL ActivateKeyboardLayout(HKL layout, unsigned int flags);
