#include "platform/elidedtext.h"

QString ElideMiddle(const QString& text, qsizetype keep)
{
    keep = qMax(keep, qsizetype{1});
    if (text.size() <= 2 * keep + 1)
        return text;
    qsizetype head = keep;
    qsizetype tail = text.size() - keep;
    // Never cut a character made of two UTF-16 units in half.
    if (text.at(head - 1).isHighSurrogate())
        --head;
    if (text.at(tail).isLowSurrogate())
        ++tail;
    return text.first(head) + QChar(0x2026) + text.sliced(tail); // HORIZONTAL ELLIPSIS
}
