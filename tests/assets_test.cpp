#include "app/assets.h"
#include "app/frame.h"
#include "gl/bmp_texture.h"
#include "gl/shader_program.h"
#include "tests/support.h"

#include <unistd.h>

#include <filesystem>

static GLint Bound2DTexture()
{
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return bound;
}

// Start-up as the program does it, in a folder of copies of the shipped
// assets, and then the timer's checks one at a time.
TEST(CheckAssets, RebuildsAChangedFileOnceItHoldsStillAndDeletesWhatItReplaces)
{
    OpenTestWindow();
    ASSERT_EQ(0, chdir(ScratchDir().c_str()));
    for (const char* name : {"confetti.vert", "fire.vert", "fire.frag", "particle.bmp"})
        std::filesystem::copy_file(std::string(GLITTER_ASSET_DIR "/") + name, name);
    programs[0] = CreateShaderProg(ShaderFiles[0].vertex, ShaderFiles[0].fragment);
    programs[1] = CreateShaderProg(ShaderFiles[1].vertex, ShaderFiles[1].fragment);
    const GLuint glitter = programs[0], fire = programs[1], sprite = LoadTexBMP(SpriteFile);
    WatchAssets(sprite);

    // Caught in the middle of a save, and still changing at the next check.
    WriteScratchFile("fire.frag", "#version 110\nvoid main() { gl_FragColor = vec4(1.0); }\n");
    CheckAssets();
    WriteScratchFile("fire.frag", "#version 110\nvoid main() { gl_FragColor = vec4(0.5, 1.0, 0.5, 1.0); }\n");
    CheckAssets();
    EXPECT_EQ(fire, programs[1]);
    // Held still for a whole check: built, and the old program deleted.
    CheckAssets();
    EXPECT_NE(fire, programs[1]);
    EXPECT_FALSE(glIsProgram(fire));
    EXPECT_EQ(glitter, programs[0]);

    WriteScratchFile("particle.bmp", BmpOf(2, 2));
    CheckAssets();
    CheckAssets();
    EXPECT_NE(static_cast<GLint>(sprite), Bound2DTexture());
    EXPECT_FALSE(glIsTexture(sprite));

    // Nothing new: nothing is built or said.
    const GLuint rebuilt = programs[1];
    EXPECT_EQ("", StderrOf([] {
        CheckAssets();
        CheckAssets();
    }));
    // A broken save keeps the program in use and leaves no other behind.
    WriteScratchFile("fire.frag", "#version 110\nvoid main() { gl_FragColor = vec4(1.0) }\n");
    StderrOf([] {
        CheckAssets();
        CheckAssets();
    });
    EXPECT_EQ(rebuilt, programs[1]);
    int programsAlive = 0;
    for (GLuint name = 1; name < 1000; name++)
        programsAlive += glIsProgram(name);
    EXPECT_EQ(2, programsAlive);
}
