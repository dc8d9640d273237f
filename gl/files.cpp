#include "gl/files.h"

unsigned char hashChunk[64 * 1024];

bool SameStamp(const FileStamp& a, const FileStamp& b)
{
    return a.exists == b.exists && a.size == b.size && a.modified == b.modified && a.node == b.node;
}

// FNV-1a: simple, and any changed byte changes the hash.
unsigned long long AddToHash(unsigned long long hash, const unsigned char* bytes, size_t count)
{
    for (size_t i = 0; i < count; i++)
        hash = (hash ^ bytes[i]) * 1099511628211ULL;
    return hash;
}
