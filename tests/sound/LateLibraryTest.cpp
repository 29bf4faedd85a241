// The sound libraries are opened on first use: a call reaches the library's
// function, and without the library (or the function) it does nothing.
#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/runtime/LateLibrary.h"

namespace {
LateLibrary& TheCLibrary() {
    static LateLibrary library("libc.so.6");
    return library;
}
LateLibrary& NoSuchLibrary() {
    static LateLibrary library("libgravlok-no-such-library.so.7");
    return library;
}
}  // namespace

TEST(LateLibrary, ACallReachesTheLibrarysFunctionWithItsArgumentsAndResult) {
    EXPECT_EQ(LATE_CALL(TheCLibrary(), strtol, "-1234", nullptr, 10), -1234L);
    EXPECT_EQ(LATE_CALL(TheCLibrary(), strlen, "Gravlok"), 7u);
    EXPECT_EQ(LATE_CALL(TheCLibrary(), getpid), getpid());
    EXPECT_TRUE(TheCLibrary().Load());
    EXPECT_EQ(TheCLibrary().Find("gravlok_no_such_function"), nullptr);
}

TEST(LateLibrary, WithoutTheLibraryACallDoesNothingAndReturnsTheEmptyValue) {
    EXPECT_FALSE(NoSuchLibrary().Load());
    EXPECT_EQ(NoSuchLibrary().Find("strtol"), nullptr);
    EXPECT_EQ(LATE_CALL(NoSuchLibrary(), strtol, "42", nullptr, 10), 0L);
    EXPECT_EQ(LATE_CALL(NoSuchLibrary(), getenv, "PATH"), nullptr);
    char buffer[4] = "abc";
    LATE_CALL(NoSuchLibrary(), free, buffer);  // a void function: not called, nothing freed
    EXPECT_STREQ(buffer, "abc");
}
