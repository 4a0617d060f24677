#include "desktop/geometry_probe.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <string>

#include <unistd.h>

namespace quorvel::bench {

GeometryProbe::GeometryProbe(Locate locate)
    : m_locate(std::move(locate)), m_input(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this))
{
    connect(m_input, &QSocketNotifier::activated, this, &GeometryProbe::readQuestion);
}

void GeometryProbe::readQuestion()
{
    // One question a line; the driver waits for each answer before it writes the next.
    std::string line;
    char c = 0;
    while (read(STDIN_FILENO, &c, 1) == 1 && c != '\n')
        line.push_back(c);
    if (line.empty() && c != '\n') { // the driver has gone
        m_input->setEnabled(false);
        QCoreApplication::exit(0);
        return;
    }
    const QStringList words = QString::fromStdString(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const std::optional<QRect> r = words.isEmpty() ? std::nullopt : m_locate(words);
    if (r)
        std::printf("%d %d %d %d\n", r->x(), r->y(), r->width(), r->height());
    else
        std::printf("none\n");
    std::fflush(stdout);
}

} // namespace quorvel::bench
