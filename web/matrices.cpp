// Desktop GL's model-view and projection matrices, kept here: WebGL has
// none. Programs get them as uniforms when they draw (fixed_function.cpp).
#include "web/gl_compat.h"
#include "web/layer.h"

#include <cmath>
#include <cstring>

static float projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
static float modelView[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
static float* currentMatrix = modelView;

static void LoadIdentity(float* m)
{
    for (int i = 0; i < 16; i++)
        m[i] = i % 5 == 0 ? 1.0f : 0.0f;
}

// a = a x b, column-major.
static void MultiplyInto(float* a, const float* b)
{
    float product[16];
    for (int column = 0; column < 4; column++)
        for (int row = 0; row < 4; row++) {
            float sum = 0;
            for (int k = 0; k < 4; k++)
                sum += a[k * 4 + row] * b[column * 4 + k];
            product[column * 4 + row] = sum;
        }
    memcpy(a, product, sizeof product);
}

void ModelViewProjection(float matrix[16])
{
    memcpy(matrix, projection, sizeof projection);
    MultiplyInto(matrix, modelView);
}

const float* ModelViewMatrix()
{
    return modelView;
}

const float* ProjectionMatrix()
{
    return projection;
}

void glMatrixMode(GLenum mode)
{
    currentMatrix = mode == GL_PROJECTION ? projection : modelView;
}

void glLoadIdentity()
{
    LoadIdentity(currentMatrix);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearPlane, GLdouble farPlane)
{
    // As desktop GL: a box with no width, height or depth is refused.
    if (left == right || bottom == top || nearPlane == farPlane) {
        RaiseLayerError(GL_INVALID_VALUE);
        return;
    }
    float ortho[16];
    LoadIdentity(ortho);
    ortho[0] = static_cast<float>(2 / (right - left));
    ortho[5] = static_cast<float>(2 / (top - bottom));
    ortho[10] = static_cast<float>(-2 / (farPlane - nearPlane));
    ortho[12] = static_cast<float>(-(right + left) / (right - left));
    ortho[13] = static_cast<float>(-(top + bottom) / (top - bottom));
    ortho[14] = static_cast<float>(-(farPlane + nearPlane) / (farPlane - nearPlane));
    MultiplyInto(currentMatrix, ortho);
}

void glRotated(GLdouble degrees, GLdouble x, GLdouble y, GLdouble z)
{
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0)
        return;
    x /= length, y /= length, z /= length;
    const double radians = degrees * std::acos(-1.0) / 180;
    const double c = std::cos(radians), s = std::sin(radians), t = 1 - c;
    const double rotation[16] = {
        t * x * x + c,     t * x * y + s * z, t * x * z - s * y, 0,
        t * x * y - s * z, t * y * y + c,     t * y * z + s * x, 0,
        t * x * z + s * y, t * y * z - s * x, t * z * z + c,     0,
        0, 0, 0, 1};
    float single[16];
    for (int i = 0; i < 16; i++)
        single[i] = static_cast<float>(rotation[i]);
    MultiplyInto(currentMatrix, single);
}
