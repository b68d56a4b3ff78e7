#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <vector>

#include "bench/runtime/GnuSide.h"
#include "bench/runtime/RatioReporter.h"
#include "bench/runtime/TamarindSide.h"
#include "bench/runtime/VirtualAnchor.h"

// Our runtime and GCC's Objective-C runtime, shape by shape, in one program and one run, with a
// plain C++ virtual call as the anchor. After the runs it prints each ratio beside its target.
//
// Flags are Google Benchmark's. By default every benchmark runs ten short repetitions,
// interleaved at random so that a busy neighbour on the machine weighs on both sides alike, and
// the ratios use each benchmark's fastest repetition: interference only ever adds time, so the
// minimum is the figure closest to what the code itself costs.

namespace {

using namespace bench;

// Calls fn with arguments the optimiser must treat as unknown on every iteration and keeps the
// result alive, so neither the call nor its inputs can be hoisted out of the loop.
template <class Fn, class... Args> void measure(benchmark::State& state, Fn fn, Args... args)
{
    for (auto _ : state) {
        (benchmark::DoNotOptimize(args), ...);
        benchmark::DoNotOptimize(fn(args...));
    }
}

template <class Fn, class... Args> void add(const char* name, Fn fn, Args... args)
{
    benchmark::RegisterBenchmark(name, [=](benchmark::State& state) { measure(state, fn, args...); })
        ->Unit(benchmark::kNanosecond)
        ->ComputeStatistics(
            "min", [](const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); });
}

// Every shape gives its known answer on both sides before anything is timed, so a set-up that
// went wrong shows as an error instead of as a fast figure.
bool answersAgree(const TamarindSubject& tam, const GnuSubject& gnu)
{
    rt::Object* target = tam.target.get();
    rt::Object* argument = tam.argument.get();
    bool ours = tamCachedSend(target) == 1 && tamSendWithObject(target, argument) == argument
        && tamNilSend(nullptr) == 0 && tamHookedSend(target) == 3 && tamClassLookup() == rt::classOf(target)
        && tamAssociatedRead(target) == argument;
    bool theirs = gnuCachedSend(gnu.target) == 1 && gnuSendWithObject(gnu.target, gnu.argument) == gnu.argument
        && gnuNilSend(nullptr) == 0 && gnuHookedSend(gnu.target) == 3 && gnuClassLookup() != nullptr;
    if (!ours)
        std::fprintf(stderr, "runtime-bench: our runtime gave a wrong answer for one of the shapes\n");
    if (!theirs)
        std::fprintf(stderr, "runtime-bench: the GNU runtime gave a wrong answer for one of the shapes\n");
    return ours && theirs;
}

void registerShapes(const TamarindSubject& tam, const GnuSubject& gnu)
{
    rt::Object* target = tam.target.get();
    rt::Object* argument = tam.argument.get();
    rt::Object* nothing = nullptr;
    void* gnuTarget = gnu.target;
    void* gnuArgument = gnu.argument;
    void* gnuNothing = nullptr;

    add("EmptyCall/Cpp", &emptyCall, static_cast<const void*>(target));
    add("VirtualCall/Cpp", &virtualCall, anchorObject());
    add("CachedSend/Tamarind", &tamCachedSend, target);
    add("CachedSend/GnuObjC", &gnuCachedSend, gnuTarget);
    add("SendWithObject/Tamarind", &tamSendWithObject, target, argument);
    add("SendWithObject/GnuObjC", &gnuSendWithObject, gnuTarget, gnuArgument);
    add("NilSend/Tamarind", &tamNilSend, nothing);
    add("NilSend/GnuObjC", &gnuNilSend, gnuNothing);
    add("HookedSend/Tamarind", &tamHookedSend, target);
    add("HookedSend/GnuObjC", &gnuHookedSend, gnuTarget);
    add("ClassLookup/Tamarind", &tamClassLookup);
    add("ClassLookup/GnuObjC", &gnuClassLookup);
    add("AssociatedRead/Tamarind", &tamAssociatedRead, target);
}

std::vector<Ratio> ratios()
{
    const char* noAssociations = "n/a: the GNU runtime has no associated objects";
    return {
        { "cached send: ours / GNU", "CachedSend/Tamarind", "CachedSend/GnuObjC", 0.5, {} },
        { "send with object: ours / GNU", "SendWithObject/Tamarind", "SendWithObject/GnuObjC", {}, {} },
        { "nil send: ours / GNU", "NilSend/Tamarind", "NilSend/GnuObjC", {}, {} },
        { "hooked send via slot: ours / GNU", "HookedSend/Tamarind", "HookedSend/GnuObjC", {}, {} },
        { "class lookup: ours / GNU", "ClassLookup/Tamarind", "ClassLookup/GnuObjC", {}, {} },
        { "associated read: ours / GNU", "AssociatedRead/Tamarind", {}, {}, noAssociations },
        { "ours: cached send / virtual call", "CachedSend/Tamarind", "VirtualCall/Cpp", 2.0, {} },
        { "ours: nil send / cached send", "NilSend/Tamarind", "CachedSend/Tamarind", 1.5, {} },
        { "ours: associated read / cached send", "AssociatedRead/Tamarind", "CachedSend/Tamarind", 10.0, {} },
        { "GNU: cached send / virtual call", "CachedSend/GnuObjC", "VirtualCall/Cpp", {}, {} },
        { "GNU: nil send / cached send", "NilSend/GnuObjC", "CachedSend/GnuObjC", {}, {} },
    };
}

// The defaults go first so that the same flags given on the command line win.
std::vector<char*> argumentsWithDefaults(int argc, char** argv)
{
    static char repetitions[] = "--benchmark_repetitions=10";
    static char minTime[] = "--benchmark_min_time=0.1";
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    static char aggregates[] = "--benchmark_display_aggregates_only=true";
    std::vector<char*> args { argv[0], repetitions, minTime, interleave, aggregates };
    args.insert(args.end(), argv + 1, argv + argc);
    args.push_back(nullptr);
    return args;
}

}

int main(int argc, char** argv)
{
    TamarindSubject tam = setUpTamarind();
    GnuSubject gnu = gnuSetUp();
    if (!answersAgree(tam, gnu))
        return 1;
    registerShapes(tam, gnu);

    std::vector<char*> args = argumentsWithDefaults(argc, argv);
    int count = static_cast<int>(args.size()) - 1;
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::cout.flush();
    Verdicts verdicts("runtime-bench", Echo::Silent);
    int missed = reporter.printRatios(ratios(), "EmptyCall/Cpp", stdout, verdicts);
    std::printf("\n%d target(s) missed\n", missed);
    benchmark::Shutdown();
    // A missed target is reported, not an error: ./run bench goes on to the other benchmarks.
    return 0;
}
