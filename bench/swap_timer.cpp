// LD_PRELOAD library that measures a GLUT program from the outside, so the
// program itself needs no timing code and no options.
//
// - Every glXSwapBuffers is timestamped (CLOCK_MONOTONIC) into a fixed array.
// - SIGUSR1 marks a phase boundary: the driver script sends it to split the
//   run into warm-up and measured phases (odd phases are the measured ones).
// - malloc, calloc, realloc and the aligned allocators are counted; with
//   GLITTER_BENCH_TRACE_ALLOCS=1 the call stacks of allocations made during
//   measured phases are kept (deduplicated) and attributed to the library, or
//   the program, whose code asked for the memory.
// - At exit the summary goes to the file named by GLITTER_BENCH_LOG: time
//   from launch to the first swap (GLITTER_BENCH_LAUNCH holds the launch time,
//   CLOCK_REALTIME seconds), renderer strings, peak resident memory, and per
//   phase the frame rate, frame time median and 99th percentile and the
//   allocation count.
//
// Everything here lives in static storage: the allocation hooks must not
// allocate, and the swap hook must not disturb the frame it times.

#include <GL/gl.h>
#include <GL/glx.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <dlfcn.h>
#include <execinfo.h>
#include <link.h>

extern "C" {
// glibc's allocator under its internal names: calling these avoids looking up
// the "next" malloc with dlsym, which itself allocates.
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

static const int MaxSwaps = 1 << 18;   // about 4 minutes at 1000 frames a second
static const int MaxMarks = 16;
static const int MaxStacks = 512;      // distinct allocation call stacks kept
static const int StackDepth = 40;

struct AllocStack {
    void* frames[StackDepth];
    int depth;
    long count;
    char owner[64];        // "program", or the library that asked for the memory
    bool hasEntry;         // whether the program's code is on the stack at all
    uintptr_t entry;       // innermost program frame, as an address in its ELF file
};

struct AddressRange {
    uintptr_t begin;
    uintptr_t end;
    uintptr_t loadBase;   // address minus loadBase = address in the ELF file
};

static int64_t swapTimesNs[MaxSwaps];
static int64_t sortScratch[MaxSwaps];
static std::atomic<int> swapCount{0};
static std::atomic<long> allocCount{0};

static int markSwaps[MaxMarks];
static int64_t markTimesNs[MaxMarks];
static long markAllocs[MaxMarks];
static std::atomic<int> markCount{0};

static AllocStack stacks[MaxStacks];
static int stackCount;
static long droppedStackCount;          // allocations whose stack found no room
static std::atomic_flag stacksLock = ATOMIC_FLAG_INIT;
static bool traceAllocs;
static AddressRange programRange;
static thread_local bool insideHook;       // the hook's own calls must not recurse

static double launchToFirstSwapMs = -1;
static char rendererName[256];
static char glVersion[256];

static int64_t NowNs(clockid_t clock)
{
    timespec now;
    clock_gettime(clock, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// ---- allocation counting -------------------------------------------------

// The first object dl_iterate_phdr reports is the program itself.
static int FindProgramRange(dl_phdr_info* info, size_t, void* data)
{
    auto* range = static_cast<AddressRange*>(data);
    range->begin = UINTPTR_MAX;
    range->end = 0;
    range->loadBase = info->dlpi_addr;
    for (int i = 0; i < info->dlpi_phnum; i++) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD)
            continue;
        const uintptr_t begin = info->dlpi_addr + segment.p_vaddr;
        if (begin < range->begin)
            range->begin = begin;
        if (begin + segment.p_memsz > range->end)
            range->end = begin + segment.p_memsz;
    }
    return 1;
}

static const char* BaseName(const char* path)
{
    const char* slash = strrchr(path, '/');
    return slash ? slash + 1 : path;
}

// Allocator layers that merely pass a request on: the owner of an allocation
// is the first caller outside them.
static bool IsAllocatorLayer(const char* module)
{
    return strncmp(module, "libc.so", 7) == 0 || strncmp(module, "libstdc++", 9) == 0 ||
        strncmp(module, "libgcc_s", 8) == 0 || strstr(module, "swap_timer") != nullptr;
}

// Names the code that asked for the memory: the first caller outside the
// allocator layers, "program" when that is the program's own code. Done when
// a stack is first seen, while the libraries on it are still loaded (Mesa's
// driver is unloaded before the report is written at exit).
static void AttributeStack(AllocStack& stack)
{
    const char* owner = nullptr;
    stack.hasEntry = false;
    // Frame 0 is NoteAllocation's own call to backtrace.
    for (int i = 1; i < stack.depth; i++) {
        // A return address points after the call: step back into it.
        const uintptr_t address = reinterpret_cast<uintptr_t>(stack.frames[i]) - 1;
        const bool inProgram = address >= programRange.begin && address < programRange.end;
        if (inProgram && !stack.hasEntry) {
            stack.hasEntry = true;
            stack.entry = address - programRange.loadBase;
        }
        if (owner)
            continue;
        if (inProgram) {
            owner = "program";
            continue;
        }
        // Code outside every loaded object is code that llvmpipe generated.
        Dl_info info;
        const char* module = dladdr(reinterpret_cast<void*>(address), &info) && info.dli_fname
            ? BaseName(info.dli_fname) : "jit-code";
        if (!IsAllocatorLayer(module))
            owner = module;
    }
    snprintf(stack.owner, sizeof stack.owner, "%s", owner ? owner : "allocator-only");
}

static bool SameStack(const AllocStack& kept, void* const* frames, int depth)
{
    return kept.depth == depth && memcmp(kept.frames, frames, sizeof(void*) * static_cast<size_t>(depth)) == 0;
}

// The index of the kept stack equal to STACK, or -1. Call with the lock held.
static int FindStack(const AllocStack& stack)
{
    for (int i = 0; i < stackCount; i++)
        if (SameStack(stacks[i], stack.frames, stack.depth))
            return i;
    return -1;
}

static void LockStacks()
{
    while (stacksLock.test_and_set(std::memory_order_acquire)) {
    }
}

static void UnlockStacks()
{
    stacksLock.clear(std::memory_order_release);
}

static void KeepStack(AllocStack& stack)
{
    LockStacks();
    const int kept = FindStack(stack);
    if (kept >= 0)
        stacks[kept].count++;
    UnlockStacks();
    if (kept >= 0)
        return;
    // A new stack. dladdr takes the loader's lock, so attribute it outside
    // ours: a thread inside dlopen may be waiting on ours from its malloc.
    AttributeStack(stack);
    LockStacks();
    const int keptMeanwhile = FindStack(stack);
    if (keptMeanwhile >= 0)
        stacks[keptMeanwhile].count++;
    else if (stackCount < MaxStacks)
        stacks[stackCount++] = stack;
    else
        droppedStackCount++;
    UnlockStacks();
}

// Called on every allocation, from any thread.
static void NoteAllocation()
{
    allocCount.fetch_add(1, std::memory_order_relaxed);
    const bool measuring = markCount.load(std::memory_order_relaxed) % 2 == 1;
    if (!traceAllocs || !measuring || insideHook)
        return;
    insideHook = true;
    AllocStack stack;
    stack.depth = backtrace(stack.frames, StackDepth);
    stack.count = 1;
    KeepStack(stack);
    insideHook = false;
}

extern "C" void* malloc(size_t size)
{
    NoteAllocation();
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size)
{
    NoteAllocation();
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size)
{
    NoteAllocation();
    return __libc_realloc(block, size);
}

extern "C" void* memalign(size_t alignment, size_t size)
{
    NoteAllocation();
    return __libc_memalign(alignment, size);
}

extern "C" void* aligned_alloc(size_t alignment, size_t size)
{
    NoteAllocation();
    return __libc_memalign(alignment, size);
}

extern "C" int posix_memalign(void** block, size_t alignment, size_t size)
{
    // The alignment must be a power of two and a multiple of a pointer's size.
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    NoteAllocation();
    void* result = __libc_memalign(alignment, size);
    if (!result)
        return ENOMEM;
    *block = result;
    return 0;
}

// ---- swap timing -----------------------------------------------------------

static void NoteFirstFrame()
{
    // Looked up rather than linked, so the library needs no libGL of its own.
    using GetStringFn = const GLubyte* (*)(GLenum);
    auto getString = reinterpret_cast<GetStringFn>(dlsym(RTLD_DEFAULT, "glGetString"));
    if (getString) {
        const GLubyte* renderer = getString(GL_RENDERER);
        const GLubyte* version = getString(GL_VERSION);
        snprintf(rendererName, sizeof rendererName, "%s", renderer ? reinterpret_cast<const char*>(renderer) : "?");
        snprintf(glVersion, sizeof glVersion, "%s", version ? reinterpret_cast<const char*>(version) : "?");
    }
}

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    using SwapFn = void (*)(Display*, GLXDrawable);
    static SwapFn realSwap = reinterpret_cast<SwapFn>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    const int index = swapCount.load(std::memory_order_relaxed);
    if (index == 0)
        NoteFirstFrame();
    realSwap(display, drawable);
    // The frame is done once the swap has been handed over.
    const int64_t doneNs = NowNs(CLOCK_MONOTONIC);
    if (index == 0) {
        const char* launch = getenv("GLITTER_BENCH_LAUNCH");
        if (launch)
            launchToFirstSwapMs = static_cast<double>(NowNs(CLOCK_REALTIME)) / 1e6 - strtod(launch, nullptr) * 1e3;
    }
    if (index < MaxSwaps)
        swapTimesNs[index] = doneNs;
    swapCount.store(index + 1, std::memory_order_release);
}

