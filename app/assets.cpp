#include "app/assets.h"

#include "app/frame.h"
#include "app/platform.h"
#include "gl/bmp_texture.h"
#include "gl/shader_program.h"

#include <cstdio>

const ProgramFiles ShaderFiles[2] = {{"confetti.vert", nullptr}, {"fire.vert", "fire.frag"}};
const char* const SpriteFile = "particle.bmp";

// Five checks a second: a saved file shows within half a second, and the
// check itself (a few stat calls) costs nothing a frame would notice.
static const unsigned CheckIntervalMs = 200;

static const int FeedsSprite = 2;

struct WatchedFile {
    const char* path;
    int feeds;        // 0 or 1: that mode's program; FeedsSprite: the sprite texture
    FileStamp used;   // as last built from (or found missing)
    FileStamp seen;   // at the last check
};

static WatchedFile watched[4];   // the four asset files
static int watchedCount = 0;
static GLuint spriteTexture = 0;

static void Watch(const char* path, int feeds)
{
    const FileStamp now = StampFile(path);
    watched[watchedCount++] = WatchedFile{path, feeds, now, now};
}

// Builds mode's program afresh; on success it replaces the old one from the
// next frame on, and the old one goes (its shaders with it).
static void ReloadProgram(int mode)
{
    Failure failure;
    const GLuint program = TryCreateShaderProg(ShaderFiles[mode].vertex, ShaderFiles[mode].fragment, &failure);
    if (!program) {
        fprintf(stderr, "%sReload failed: the previous %s shaders stay in use\n", failure.message, ModeNames[mode]);
        return;
    }
    glDeleteProgram(programs[mode]);
    programs[mode] = program;
}

static void ReloadSprite()
{
    Failure failure;
    const GLuint texture = TryLoadTexBMP(SpriteFile, &failure);
    if (!texture) {
        fprintf(stderr, "%sReload failed: the previous sprite stays in use\n", failure.message);
        return;
    }
    // The new texture is bound to unit 0 already, where the sprites sample it.
    glDeleteTextures(1, &spriteTexture);
    spriteTexture = texture;
}

void CheckAssets()
{
    bool rebuild[3] = {false, false, false};
    for (int i = 0; i < watchedCount; i++) {
        WatchedFile& file = watched[i];
        const FileStamp now = StampFile(file.path);
        // A change must hold still for a whole check, so that a file caught
        // in the middle of a save is never built half-written. A file that
        // has gone counts as a change too, reported once.
        if (SameStamp(now, file.seen) && !SameStamp(now, file.used)) {
            file.used = now;
            rebuild[file.feeds] = true;
        }
        file.seen = now;
    }
    for (int mode = 0; mode < 2; mode++)
        if (rebuild[mode])
            ReloadProgram(mode);
    if (rebuild[FeedsSprite])
        ReloadSprite();
}

static void CheckAssetsAndWait(int)
{
    CheckAssets();
    glutTimerFunc(CheckIntervalMs, CheckAssetsAndWait, 0);
}

void WatchAssets(GLuint sprite)
{
    spriteTexture = sprite;
    watchedCount = 0;
    for (int mode = 0; mode < 2; mode++) {
        Watch(ShaderFiles[mode].vertex, mode);
        if (ShaderFiles[mode].fragment)
            Watch(ShaderFiles[mode].fragment, mode);
    }
    Watch(SpriteFile, FeedsSprite);
    glutTimerFunc(CheckIntervalMs, CheckAssetsAndWait, 0);
}
