// The seams over system calls: a function pointer that tests may replace.
#pragma once

// Puts `replacement` in the slot (null: the system's own function) and returns the function
// it held.
template <class Function>
Function ReplaceSeam(Function& slot, Function replacement, Function system) {
    Function old = slot;
    slot = replacement != nullptr ? replacement : system;
    return old;
}
