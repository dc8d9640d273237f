#include "app/options.h"

#include "gl/diagnostics.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

static const char* const Usage =
    "the options are --mode glitter|fire, --paused, --record FILE.gif and --seconds S";

// The value after option at argv[i], which must be there.
static const char* ValueOf(int argc, char* argv[], int i, const char* wanted)
{
    if (i + 1 >= argc)
        ExitWithError("%s needs %s\n", argv[i], wanted);
    return argv[i + 1];
}

static int ModeNamed(const char* name)
{
    if (strcmp(name, "glitter") == 0)
        return 0;
    if (strcmp(name, "fire") == 0)
        return 1;
    ExitWithError("--mode takes glitter or fire, not '%s'\n", name);
}

static double SecondsIn(const char* text)
{
    char* end = nullptr;
    errno = 0;
    const double seconds = strtod(text, &end);
    if (end == text || *end != '\0' || errno != 0 || !(seconds > 0 && seconds <= LongestRecordSeconds))
        ExitWithError("--seconds takes a number of seconds above 0 and up to %g, not '%s'\n", LongestRecordSeconds,
                      text);
    return seconds;
}

Options TakeOptions(int* argc, char* argv[])
{
    Options options = {0, false, nullptr, DefaultRecordSeconds};
    bool secondsGiven = false;
    int kept = 1;
    for (int i = 1; i < *argc; i++) {
        const char* option = argv[i];
        if (strcmp(option, "--mode") == 0) {
            options.mode = ModeNamed(ValueOf(*argc, argv, i++, "glitter or fire"));
        } else if (strcmp(option, "--paused") == 0) {
            options.paused = true;
        } else if (strcmp(option, "--record") == 0) {
            options.recordPath = ValueOf(*argc, argv, i++, "the name of the GIF file to write");
        } else if (strcmp(option, "--seconds") == 0) {
            options.recordSeconds = SecondsIn(ValueOf(*argc, argv, i++, "a number of seconds"));
            secondsGiven = true;
        } else if (strncmp(option, "--", 2) == 0) {
            ExitWithError("Unknown option %s: %s\n", option, Usage);
        } else {
            argv[kept++] = argv[i];   // the toolkit's
        }
    }
    argv[kept] = nullptr;
    *argc = kept;
    if (secondsGiven && !options.recordPath)
        ExitWithError("--seconds is how long to record: it needs --record FILE.gif\n");
    if (options.paused && options.recordPath)
        ExitWithError("--paused and --record do not go together: a recording starts at 0 and runs\n");
    return options;
}
