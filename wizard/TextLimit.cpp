#include "TextLimit.h"

#include <algorithm>

QString TextLimit::edited(const QString& before, const QString& after, int limit,
                          qsizetype* insertionEnd)
{
    // The edit replaced the middle of before; what both share at either end it left alone.
    const qsizetype shortest = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shortest && before.at(head) == after.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < shortest - head &&
           before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    // Never half a character on either side of the insertion.
    if (head > 0 && after.at(head - 1).isHighSurrogate())
        --head;
    if (tail > 0 && after.at(after.size() - tail).isLowSurrogate())
        --tail;
    qsizetype end = after.size() - tail;
    QString kept = after;
    // Whatever exceeds lies within the insertion: before itself fits what is allowed.
    const qsizetype excess = after.size() - std::max<qsizetype>(limit, before.size());
    if (excess > 0) {
        qsizetype cut = end - excess;
        if (cut > head && after.at(cut - 1).isHighSurrogate())
            --cut;
        kept.remove(cut, end - cut);
        end = cut;
    }
    if (insertionEnd)
        *insertionEnd = end;
    return kept;
}
