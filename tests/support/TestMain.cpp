#include <gtest/gtest.h>

// Fontconfig keeps the font configuration that pango loads for the life of the process and
// frees none of it at exit; LeakSanitizer would report those caches as leaks of every test
// program that draws text.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
