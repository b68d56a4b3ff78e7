// Every target builds and frees much for one input (a decoded picture, a device's pages); the
// sanitizer's default quarantine of freed memory (256 MB) alone would bring the process near the
// fuzzer's memory limit, which is meant for what one input costs.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=32";
}
