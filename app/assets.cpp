#include "app/assets.h"

#include "app/frame.h"
#include "app/host_events.h"
#include "app/knobs.h"
#include "app/reload_errors.h"
#include "gl/bmp_image.h"
#include "gl/bmp_texture.h"
#include "gl/diagnostics.h"
#include "gl/files.h"
#include "gl/shader_program.h"
#include "gl/text_file.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <iterator>

// A check is a few stat calls: many a second cost nothing a frame would
// notice, and a save shows as soon as it has rested.
static const int CheckIntervalMs = 10;
// How long a change must rest before it is built: longer than the 0.1 s by
// which an editor's "Save All" or a git checkout may spread the files of one
// program, and long enough that a file still being written is not built.
static const int SettleMs = 120;
// A file found empty is most likely half saved: an editor that saves in place
// empties the file before it writes, and a busy system can hold it between
// the two for longer than SettleMs. Only a file that stays empty this long is
// built, and reported empty.
static const int EmptyFileSettleMs = 1000;
// How often the files' bytes are compared, for edits that left a file's size
// and time as they were (coarse clocks, tools that keep times).
static const int ContentCheckMs = 1000;

struct WatchedFile {
    const char* path;
    int target;                   // the ReloadTarget it is built into
    FileStamp stamp;              // at the last check
    unsigned long long content;   // fingerprint at the last content check
};

struct TargetState {
    bool changed;      // a file changed since the last build
    int changedAtMs;   // when the latest change was seen
    bool retrying;     // the last build could not read a file: try at each check
};

// A program for each mode, and what a reload rebuilds: each mode's program,
// then the sprite.
static_assert(std::size(ShaderFiles) == std::size(programs), "a list of files for each mode's program");
static_assert(std::size(ShaderFiles) == SpriteImage && SpriteImage + 1 == ReloadTargetCount,
              "a reload target for each mode's program, then one for the sprite");

static WatchedFile watched[std::size(AssetFiles)];
static int watchedCount = 0;
static TargetState targets[ReloadTargetCount];
static int nextContentCheckMs = 0;
static GLuint spriteTexture = 0;
static KnobList builtKnobs;   // of the program just built
// Rebuilding for new graphics: there is no previous build left to keep.
static bool graphicsReset = false;

GLuint LoadAssets()
{
    for (int mode = 0; mode < 2; mode++) {
        programs[mode] = CreateShaderProg(ShaderFiles[mode].vertex, ShaderFiles[mode].fragment, &builtKnobs);
        AdoptKnobs(mode, programs[mode], builtKnobs);
    }
    return LoadTexBMP(SpriteFile);
}

static void Watch(const char* path, int target)
{
    watched[watchedCount++] = WatchedFile{path, target, StampFile(path), HashFile(path)};
}

// Builds mode's program afresh; on success it replaces the old one from the
// next frame on, with its knobs, and the old one goes (its shaders with it).
static bool ReloadProgram(int mode, Failure* failure)
{
    const GLuint program =
        TryCreateShaderProg(ShaderFiles[mode].vertex, ShaderFiles[mode].fragment, failure, &builtKnobs);
    if (!program)
        return false;
    glDeleteProgram(programs[mode]);
    programs[mode] = program;
    AdoptKnobs(mode, program, builtKnobs);
    return true;
}

static bool ReloadSprite(Failure* failure)
{
    const GLuint texture = TryLoadTexBMP(SpriteFile, failure);
    if (!texture)
        return false;
    // The new texture is bound to unit 0 already, where the sprites sample it.
    glDeleteTextures(1, &spriteTexture);
    spriteTexture = texture;
    return true;
}

// Whether every shader file of mode's program can be read now.
static bool ShaderFilesReadable(int mode)
{
    for (const char* path : {ShaderFiles[mode].vertex, ShaderFiles[mode].fragment}) {
        Failure failure = {};
        char* text = path ? LoadTextFile(path, &failure) : nullptr;
        free(text);
        if (path && !text)
            return false;
    }
    return true;
}

