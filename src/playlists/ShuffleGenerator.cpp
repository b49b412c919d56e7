#include "playlists/ShuffleGenerator.h"

int ShuffleGenerator::next(int count)
{
    m_seed = m_seed * 134775813u + 1u;
    if (count <= 0)
        return 0;
    return int((uint64_t(count) * m_seed) >> 32);
}
