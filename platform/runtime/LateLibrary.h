#pragma once
// A shared library opened the first time one of its functions is called,
// not when the program starts: what the first window does not need stays
// off the path to it. A function is looked up by its name and called with
// the type of its declaration in the library's own header, so a call reads
// and type-checks as a direct one. Without the library (or the name), a
// call does nothing and returns its type's empty value (a null pointer, 0).
#include <mutex>
#include <type_traits>
#include <utility>

class LateLibrary {
public:
    explicit LateLibrary(const char* soname) : soname_(soname) {}
    // Opens the library now, once for the program; whether it is there.
    bool Load();
    // The function of that name, or nullptr.
    void* Find(const char* name);

private:
    const char* soname_;
    std::once_flag once_;
    void* handle_ = nullptr;
};

namespace latelibrary {
template <typename Fn, typename... Args>
auto Call(void* found, Args&&... args) {
    using Result = std::invoke_result_t<Fn, Args...>;
    if (!found) {
        if constexpr (std::is_void_v<Result>) return;
        else return Result{};
    }
    return reinterpret_cast<Fn>(found)(std::forward<Args>(args)...);
}
}  // namespace latelibrary

// A call of the library's function fn (declared by its header), found once
// per program: LATE_CALL(SomeLibrary(), some_function, a, b).
#define LATE_CALL(library, fn, ...)                      \
    ::latelibrary::Call<decltype(&::fn)>([]() -> void* { \
        static void* const found = (library).Find(#fn);  \
        return found;                                    \
    }() __VA_OPT__(, ) __VA_ARGS__)
