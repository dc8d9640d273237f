#include "app/assets.h"
#include "app/frame.h"
#include "app/knobs.h"
#include "app/reload_errors.h"
#include "gl/bmp_texture.h"
#include "gl/files.h"
#include "gl/shader_program.h"
#include "tests/support.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>

namespace fs = std::filesystem;

// Two fragment shaders of the same length, for edits that keep the size.
static const char* const Grey = "#version 110\nvoid main() { gl_FragColor = vec4(0.25); }\n";
static const char* const White = "#version 110\nvoid main() { gl_FragColor = vec4(0.75); }\n";
static const std::string KeptFire = "Reload failed: the previous Fire shaders stay in use\n";

static int ProgramsAlive()
{
    int alive = 0;
    for (GLuint name = 1; name < 1000; name++)
        alive += glIsProgram(name);
    return alive;
}

static GLint Bound2DTexture()
{
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return bound;
}

// Start-up as the program does it, in a folder of copies of the shipped
// assets, then the watcher's checks one at a time on a clock of the test's.
class Reload : public testing::Test {
protected:
    GLuint sprite = 0;

    void SetUp() override
    {
        OpenTestWindow();
        fs::current_path(ScratchDir());
        for (const char* name : AssetFiles)
            fs::copy_file(fs::path(GLITTER_ASSET_DIR) / name, name, fs::copy_options::overwrite_existing);
        sprite = LoadAssets();
        WatchAssets(sprite);
    }

    // Checks at each time in turn (milliseconds) and returns what was printed.
    static std::string CheckAt(std::initializer_list<int> times)
    {
        return StderrOf([&] {
            for (int ms : times)
                CheckAssetsAt(ms);
        });
    }
};

// A change is built once every file of its program has rested 120 ms: two
// files saved 0.1 s apart build together.
TEST_F(Reload, BuildsOnceEveryFileOfAProgramHasRestedAndDeletesWhatItReplaces)
{
    const GLuint glitter = programs[0], fire = programs[1];
    // Built alone, either new file fails to link with the other's old version.
    WriteScratchFile("fire.frag", "#version 110\nvarying vec4 tint;\nvoid main() { gl_FragColor = tint; }\n");
    EXPECT_EQ("", CheckAt({0, 50, 100}));
    WriteScratchFile("fire.vert", "#version 110\nvarying vec4 tint;\n"
                                  "void main() { gl_Position = ftransform(); tint = gl_Color; }\n");
    EXPECT_EQ("", CheckAt({100, 200, 219}));
    EXPECT_EQ(fire, programs[1]);
    EXPECT_EQ("", CheckAt({220}));
    EXPECT_NE(fire, programs[1]);
    EXPECT_FALSE(glIsProgram(fire));
    EXPECT_EQ(glitter, programs[0]);

    WriteScratchFile("particle.bmp", BmpOf(2, 2));
    CheckAt({300, 420});
    EXPECT_NE(static_cast<GLint>(sprite), Bound2DTexture());
    EXPECT_FALSE(glIsTexture(sprite));

    // Nothing new, the files' bytes compared too: nothing built or said.
    const GLuint rebuilt = programs[1];
    EXPECT_EQ("", CheckAt({1500, 2600, 3700}));
    EXPECT_EQ(rebuilt, programs[1]);

    // A file found empty is likely half saved: it is built after 1 s.
    WriteScratchFile("fire.frag", "");
    EXPECT_EQ("", CheckAt({4000, 4500, 4999}));
    EXPECT_EQ("Cannot read 0 bytes for text file fire.frag\n" + KeptFire, CheckAt({5000}));
}

// Writes text to path with the size and time fire.frag has now.
static void WriteKeepingSizeAndTime(const std::string& path, const char* text)
{
    const fs::file_time_type time = fs::last_write_time("fire.frag");
    WriteScratchFile(path, text);
    fs::last_write_time(path, time);
}

// Saves that only the file's identity or its bytes tell apart are seen and
// built (a save that changes the size is the first test's): an edit that
// leaves the file's size and time as they were is seen by its bytes, within
// 2 s.
TEST_F(Reload, SeesEveryWayOfSavingAFile)
{
    struct Case {
        const char* name;
        void (*save)();
        bool onlyByItsBytes;
    } cases[] = {
        {"a new file renamed over it", [] {
             WriteKeepingSizeAndTime("fire.frag.new", White);
             fs::rename("fire.frag.new", "fire.frag");
         }, false},
        {"rewritten in place, size and time kept", [] { WriteKeepingSizeAndTime("fire.frag", White); }, true},
    };
    int ms = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteScratchFile("fire.frag", Grey);
        // Whole seconds, which every system can set again exactly.
        fs::last_write_time("fire.frag", std::chrono::floor<std::chrono::seconds>(fs::last_write_time("fire.frag")));
        CheckAt({ms += 5000, ms + 200});
        const GLuint before = programs[1];
        c.save();
        EXPECT_EQ("", CheckAt({ms + 300, ms + 500}));
        if (c.onlyByItsBytes)
            EXPECT_EQ(before, programs[1]) << "its stamp cannot tell";
        else
            EXPECT_NE(before, programs[1]);
        EXPECT_EQ("", CheckAt({ms + 1600, ms + 1800}));
        EXPECT_NE(before, programs[1]);
    }
}

