#include "web/glsl_es.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

static std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The translation of source: the lines after its #line directive, which
// must be the user's, line for line, then this layer's main. Also returns
// the directive.
static std::vector<std::string> UserLinesOf(const char* source, ShaderStage stage, int lineAfterDirective,
                                            std::string* directive)
{
    char* translated = TranslateToGlslEs(source, stage, lineAfterDirective);
    const std::vector<std::string> all = Lines(translated);
    free(translated);
    size_t first = 0;
    while (first < all.size() && all[first].rfind("#line", 0) != 0)
        first++;
    *directive = first < all.size() ? all[first] : "";
    return {all.begin() + static_cast<long>(std::min(first + 1, all.size())), all.end()};
}

// Each stage's built-ins become the declared stand-ins, on the line they
// were on; names that merely contain one stay; the #version line is left
// blank; a main of the layer's own follows the user's last line; and the
// #line directive numbers the user's first line 1 under either rule.
TEST(TranslateToGlslEs, RenamesTheDesktopBuiltInsLineForLine)
{
    struct Case {
        ShaderStage stage;
        int lineAfterDirective;
        const char* source;
        std::vector<std::string> expected;
    } cases[] = {
        {VertexStage, 0,
         "#version 110\r\nuniform mat4 gl_ModelViewMatrixx;\n"
         "void main() { gl_Position = ftransform() + gl_ModelViewProjectionMatrix * gl_Vertex; }\n"
         "  // gl_FrontColor = gl_Color; main_colour\n"
         "void mains() { gl_FrontColor = gl_Color; gl_TexCoord[0] = texture3D(noise, vec3(0.0)); }",
         {"", "uniform mat4 gl_ModelViewMatrixx;",
          "void glitter_main() { gl_Position = glitter_ftransform() + glitter_ModelViewProjectionMatrix * glitter_Vertex; }",
          "  // glitter_FrontColor = glitter_Color; main_colour",
          "void mains() { glitter_FrontColor = glitter_Color; glitter_TexCoord[0] = glitter_texture3D(noise, vec3(0.0)); }",
          "void main() { glitter_main(); gl_PointSize = glitter_PointSize; }"}},
        {FragmentStage, 1,
         "  #  version 110\nuniform sampler3D noise;\nvoid main() { gl_FragColor = gl_Color * gl_TexCoord[0]; }\n",
         {"", "uniform sampler2D noise;", "void glitter_main() { gl_FragColor = glitter_FrontColor * glitter_TexCoord[0]; }",
          "", "void main() { glitter_TexCoord[0] = vec4(gl_PointCoord, 0.0, 1.0); glitter_main(); }"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        std::string directive;
        const std::vector<std::string> lines = UserLinesOf(c.source, c.stage, c.lineAfterDirective, &directive);
        EXPECT_EQ(c.lineAfterDirective ? "#line 0" : "#line 1", directive);
        ASSERT_EQ(c.expected.size(), lines.size());
        for (size_t i = 0; i < lines.size(); i++)
            EXPECT_EQ(c.expected[i], lines[i]) << "line " << i + 1;
    }
}

// GLSL ES takes #extension lines only before anything else: a fragment
// shader's derivatives get theirs and the user's own lines move up there,
// ahead of the first declaration, leaving blank lines so that the user's
// lines keep their numbers.
TEST(TranslateToGlslEs, PutsTheExtensionsFirstAndEnablesDerivativesForAFragmentShaderThatUsesThem)
{
    static const std::string Derivatives = "#extension GL_OES_standard_derivatives : enable";
    struct Case {
        ShaderStage stage;
        const char* source;
        std::vector<std::string> extensions;
    } cases[] = {
        {FragmentStage, "#version 110\nuniform float k;\n  # extension GL_EXT_a : enable\r\n"
                        "float f() { return fwidth(k); }\n#extension GL_EXT_b : warn\n",
         {Derivatives, "  # extension GL_EXT_a : enable\r", "#extension GL_EXT_b : warn"}},
        {FragmentStage, "float f() { return dFdx(1.0); }\n", {Derivatives}},
        {FragmentStage, "float dFdy(float x) { return x; }\n", {Derivatives}},
        {FragmentStage, "float fwidthy;\n// #extension in a comment\nfloat f() { return fwidthy; }\n", {}},
        {VertexStage, "#extension GL_EXT_a : enable\nfloat f() { return fwidth(1.0); }\n", {"#extension GL_EXT_a : enable"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        char* translated = TranslateToGlslEs(c.source, c.stage, 0);
        const std::vector<std::string> all = Lines(translated);
        free(translated);
        const std::vector<std::string> head(all.begin(), all.begin() + static_cast<long>(c.extensions.size()));
        EXPECT_EQ(c.extensions, head);
        EXPECT_EQ(std::string::npos, all[c.extensions.size()].find("#extension"));
        std::string directive;
        const std::vector<std::string> lines = UserLinesOf(c.source, c.stage, 0, &directive);
        const std::vector<std::string> source = Lines(c.source);
        for (size_t i = 0; i < source.size(); i++)
            EXPECT_EQ(source[i].find("#") == 0 || source[i].find("  #") == 0 ? "" : source[i], lines[i]) << "line " << i + 1;
    }
}

// A compiler's log names the user's built-ins again, and only the layer's
// own names change: "sampler2D" may be the user's.
TEST(RestoreDesktopNames, GivesTheCompilersLogTheUsersNamesBack)
{
    char log[] = "ERROR: 0:5: 'glitter_FrontColor' : in glitter_main, sampler2D glitter_TexCoord glitter_FrontColorful";
    RestoreDesktopNames(log, FragmentStage);
    EXPECT_STREQ("ERROR: 0:5: 'gl_Color' : in main, sampler2D gl_TexCoord glitter_FrontColorful", log);
    char vertexLog[] = "'glitter_FrontColor' glitter_ftransform";
    RestoreDesktopNames(vertexLog, VertexStage);
    EXPECT_STREQ("'gl_FrontColor' ftransform", vertexLog);
    EXPECT_EQ(1, LineAfterDirective("ERROR: 0:4001: 'this' : syntax error"));
    EXPECT_EQ(0, LineAfterDirective("ERROR: 0:4000: 'this' : syntax error"));
}