// Says on stderr, as start-up would, why target did not build and what
// stays in use; and shows it over the scene.
static void Report(int target, const Failure& failure)
{
    char files[96], kept[96];
    const ProgramFiles& shaders = ShaderFiles[target == SpriteImage ? 0 : target];
    if (target == SpriteImage)
        snprintf(files, sizeof files, "%s", SpriteFile);
    else
        snprintf(files, sizeof files, "%s%s%s", shaders.vertex, shaders.fragment ? ", " : "",
                 shaders.fragment ? shaders.fragment : "");
    if (graphicsReset && target == SpriteImage)
        snprintf(kept, sizeof kept, "Graphics reset: %s draws without its sprite until it loads", ModeNames[1]);
    else if (graphicsReset)
        snprintf(kept, sizeof kept, "Graphics reset: %s draws without its shaders until they build", ModeNames[target]);
    else if (target == SpriteImage)
        snprintf(kept, sizeof kept, "Reload failed: the previous sprite stays in use");
    else
        snprintf(kept, sizeof kept, "Reload failed: the previous %s shaders stay in use", ModeNames[target]);
    PrintDiagnostic("%s%s\n", failure.message, kept);
    ShowReloadError(target, files, failure, kept);
}

// Rebuilds target. A retry goes ahead only once the shader files read again
// (so the log of a stage that compiles is not printed at every try), and a
// retry that still cannot read a file says nothing new.
static void Rebuild(int target, bool retry)
{
    if (retry && target != SpriteImage && !ShaderFilesReadable(target))
        return;
    Failure failure = {};
    const bool built = target == SpriteImage ? ReloadSprite(&failure) : ReloadProgram(target, &failure);
    targets[target].retrying = !built && failure.unreadable;
    if (built)
        ClearReloadError(target);
    else if (retry && failure.unreadable)
        return;   // nothing new to say
    else
        Report(target, failure);
    TellBuilt(target, built);
}

// Looks at a file now: true if it is not as it was at the last look. Its
// bytes are compared only when asked, and when the stamp cannot tell.
static bool Changed(WatchedFile& file, bool compareContent)
{
    const FileStamp stamp = StampFile(file.path);
    if (!SameStamp(stamp, file.stamp) || compareContent) {
        // A file that cannot be read just now has no fingerprint to compare.
        unsigned long long content = HashFile(file.path);
        if (content == 0)
            content = file.content;
        const bool changed = !SameStamp(stamp, file.stamp) || content != file.content;
        file.stamp = stamp;
        file.content = content;
        return changed;
    }
    return false;
}

// Looks at every file at nowMs and builds what is due. Files saved whole
// need not rest: nothing is building them any more.
static void LookAndBuild(int nowMs, bool savedWhole)
{
    const bool compareContent = nowMs >= nextContentCheckMs;
    if (compareContent)
        nextContentCheckMs = nowMs + ContentCheckMs;
    bool hasEmptyFile[ReloadTargetCount] = {};
    for (int i = 0; i < watchedCount; i++) {
        WatchedFile& file = watched[i];
        if (Changed(file, compareContent))
            targets[file.target] = TargetState{true, nowMs, false};
        if (file.stamp.exists && file.stamp.size == 0)
            hasEmptyFile[file.target] = true;
    }
    for (int target = 0; target < ReloadTargetCount; target++) {
        TargetState& state = targets[target];
        const int settleMs = savedWhole ? 0 : hasEmptyFile[target] ? EmptyFileSettleMs : SettleMs;
        if (state.changed && nowMs - state.changedAtMs >= settleMs) {
            state.changed = false;
            Rebuild(target, false);
        } else if (!state.changed && state.retrying) {
            Rebuild(target, true);
        }
    }
}

bool CheckSpriteStart(const unsigned char* start, size_t count, long long fileLength)
{
    GLint maxTextureSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
    Failure failure = {};
    if (CheckBmpStart(start, count, fileLength, SpriteFile, maxTextureSize, &failure))
        return true;
    Report(SpriteImage, failure);
    TellBuilt(SpriteImage, false);
    return false;
}

void CheckAssetsAt(int nowMs)
{
    LookAndBuild(nowMs, false);
}

void BuildSavedFiles()
{
    LookAndBuild(glutGet(GLUT_ELAPSED_TIME), true);
}

void RebuildAssets()
{
    // Gone with the graphics they were made in: nothing to delete.
    programs[0] = programs[1] = 0;
    spriteTexture = 0;
    graphicsReset = true;
    for (int target = 0; target < ReloadTargetCount; target++) {
        ClearReloadError(target);
        Rebuild(target, false);
    }
    graphicsReset = false;
}

void CheckAssets()
{
    CheckAssetsAt(glutGet(GLUT_ELAPSED_TIME));
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
    Watch(SpriteFile, SpriteImage);
    for (int target = 0; target < ReloadTargetCount; target++) {
        targets[target] = TargetState{};
        ClearReloadError(target);
    }
    nextContentCheckMs = 0;
    glutTimerFunc(CheckIntervalMs, CheckAssetsAndWait, 0);
}
