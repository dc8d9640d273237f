#include "gl/bmp_texture.h"
#include "tests/bmp_test_files.h"
#include "tests/gl_window.h"

#include <gtest/gtest.h>

static void ClearGLErrors()
{
    while (glGetError() != GL_NO_ERROR) {
    }
}

// Reads level 0 of the bound 2D texture back as tightly packed RGB bytes.
static std::vector<unsigned char> BoundTexels(int width, int height)
{
    std::vector<unsigned char> texels(static_cast<size_t>(width * height * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
}

static GLint BoundTextureValue(GLenum name)
{
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

static GLint BoundLevelValue(GLenum name)
{
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

// Loads the file, checks the texture it leaves bound, and returns its texels.
static std::vector<unsigned char> LoadedTexels(const std::string& path, int width, int height)
{
    const GLuint texture = LoadTexBMP(path.c_str());
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_NE(0u, texture);
    EXPECT_EQ(static_cast<GLint>(texture), bound);
    EXPECT_EQ(width, BoundLevelValue(GL_TEXTURE_WIDTH));
    EXPECT_EQ(height, BoundLevelValue(GL_TEXTURE_HEIGHT));
    EXPECT_EQ(GL_LINEAR, BoundTextureValue(GL_TEXTURE_MAG_FILTER));
    EXPECT_EQ(GL_LINEAR, BoundTextureValue(GL_TEXTURE_MIN_FILTER));
    return BoundTexels(width, height);
}

// Widths whose rows need 3, 2, 1, 0 and 1 bytes of padding.
TEST(LoadTexBMP, UploadsExactTexelsWhateverTheRowPadding)
{
    OpenTestWindow();
    ClearGLErrors();
    for (int width : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE(width);
        const std::vector<unsigned char> rgb = DistinctRgb(width, 3);
        const std::string name = "width" + std::to_string(width) + ".bmp";
        const std::string path = WriteBmpTestFile(name.c_str(), BmpFileOf(width, 3, rgb));
        EXPECT_EQ(rgb, LoadedTexels(path, width, 3));
    }
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

TEST(LoadTexBMP, UploadsBigEndianFilesAndPixelsPastALongerHeader)
{
    OpenTestWindow();
    const std::vector<unsigned char> rgb = DistinctRgb(5, 2);
    BmpFields bigEndian;
    bigEndian.bigEndian = true;
    BmpFields afterGap;
    afterGap.pixelOffset = 122;   // a version 4 info header
    for (BmpFields fields : {bigEndian, afterGap}) {
        SCOPED_TRACE(fields.pixelOffset);
        fields.width = 5;
        fields.height = 2;
        const std::string path = WriteBmpTestFile("layout.bmp", BmpFileBytes(fields, BmpPixelData(5, 2, rgb)));
        EXPECT_EQ(rgb, LoadedTexels(path, 5, 2));
    }
}

// An error left over from earlier GL work is reported under the loader's
// label and does not count as a failed upload.
TEST(LoadTexBMP, ReportsAnEarlierGLErrorAndStillLoads)
{
    OpenTestWindow();
    ClearGLErrors();
    glEnable(0xFFFF);
    const std::vector<unsigned char> rgb = DistinctRgb(2, 2);
    const std::string path = WriteBmpTestFile("after_error.bmp", BmpFileOf(2, 2, rgb));
    testing::internal::CaptureStderr();
    const std::vector<unsigned char> texels = LoadedTexels(path, 2, 2);
    EXPECT_EQ("ERROR: invalid enumerant [LoadTexBMP]\n", testing::internal::GetCapturedStderr());
    EXPECT_EQ(rgb, texels);
}

TEST(LoadTexBMPDeathTest, PrintsTheDefectOfTheFileAndExitsWithStatusOne)
{
    OpenTestWindow();
    const std::string absent = BmpTestPath("absent.bmp");
    EXPECT_EXIT(LoadTexBMP(absent.c_str()), testing::ExitedWithCode(1),
                "^" + MessageFor("Cannot open file %s\n", absent) + "$");

    const std::string topDown = WriteBmpTestFile("top_down.bmp", EditedBmp([](BmpFields& f) { f.height = -4; }));
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const std::string range = " out of range 1-" + std::to_string(maxSize) + "\n$";
    EXPECT_EXIT(LoadTexBMP(topDown.c_str()), testing::ExitedWithCode(1),
                "^" + topDown + " image height -4" + range);

    const std::string wide = WriteBmpTestFile("wide.bmp", EditedBmp([=](BmpFields& f) { f.width = maxSize + 1; }));
    EXPECT_EXIT(LoadTexBMP(wide.c_str()), testing::ExitedWithCode(1),
                "^" + wide + " image width " + std::to_string(maxSize + 1) + range);
}
