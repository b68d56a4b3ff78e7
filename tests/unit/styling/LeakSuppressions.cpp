// Fontconfig keeps the font configuration that pango loads for the life of the process and
// frees none of it at exit; LeakSanitizer would report those caches as leaks of this program.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
