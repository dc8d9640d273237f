#include "app/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The program's own options come off the command line; the toolkit's stay,
// in order, for glutInit. (Bad ones end the program: tests/e2e/startup.sh.)
TEST(TakeOptions, TakesItsOwnAndLeavesTheToolkitsInOrder)
{
    struct Case {
        std::vector<std::string> given, kept;
        int mode;
        bool paused;
        const char* recordPath;
        double seconds;
    } cases[] = {
        {{"glitter"}, {"glitter"}, 0, false, nullptr, 4},
        {{"glitter", "-display", ":1", "--mode", "fire", "--record", "out.gif", "-geometry", "300x200", "--seconds",
          "2.5", "-sync"},
         {"glitter", "-display", ":1", "-geometry", "300x200", "-sync"}, 1, false, "out.gif", 2.5},
        {{"glitter", "--paused", "--mode", "fire", "--mode", "glitter"}, {"glitter"}, 0, true, nullptr, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given.size());
        std::vector<std::string> words = c.given;
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        int argc = static_cast<int>(c.given.size());
        const Options options = TakeOptions(&argc, argv.data());
        EXPECT_EQ(c.kept, std::vector<std::string>(argv.begin(), argv.begin() + argc));
        EXPECT_EQ(nullptr, argv[static_cast<size_t>(argc)]);
        EXPECT_EQ(c.mode, options.mode);
        EXPECT_EQ(c.paused, options.paused);
        EXPECT_EQ(c.recordPath ? std::string(c.recordPath) : "", options.recordPath ? options.recordPath : "");
        EXPECT_EQ(c.seconds, options.recordSeconds);
    }
}
