#include "CTavDbTodoOutline.h"

int CTavDbTodoOutline::blockEnd(int pos) const
{
    const int own = level(pos);
    int i = pos + 1;
    while (i < size() && (!isLive(i) || level(i) > own))
        ++i;
    return i;
}

int CTavDbTodoOutline::nextLive(int pos) const
{
    while (pos < size() && !isLive(pos))
        ++pos;
    return pos;
}

int CTavDbTodoOutline::previousAtOrAbove(int pos, int maxLevel) const
{
    for (int i = pos - 1; i >= 0; --i)
        if (isLive(i) && level(i) <= maxLevel)
            return i;
    return -1;
}

int CTavDbTodoOutline::parentOf(int pos) const
{
    const int own = level(pos);
    return own == 0 ? -1 : previousAtOrAbove(pos, own - 1);
}

int CTavDbTodoOutline::lastLevel() const
{
    for (int i = size() - 1; i >= 0; --i)
        if (isLive(i))
            return level(i);
    return -1;
}