// A save that does not build leaves the last good build in use, says why on
// stderr as start-up would, and shows it over the scene until a good save.
TEST_F(Reload, AFailedBuildKeepsTheLastGoodOneAndShowsWhy)
{
    const GLuint fire = programs[1];
    const int programsAlive = ProgramsAlive();
    const char* broken = "#version 110\nvoid main()\n{\n    gl_FragColor = vec4(1.0) +;\n}\n";
    WriteScratchFile("fire.frag", broken);
    const std::string log = InfoLogOf(GL_FRAGMENT_SHADER, broken);
    EXPECT_EQ("fire.frag:\n" + log + "\nError compiling fire.frag\n" + KeptFire, CheckAt({0, 120}));
    EXPECT_EQ(fire, programs[1]);
    const std::string firstLogLine = log.substr(0, log.find('\n') + 1);
    EXPECT_EQ("fire.vert, fire.frag\nError compiling fire.frag\n" + KeptFire + firstLogLine +
              "   4 | gl_FragColor = vec4(1.0) +;\n", ReloadErrorText(FireShaders));
    EXPECT_STREQ("fire.frag", ReloadErrorFile(FireShaders));
    EXPECT_EQ(4, ReloadErrorLine(FireShaders));
    EXPECT_EQ(programsAlive, ProgramsAlive()) << "the failed build left a program behind";

    WriteScratchFile("particle.bmp", "not an image");
    EXPECT_EQ("Image magic not BMP in particle.bmp\nReload failed: the previous sprite stays in use\n",
              CheckAt({200, 320}));
    EXPECT_EQ(static_cast<GLint>(sprite), Bound2DTexture());
    EXPECT_STRNE("", ReloadErrorText(SpriteImage));

    WriteScratchFile("fire.frag", White);
    EXPECT_EQ("", CheckAt({400, 520}));
    EXPECT_NE(fire, programs[1]);
    EXPECT_STREQ("", ReloadErrorText(FireShaders));
    EXPECT_STREQ("", ReloadErrorFile(FireShaders));
    EXPECT_EQ(0, ReloadErrorLine(FireShaders));
}

// A shader file over 1 MiB is refused unread, with its size and the limit,
// like a folder: not tried again until it changes. One of exactly 1 MiB builds.
TEST_F(Reload, RefusesAShaderFileOverOneMebibyteUntilItChanges)
{
    const GLuint fire = programs[1];
    const std::string white = White;
    const auto padded = [&](size_t size) { return white + "//" + std::string(size - white.size() - 3, ' ') + "\n"; };
    WriteScratchFile("fire.frag", padded(1048577));
    EXPECT_EQ("Cannot read text file fire.frag: 1048577 bytes, more than the 1048576 a shader may have\n" + KeptFire,
              CheckAt({0, 120, 130, 1200}));
    EXPECT_EQ(fire, programs[1]);
    EXPECT_NE(std::string::npos, std::string(ReloadErrorText(FireShaders)).find("1048577 bytes"));
    WriteScratchFile("fire.frag", padded(1048576));
    EXPECT_EQ("", CheckAt({1300, 1420}));
    EXPECT_NE(fire, programs[1]);
    EXPECT_STREQ("", ReloadErrorText(FireShaders));
}

// A file that cannot be opened just now (another program holds it) is tried
// again at each check, and said once.
TEST_F(Reload, RetriesAFileItCouldNotReadAtEachCheckAndSaysSoOnce)
{
    const GLuint fire = programs[1];
    WriteScratchFile("fire.frag", White);
    WriteScratchFile("particle.bmp", BmpOf(2, 2));
    const std::string printed = StderrOf([] {
        CheckAssetsAt(0);
        BlockOpening({"fire.vert", "particle.bmp"});
        for (int ms : {120, 130, 1100, 1110})
            CheckAssetsAt(ms);
        UnblockOpening();
    });
    EXPECT_EQ("Cannot open text file fire.vert\n" + KeptFire + "Cannot open file particle.bmp\n"
              "Reload failed: the previous sprite stays in use\n", printed);
    EXPECT_EQ(fire, programs[1]);
    EXPECT_EQ(static_cast<GLint>(sprite), Bound2DTexture());
    EXPECT_EQ("", CheckAt({1120}));
    EXPECT_NE(fire, programs[1]);
    EXPECT_NE(static_cast<GLint>(sprite), Bound2DTexture());
    EXPECT_STREQ("", ReloadErrorText(FireShaders));
    EXPECT_STREQ("", ReloadErrorText(SpriteImage));

    // A file that is gone is said once, and built once it is back.
    fs::remove("fire.frag");
    EXPECT_EQ("Cannot open text file fire.frag\n" + KeptFire, CheckAt({1200, 1320, 1330, 2400}));
    WriteScratchFile("fire.frag", Grey);
    EXPECT_EQ("", CheckAt({2410, 2530}));
    EXPECT_STREQ("", ReloadErrorText(FireShaders));
}

