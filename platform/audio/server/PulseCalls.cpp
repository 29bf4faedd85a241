#include "PulseCalls.h"

LateLibrary& PulseLibrary() {
    static LateLibrary library("libpulse.so.0");
    return library;
}
