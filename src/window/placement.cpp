#include "window/placement.h"

#include <algorithm>

namespace quorvel {

namespace {
struct Span {
    int start, length;
};

// One axis: the client span, the frame before and after it, and the area's span.
Span fitSpan(Span client, int before, int after, Span area, bool sizable)
{
    if (sizable)
        client.length = std::max(1, std::min(client.length, area.length - before - after));
    const int overshoot = client.start + client.length + after - (area.start + area.length);
    if (overshoot > 0)
        client.start -= overshoot;
    client.start = std::max(client.start, area.start + before);
    return client;
}
} // namespace

QRect fitInside(QRect client, QMargins frame, QRect area, bool sizable)
{
    const Span x =
        fitSpan({client.x(), client.width()}, frame.left(), frame.right(), {area.x(), area.width()}, sizable);
    const Span y =
        fitSpan({client.y(), client.height()}, frame.top(), frame.bottom(), {area.y(), area.height()}, sizable);
    return {x.start, y.start, x.length, y.length};
}

} // namespace quorvel