// SIGUSR1: close the current phase and open the next.
static void MarkPhase(int)
{
    const int mark = markCount.load();
    if (mark >= MaxMarks)
        return;
    markSwaps[mark] = swapCount.load();
    markTimesNs[mark] = NowNs(CLOCK_MONOTONIC);
    markAllocs[mark] = allocCount.load();
    markCount.store(mark + 1);
}

// ---- the report at exit ----------------------------------------------------

static int CompareNs(const void* a, const void* b)
{
    const int64_t x = *static_cast<const int64_t*>(a);
    const int64_t y = *static_cast<const int64_t*>(b);
    return (x > y) - (x < y);
}

// Frame times are the gaps between consecutive swaps that both fall in the
// phase; swaps [first, end) belong to it.
static void WritePhase(FILE* log, int phase, int first, int end, long allocs)
{
    first = first < MaxSwaps ? first : MaxSwaps;
    end = end < MaxSwaps ? end : MaxSwaps;
    const int frames = end - first;
    int gaps = 0;
    for (int i = first + 1; i < end; i++)
        sortScratch[gaps++] = swapTimesNs[i] - swapTimesNs[i - 1];
    if (gaps == 0) {
        fprintf(log, "phase %d frames %d allocs %ld\n", phase, frames, allocs);
        return;
    }
    const double seconds = static_cast<double>(swapTimesNs[end - 1] - swapTimesNs[first]) / 1e9;
    qsort(sortScratch, static_cast<size_t>(gaps), sizeof sortScratch[0], CompareNs);
    const double medianMs = static_cast<double>(sortScratch[gaps / 2]) / 1e6;
    const double p99Ms = static_cast<double>(sortScratch[(gaps * 99) / 100]) / 1e6;
    fprintf(log, "phase %d frames %d seconds %.3f fps %.1f median_ms %.3f p99_ms %.3f allocs %ld allocs_per_frame %.2f\n",
        phase, frames, seconds, gaps / seconds, medianMs, p99Ms, allocs,
        static_cast<double>(allocs) / frames);
}

