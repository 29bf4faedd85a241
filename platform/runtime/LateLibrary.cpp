#include "LateLibrary.h"

#include <dlfcn.h>

bool LateLibrary::Load() {
    // Never closed: its threads and the objects it made live to the end.
    std::call_once(once_, [this] { handle_ = dlopen(soname_, RTLD_NOW | RTLD_LOCAL); });
    return handle_ != nullptr;
}

void* LateLibrary::Find(const char* name) { return Load() ? dlsym(handle_, name) : nullptr; }
