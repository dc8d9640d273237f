#include "app/assets.h"
#include "gl/bmp_texture.h"
#include "gl/knob_annotations.h"
#include "gl/shader_program.h"
#include "tests/support.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// The file a folder gives the program for one of its four names: its own, or
// the shipped one where it leaves that name alone.
static std::string FileFor(const fs::path& folder, const std::string& name)
{
    return fs::exists(folder / name) ? (folder / name).string() : GLITTER_ASSET_DIR "/" + name;
}

// The shipped files and every example of the gallery, as the program builds
// them. ctest runs this twice: on the display's own GL and on a driver
// limited to OpenGL 2.0 and GLSL 1.10, where every info log must be empty.
// Each set gives each mode it has files for two to four knobs, all of
// them well formed and used.
TEST(ShaderSets, ShippedAndEveryExampleBuildWithoutAnyLogAndLoadTheirSprite)
{
    OpenTestWindow();
    const char* strict = getenv("MESA_GL_VERSION_OVERRIDE");
    if (strict && strcmp(strict, "2.0") == 0) {
        ASSERT_EQ(0, strncmp("2.0", reinterpret_cast<const char*>(glGetString(GL_VERSION)), 3));
    }
    std::vector<fs::path> folders = {GLITTER_ASSET_DIR};
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(GLITTER_EXAMPLE_DIR, error))
        if (entry.is_directory())
            folders.push_back(entry.path());
    ASSERT_GE(folders.size(), 7u) << "too few examples in " GLITTER_EXAMPLE_DIR;
    std::set<std::string> known(std::begin(AssetFiles), std::end(AssetFiles));
    known.insert("README.md");
    for (const fs::path& folder : folders) {
        SCOPED_TRACE(folder.string());
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
            EXPECT_EQ(1u, known.count(entry.path().filename().string())) << "a file the program never reads";
        Failure failure{};
        GLuint glitter = 0, fire = 0, sprite = 0;
        static KnobList glitterKnobs, fireKnobs;
        EXPECT_EQ("", StderrOf([&] {
            glitter = TryCreateShaderProg(FileFor(folder, ShaderFiles[0].vertex).c_str(), nullptr, &failure,
                                          &glitterKnobs);
            fire = TryCreateShaderProg(FileFor(folder, ShaderFiles[1].vertex).c_str(),
                                       FileFor(folder, ShaderFiles[1].fragment).c_str(), &failure, &fireKnobs);
            sprite = TryLoadTexBMP(FileFor(folder, SpriteFile).c_str(), &failure);
        }));
        ASSERT_TRUE(glitter && fire && sprite) << failure.message;
        // An effect that does not read the clock does not move.
        EXPECT_GE(glGetUniformLocation(glitter, "time"), 0);
        EXPECT_GE(glGetUniformLocation(fire, "time"), 0);
        const struct {
            GLuint program;
            const KnobList& knobs;
            bool own;   // the folder has the mode's files
        } modes[] = {{glitter, glitterKnobs, fs::exists(folder / ShaderFiles[0].vertex)},
                     {fire, fireKnobs, fs::exists(folder / ShaderFiles[1].vertex)}};
        for (const auto& mode : modes) {
            if (!mode.own)
                continue;
            EXPECT_TRUE(mode.knobs.count >= 2 && mode.knobs.count <= 4) << mode.knobs.count << " knobs";
            EXPECT_EQ(0, mode.knobs.warningCount) << mode.knobs.warnings[0].message;
            for (int i = 0; i < mode.knobs.count; i++)
                EXPECT_GE(glGetUniformLocation(mode.program, mode.knobs.knobs[i].name), 0) << mode.knobs.knobs[i].name;
        }
    }
}
