#include "gl/bmp_texture.h"
#include "tests/support.h"

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
        GLint bound = 0, filters[2] = {0, 0};
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLint>(texture), bound);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filters[0]);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filters[1]);
        EXPECT_EQ(GL_LINEAR, filters[0]);
        EXPECT_EQ(GL_LINEAR, filters[1]);
        GLint size[2] = {0, 0};   // checked before reading back that many texels
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
        ASSERT_TRUE(size[0] == c.width && size[1] == 3) << size[0] << "x" << size[1];
        std::vector<unsigned char> texels(rgb.size());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        EXPECT_EQ(rgb, texels);
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

// When GL refuses the upload (here: a one-byte pixel buffer left bound takes
// the place of the image's memory), the loader says so, deletes what it made
// and leaves the texture that was bound before.
TEST(TryLoadTexBMP, AFailedUploadLeavesTheTextureBoundBefore)
{
    OpenTestWindow();
    const std::string path = WriteScratchFile("refused.bmp", BmpOf(2, 2));
    GLuint before = 0, buffer = 0;
    glGenTextures(1, &before);
    glBindTexture(GL_TEXTURE_2D, before);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, buffer);
    glBufferData(GL_PIXEL_UNPACK_BUFFER, 1, nullptr, GL_STATIC_DRAW);
    Failure failure{};
    EXPECT_EQ(0u, TryLoadTexBMP(path.c_str(), &failure));
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    EXPECT_EQ("Error in glTexImage2D " + path + " 2x2\n", failure.message);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLint>(before), bound);
    EXPECT_FALSE(glIsTexture(before + 1));
}