static long PeakResidentKb()
{
    FILE* status = fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kb = -1;
    while (fgets(line, sizeof line, status))
        if (sscanf(line, "VmHWM: %ld kB", &kb) == 1)
            break;
    fclose(status);
    return kb;
}

// Writes "stack COUNT OWNER ENTRY": ENTRY is the innermost program frame
// ("program+0xADDRESS", the program's call that led there), or "-" when the
// program's code is not on the stack.
static void WriteStack(FILE* log, const AllocStack& stack)
{
    fprintf(log, "stack %ld %s ", stack.count, stack.owner);
    if (stack.hasEntry)
        fprintf(log, "program+0x%lx\n", static_cast<unsigned long>(stack.entry));
    else
        fprintf(log, "-\n");
}

static void WriteReport(FILE* log)
{
    const int swaps = swapCount.load();
    const int marks = markCount.load();
    fprintf(log, "swaps %d\n", swaps);
    fprintf(log, "launch_to_first_swap_ms %.1f\n", launchToFirstSwapMs);
    fprintf(log, "peak_rss_kb %ld\n", PeakResidentKb());
    fprintf(log, "renderer %s\n", rendererName);
    fprintf(log, "gl_version %s\n", glVersion);
    int first = 0;
    long allocsBefore = 0;
    for (int phase = 0; phase <= marks; phase++) {
        const int end = phase < marks ? markSwaps[phase] : swaps;
        const long allocsAtEnd = phase < marks ? markAllocs[phase] : allocCount.load();
        WritePhase(log, phase, first, end, allocsAtEnd - allocsBefore);
        first = end;
        allocsBefore = allocsAtEnd;
    }
    if (!traceAllocs)
        return;
    fprintf(log, "traced_stacks %d dropped %ld\n", stackCount, droppedStackCount);
    for (int i = 0; i < stackCount; i++)
        WriteStack(log, stacks[i]);
}

__attribute__((constructor)) static void StartMeasuring()
{
    const char* trace = getenv("GLITTER_BENCH_TRACE_ALLOCS");
    traceAllocs = trace && strcmp(trace, "1") == 0;
    if (traceAllocs) {
        dl_iterate_phdr(FindProgramRange, &programRange);
        // The first backtrace loads the unwinder, which allocates: do it now.
        void* frames[4];
        insideHook = true;
        backtrace(frames, 4);
        insideHook = false;
    }
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = MarkPhase;
    action.sa_flags = SA_RESTART;   // the event loop's reads and polls carry on
    sigaction(SIGUSR1, &action, nullptr);
}

__attribute__((destructor)) static void WriteMeasurements()
{
    const char* path = getenv("GLITTER_BENCH_LOG");
    if (!path)
        return;
    insideHook = true;   // the report's own allocations are not the program's
    FILE* log = fopen(path, "w");
    if (!log) {
        fprintf(stderr, "swap_timer: cannot write %s: %s\n", path, strerror(errno));
        return;
    }
    WriteReport(log);
    fclose(log);
}
