#include "gl/bmp_texture.h"
#include "tests/support.h"

static GLint Value(GLenum query, GLenum name)
{
    GLint value = 0;
    if (query == GL_TEXTURE_BINDING_2D)
        glGetIntegerv(name, &value);
    else if (query == GL_TEXTURE_WIDTH)
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    else
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

// Level 0 of the bound 2D texture as tightly packed RGB bytes.
static std::vector<unsigned char> BoundTexels(int width, int height)
{
    std::vector<unsigned char> texels(static_cast<size_t>(width * height * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

// Every width pads its rows differently (3, 2, 1, 0 and 1 bytes for widths
// 1 to 5); files may store big-endian fields and put junk between the
// header and the pixels.
TEST(TryLoadTexBMP, UploadsTheImagesTexelsWithLinearFilteringWhateverTheLayout)
{
    OpenTestWindow();
    struct Case {
        int width;
        bool bigEndian;
        uint32_t pixelOffset;
    } cases[] = {{1, false, 54}, {2, false, 54}, {3, false, 54}, {4, false, 54}, {5, false, 54},
                 {3, true, 54}, {5, false, 138}};   // 138: after a version 5 info header
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << (c.bigEndian ? " big-endian" : "") << " at " << c.pixelOffset);
        BmpFields fields;
        fields.bigEndian = c.bigEndian;
        fields.pixelOffset = c.pixelOffset;
        fields.width = c.width;
        fields.height = 3;
        const std::vector<unsigned char> rgb = DistinctRgb(c.width, 3);
        std::vector<unsigned char> bytes = BmpFileBytes(fields, BmpPixelData(c.width, 3, rgb));
        std::fill(bytes.begin() + 54, bytes.begin() + c.pixelOffset, 0xA5);
        Failure failure{};
        const GLuint texture = TryLoadTexBMP(WriteScratchFile("sprite.bmp", {bytes.begin(), bytes.end()}).c_str(), &failure);
        ASSERT_NE(0u, texture) << failure.message;
        EXPECT_EQ(static_cast<GLint>(texture), Value(GL_TEXTURE_BINDING_2D, GL_TEXTURE_BINDING_2D));
        EXPECT_EQ(c.width, Value(GL_TEXTURE_WIDTH, GL_TEXTURE_WIDTH));
        EXPECT_EQ(3, Value(GL_TEXTURE_WIDTH, GL_TEXTURE_HEIGHT));
        EXPECT_EQ(GL_LINEAR, Value(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER));
        EXPECT_EQ(GL_LINEAR, Value(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER));
        EXPECT_EQ(rgb, BoundTexels(c.width, 3));
    }
}

// An error left over from earlier GL work is reported under the loader's
// label and does not count as a failed upload.
TEST(TryLoadTexBMP, ReportsAnEarlierGLErrorAndStillLoads)
{
    OpenTestWindow();
    glEnable(0xFFFF);
    const std::string path = WriteScratchFile("after_error.bmp", BmpOf(2, 2));
    Failure failure{};
    GLuint texture = 0;
    EXPECT_EQ("ERROR: invalid enumerant [LoadTexBMP]\n", StderrOf([&] { texture = TryLoadTexBMP(path.c_str(), &failure); }));
    EXPECT_NE(0u, texture) << failure.message;
}
