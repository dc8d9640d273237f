#include "app/assets.h"
#include "app/knobs.h"
#include "app/view.h"
#include "app/view_state.h"
#include "gl/bmp_texture.h"
#include "gl/knob_annotations.h"
#include "gl/shader_program.h"
#include "particles/particle_draw.h"
#include "particles/particle_store.h"
#include "tests/support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

static std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The file's text with the line of each of its knobs replaced by a constant
// of the file's value: "const vec3 Ember = vec3(1, 0.449999988, 0.100000001);".
static std::string WithKnobsAsConstants(const std::string& path, const KnobList& knobs)
{
    std::vector<std::string> lines;
    std::istringstream text(ReadFile(path));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    for (int i = 0; i < knobs.count; i++) {
        const Knob& knob = knobs.knobs[i];
        if (knob.file != path)
            continue;
        const std::string type = knob.components == 1 ? "float" : "vec" + std::to_string(knob.components);
        std::string values;
        for (int c = 0; c < knob.components; c++) {
            char value[32];
            snprintf(value, sizeof value, "%s%.9g", c ? ", " : "", static_cast<double>(knob.fileValue[c]));
            values += value;
        }
        lines.at(static_cast<size_t>(knob.line - 1)) = "const " + type + " " + knob.name + " = " + type + "(" + values + ");";
    }
    std::string joined;
    for (const std::string& line : lines)
        joined += line + "\n";
    return joined;
}

// One frame's particles at the clock's seconds, drawn with program as the
// frame draws them, knobs and all; returns the window's pixels.
static std::vector<unsigned char> Render(int mode, GLuint program, float seconds)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glUseProgram(program);
    glUniform1f(glGetUniformLocation(program, "time"), seconds);
    glUniform1i(glGetUniformLocation(program, "img"), 0);
    SetKnobUniforms(mode, program);
    DrawParticles();
    glUseProgram(0);
    std::vector<unsigned char> pixels(600 * 600 * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 600, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The file a folder gives the program for one of its names: its own, or the
// shipped one.
static std::string FileFor(const fs::path& folder, const std::string& name)
{
    return fs::exists(folder / name) ? (folder / name).string() : GLITTER_ASSET_DIR "/" + name;
}

// Turning a constant into a knob must not change the picture: every shader
// set draws, at its knobs' starting values, exactly what it draws with each
// knob's uniform put back as a constant of that value. (A compiler may fold
// a constant into the numbers around it, rounding differently: a knob must
// be used where that cannot happen.) At a few moments, early and late.
TEST(GalleryKnobs, DrawAtTheirDefaultsExactlyWhatTheirConstantsDraw)
{
    OpenTestWindow();
    std::vector<fs::path> folders = {GLITTER_ASSET_DIR};
    for (const fs::directory_entry& entry : fs::directory_iterator(GLITTER_EXAMPLE_DIR))
        folders.push_back(entry.path());
    for (const fs::path& folder : folders) {
        for (int mode = 0; mode < 2; mode++) {
            const ProgramFiles& files = ShaderFiles[mode];
            if (folder != GLITTER_ASSET_DIR && !fs::exists(folder / files.vertex))
                continue;   // an example for the other mode
            SCOPED_TRACE(folder.string() + " " + files.vertex);
            const std::string vertex = FileFor(folder, files.vertex);
            const std::string fragment = files.fragment ? FileFor(folder, files.fragment) : "";
            Failure failure{};
            static KnobList knobs;
            const GLuint knobbed = TryCreateShaderProg(vertex.c_str(), files.fragment ? fragment.c_str() : nullptr,
                                                       &failure, &knobs);
            ASSERT_NE(0u, knobbed) << failure.message;
            static const KnobList none{};
            AdoptKnobs(mode, 0, none);   // so that no value another test set is kept
            AdoptKnobs(mode, knobbed, knobs);
            const std::string constantVertex = WriteScratchFile("constant.vert", WithKnobsAsConstants(vertex, knobs));
            const std::string constantFragment =
                files.fragment ? WriteScratchFile("constant.frag", WithKnobsAsConstants(fragment, knobs)) : "";
            const GLuint constant = TryCreateShaderProg(constantVertex.c_str(),
                                                        files.fragment ? constantFragment.c_str() : nullptr, &failure);
            ASSERT_NE(0u, constant) << failure.message;
            const GLuint sprite = TryLoadTexBMP(FileFor(folder, SpriteFile).c_str(), &failure);
            view = ViewState{0, 0, 3.0, 1.0, 0, mode};
            srand(1);   // the same particles whatever ran before
            SeedParticles();
            reshape(600, 600);

            for (float seconds : {0.7f, 1.9f, 4.2f, 13.1f, 61.37f}) {
                const std::vector<unsigned char> withKnobs = Render(mode, knobbed, seconds);
                EXPECT_GE(std::count_if(withKnobs.begin(), withKnobs.end(), [](unsigned char c) { return c > 0; }), 300)
                    << "too little drawn to compare at " << seconds << " s";
                EXPECT_TRUE(withKnobs == Render(mode, constant, seconds))
                    << "the knobs at their defaults change the picture at " << seconds << " s";
            }
            glDeleteProgram(knobbed);
            glDeleteProgram(constant);
            glDeleteTextures(1, &sprite);
        }
    }
}
