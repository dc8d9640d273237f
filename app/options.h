// The program's own options, which come before the toolkit sees the command
// line:
//
//   --mode glitter|fire   the mode to start in (Glitter by default)
//   --paused              start with the clock paused at 0
//   --record FILE.gif     record an animated GIF instead of opening the
//                         picture for the user, then exit
//   --seconds S           how much of the animation to record (default 4)
#pragma once

struct Options {
    int mode;                 // 0 Glitter, 1 Fire
    bool paused;
    const char* recordPath;   // null: no recording
    double recordSeconds;
};

inline constexpr double DefaultRecordSeconds = 4;
inline constexpr double LongestRecordSeconds = 60;

// Takes the program's own options out of the command line, leaving the
// rest (the toolkit's options, such as -display or -geometry) in their
// order for glutInit. An option it does not know (one that starts with
// "--"), a missing or bad value, or options that do not go together end the
// program with one line on stderr and exit status 1.
Options TakeOptions(int* argc, char* argv[]);
