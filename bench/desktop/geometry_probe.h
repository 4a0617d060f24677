#pragma once
// The benchmarked program's side of the click-to-pixels benchmark: it answers, on standard output,
// where a named thing lies on the screen, asked one line at a time on standard input. The driver
// asks before it moves the pointer, never while a click is being timed.

#include <QObject>
#include <QRect>
#include <QStringList>

#include <functional>
#include <optional>

class QSocketNotifier;

namespace quorvel::bench {

class GeometryProbe : public QObject
{
public:
    // `locate` answers one question (its words) with a rectangle in global coordinates.
    using Locate = std::function<std::optional<QRect>(const QStringList &words)>;
    explicit GeometryProbe(Locate locate);

private:
    void readQuestion();

    Locate m_locate;
    QSocketNotifier *m_input;
};

} // namespace quorvel::bench