// An editor's save never fails because the program has the file open: it
// may even delete it meanwhile. (Older Windows, and Wine, refuse to rename a
// file over one that is open, whatever the sharing; the program holds a file
// only for the moment of a read.)
TEST(OpenRegularFile, LeavesAFileFreeToBeDeletedWhileItIsOpen)
{
    const std::string path = WriteScratchFile("held.frag", Grey);
    bool notRegular = true;
    FILE* file = OpenRegularFile(path.c_str(), &notRegular);
    ASSERT_NE(nullptr, file);
    EXPECT_FALSE(notRegular);
    std::error_code removed;
    fs::remove(path, removed);
    fclose(file);
    EXPECT_FALSE(removed) << removed.message();
}

// The index of mode's knob named name, -1 if it has none.
static int KnobIndex(int mode, const char* name)
{
    const KnobList& knobs = KnobsOf(mode);
    for (int i = 0; i < knobs.count; i++)
        if (strcmp(knobs.knobs[i].name, name) == 0)
            return i;
    return -1;
}

// The shipped fire.vert with its text from changed to to.
static std::string FireVertWith(const std::string& from, const std::string& to)
{
    std::ifstream file(fs::path(GLITTER_ASSET_DIR) / "fire.vert", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// A reload keeps the value the user gave a knob while the file leaves the
// knob as it was, and takes the file's value once that changes. A malformed
// annotation is said on stderr and over the scene, with its line quoted; the
// shader runs without that knob, and the warning stays until a build
// without it. Start-up says the same.
TEST_F(Reload, KnobsKeepTheUsersValueAndAMalformedOneIsSaidAndLeftOut)
{
    const int rise = KnobIndex(FireShaders, "Rise");
    ASSERT_GE(rise, 0);
    ASSERT_TRUE(SetKnobValue(FireShaders, rise, 0, 4.0f));
    WriteScratchFile("fire.vert", FireVertWith("#version 110\n", "#version 110\n// edited\n"));
    EXPECT_EQ("", CheckAt({0, 120}));
    EXPECT_EQ(4.0f, KnobsOf(FireShaders).knobs[KnobIndex(FireShaders, "Rise")].value[0]);
    WriteScratchFile("fire.vert", FireVertWith("= 2.5", "= 3.0"));
    EXPECT_EQ("", CheckAt({200, 320}));
    EXPECT_EQ(3.0f, KnobsOf(FireShaders).knobs[KnobIndex(FireShaders, "Rise")].value[0]);

    const GLuint fire = programs[1];
    const std::string reversed = FireVertWith("@slider -1.5 1.5", "@slider 1.5 -1.5");
    WriteScratchFile("fire.vert", reversed);
    const size_t windAt = reversed.find("uniform float Wind;");
    const std::string line = std::to_string(std::count(reversed.begin(), reversed.begin() + windAt, '\n') + 1);
    const std::string warning = "fire.vert:" + line + ": knob ignored: @slider's MIN 1.5 is not below its MAX -1.5\n" +
                                std::string(4 - line.size(), ' ') + line + " | " +
                                reversed.substr(windAt, reversed.find('\n', windAt) - windAt) + "\n";
    EXPECT_EQ(warning, CheckAt({400, 520}));
    EXPECT_NE(fire, programs[1]) << "the shader does not run";
    EXPECT_EQ(-1, KnobIndex(FireShaders, "Wind"));
    EXPECT_EQ(warning, BuildWarningsText(FireShaders));
    EXPECT_STREQ("", ReloadErrorText(FireShaders));
    // Start-up shows it too.
    EXPECT_EQ(warning, StderrOf([] { WatchAssets(LoadAssets()); }));
    EXPECT_EQ(warning, BuildWarningsText(FireShaders));

    fs::copy_file(fs::path(GLITTER_ASSET_DIR) / "fire.vert", "fire.vert", fs::copy_options::overwrite_existing);
    EXPECT_EQ("", CheckAt({600, 720}));
    EXPECT_STREQ("", BuildWarningsText(FireShaders));
    EXPECT_GE(KnobIndex(FireShaders, "Wind"), 0);
}
