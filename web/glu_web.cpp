// The web build's GLU: the one call the program makes, in GLU's own words.
#include <GL/glu.h>

const GLubyte* gluErrorString(GLenum error)
{
    switch (error) {
    case GL_NO_ERROR: return reinterpret_cast<const GLubyte*>("no error");
    case GL_INVALID_ENUM: return reinterpret_cast<const GLubyte*>("invalid enumerant");
    case GL_INVALID_VALUE: return reinterpret_cast<const GLubyte*>("invalid value");
    case GL_INVALID_OPERATION: return reinterpret_cast<const GLubyte*>("invalid operation");
    case GL_OUT_OF_MEMORY: return reinterpret_cast<const GLubyte*>("out of memory");
    case GL_INVALID_FRAMEBUFFER_OPERATION: return reinterpret_cast<const GLubyte*>("invalid framebuffer operation");
    default: return reinterpret_cast<const GLubyte*>("unknown error");
    }
}
