#include "OpenalCalls.h"

LateLibrary& OpenalLibrary() {
    static LateLibrary library("libopenal.so.1");
    return library;
}
