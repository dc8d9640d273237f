// Desktop GL's client arrays on WebGL, which draws only from buffer
// objects: each array the program points at its own memory is kept in a
// buffer of the layer's, made once, and sent again only when the bytes a
// draw reads differ from those sent last (a copy of them is kept to compare
// with). The particles' arrays, set at seeding and never changed between,
// cross to the GPU once per seeding instead of once per draw. The attribute
// settings WebGL holds are kept here too, so that none is made twice.
#include "web/gl_compat.h"
#include "web/layer.h"

#include <cstdint>
#include <cstring>

// A client array as the program pointed it.
struct ClientArray {
    GLint size;
    GLenum type;
    GLboolean normalized;
    GLsizei stride;
    const void* pointer;
    bool enabled;
};

// What WebGL holds for an attribute location, as this layer last set it.
struct AttribSetting {
    bool enabled;
    GLuint buffer;
    GLint size;
    GLenum type;
    GLboolean normalized;
    GLsizei stride;
    size_t offset;
};

// Room to compare: 16,384 vertices of three floats, more than the 10,000
// particles; a longer array is sent at every draw.
static const size_t ArrayCopyBytes = 16384 * 3 * sizeof(float);
static unsigned char arrayCopies[AttribLocations][ArrayCopyBytes];
static SentBuffer arrayBuffers[AttribLocations];
static ClientArray clientArrays[AttribLocations];
static AttribSetting settings[AttribLocations];
static GLuint boundArrayBuffer = 0, boundElementBuffer = 0;

void ForgetVertexState()
{
    for (GLuint location = 0; location < AttribLocations; location++) {
        arrayBuffers[location] = SentBuffer{arrayCopies[location], ArrayCopyBytes, 0, 0, 0};
        settings[location] = AttribSetting{};
    }
    boundArrayBuffer = boundElementBuffer = 0;
}

// Eight bytes at a time: this runs over every particle array every frame.
static bool SameBytes(const unsigned char* a, const unsigned char* b, size_t size)
{
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t x, y;
        memcpy(&x, a + i, 8);
        memcpy(&y, b + i, 8);
        if (x != y)
            return false;
    }
    for (; i < size; i++)
        if (a[i] != b[i])
            return false;
    return true;
}

static void Bind(GLenum target, GLuint* bound, GLuint buffer)
{
    if (*bound != buffer)
        glBindBuffer(target, buffer);
    *bound = buffer;
}

static void Send(GLenum target, GLuint* bound, SentBuffer* buffer, const void* bytes, size_t size)
{
    const unsigned char* data = static_cast<const unsigned char*>(bytes);
    if (buffer->name && size <= buffer->copied && SameBytes(buffer->copy, data, size))
        return;
    if (!buffer->name)
        glGenBuffers(1, &buffer->name);
    Bind(target, bound, buffer->name);
    if (size > buffer->held) {
        glBufferData(target, static_cast<GLsizeiptr>(size), data, GL_DYNAMIC_DRAW);
        buffer->held = size;
        buffer->copied = 0;
    } else {
        glBufferSubData(target, 0, static_cast<GLsizeiptr>(size), data);
    }
    // The copy mirrors the buffer's first bytes; past size both keep what
    // they held.
    if (size <= buffer->capacity) {
        memcpy(buffer->copy, data, size);
        if (size > buffer->copied)
            buffer->copied = size;
    } else {
        buffer->copied = 0;
    }
}

void SendIfChanged(SentBuffer* buffer, const void* bytes, size_t size)
{
    Send(GL_ARRAY_BUFFER, &boundArrayBuffer, buffer, bytes, size);
}

void SendIndicesIfChanged(SentBuffer* buffer, const void* bytes, size_t size)
{
    Send(GL_ELEMENT_ARRAY_BUFFER, &boundElementBuffer, buffer, bytes, size);
    Bind(GL_ELEMENT_ARRAY_BUFFER, &boundElementBuffer, buffer->name);
}

void PointAttrib(GLuint location, const SentBuffer& buffer, GLint size, GLenum type, GLboolean normalized,
                 GLsizei stride, size_t offset)
{
    AttribSetting& was = settings[location];
    if (was.buffer == buffer.name && was.size == size && was.type == type && was.normalized == normalized &&
        was.stride == stride && was.offset == offset)
        return;
    Bind(GL_ARRAY_BUFFER, &boundArrayBuffer, buffer.name);
    glVertexAttribPointer(location, size, type, normalized, stride, reinterpret_cast<const void*>(offset));
    was = AttribSetting{was.enabled, buffer.name, size, type, normalized, stride, offset};
}

void UseAttribArrays(unsigned enable, unsigned disable)
{
    for (GLuint location = 0; location < AttribLocations; location++) {
        const bool enabled = settings[location].enabled;
        if (!enabled && ((enable >> location) & 1))
            glEnableVertexAttribArray(location);
        else if (enabled && ((disable >> location) & 1))
            glDisableVertexAttribArray(location);
        else
            continue;
        settings[location].enabled = !enabled;
    }
}

static size_t TypeBytes(GLenum type)
{
    switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE: return 1;
    case GL_SHORT:
    case GL_UNSIGNED_SHORT: return 2;
    default: return 4;
    }
}

unsigned SendClientArrays(GLint first, GLsizei count)
{
    unsigned mask = 0;
    for (GLuint location = 0; location < AttribLocations; location++) {
        const ClientArray& array = clientArrays[location];
        if (!array.enabled || !array.pointer || count <= 0)
            continue;
        const size_t element = static_cast<size_t>(array.size) * TypeBytes(array.type);
        const size_t stride = array.stride ? static_cast<size_t>(array.stride) : element;
        // From the array's start to the end of the last vertex drawn.
        const size_t bytes = static_cast<size_t>(first + count - 1) * stride + element;
        SendIfChanged(&arrayBuffers[location], array.pointer, bytes);
        PointAttrib(location, arrayBuffers[location], array.size, array.type, array.normalized, array.stride, 0);
        mask |= 1u << location;
    }
    return mask;
}

bool ClientArrayEnabled(GLuint location)
{
    return location < AttribLocations && clientArrays[location].enabled;
}

void CompatVertexAttribPointer(GLuint location, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
                               const void* pointer)
{
    if (location >= AttribLocations) {
        RaiseLayerError(GL_INVALID_VALUE);
        return;
    }
    const bool enabled = clientArrays[location].enabled;
    clientArrays[location] = ClientArray{size, type, normalized, stride, pointer, enabled};
}

void CompatEnableVertexAttribArray(GLuint location)
{
    if (location < AttribLocations)
        clientArrays[location].enabled = true;
    else
        RaiseLayerError(GL_INVALID_VALUE);
}

void CompatDisableVertexAttribArray(GLuint location)
{
    if (location < AttribLocations)
        clientArrays[location].enabled = false;
    else
        RaiseLayerError(GL_INVALID_VALUE);
}

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    CompatVertexAttribPointer(VertexLocation, size, type, GL_FALSE, stride, pointer);
}

void glColorPointer(GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    CompatVertexAttribPointer(ColorLocation, size, type, GL_FALSE, stride, pointer);
}

static GLuint LocationOf(GLenum array)
{
    return array == GL_VERTEX_ARRAY ? VertexLocation : array == GL_COLOR_ARRAY ? ColorLocation : AttribLocations;
}

void glEnableClientState(GLenum array)
{
    if (LocationOf(array) < AttribLocations)
        clientArrays[LocationOf(array)].enabled = true;
}

void glDisableClientState(GLenum array)
{
    if (LocationOf(array) < AttribLocations)
        clientArrays[LocationOf(array)].enabled = false;
}
