// SPDX-License-Identifier: MIT
#include "platform/LateLibrary.h"

#include <gtest/gtest.h>

namespace {

using TVersionFunction = const char* (*)();

// A library opened late: found and usable, missing (a clear problem, nothing looked up), or
// present but without a function the caller needs.
TEST(LateLibrary, OpensALibraryOrSaysWhatIsMissing) {
    const struct {
        const char* File;
        const char* Function;
        bool Usable;
        const char* ProblemHolds;
    } cases[] = {
        {"libz.so.1", "zlibVersion", true, ""},
        {"libzibo-none.so.9", "zlibVersion", false, "cannot load libzibo-none.so.9"},
        {"libz.so.1", "zibo_no_such_function", false, "libz.so.1 lacks zibo_no_such_function"},
    };
    for (const auto& c : cases) {
        TLateLibrary library(c.File);
        TVersionFunction function = nullptr;
        library.Find(c.Function, function);
        EXPECT_EQ(library.Usable(), c.Usable) << c.File << " " << c.Function;
        EXPECT_EQ(function != nullptr, c.Usable) << c.File << " " << c.Function;
        EXPECT_NE(library.Problem().find(c.ProblemHolds), std::string::npos) << library.Problem();
        if (c.Usable) {
            EXPECT_TRUE(library.Problem().empty());
            EXPECT_STRNE(function(), "");
        }
    }
}

} // namespace
