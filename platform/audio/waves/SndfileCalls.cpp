#include "SndfileCalls.h"

LateLibrary& SndfileLibrary() {
    static LateLibrary library("libsndfile.so.1");
    return library;
}
