#pragma once
// What Orca has spoken, read from its debug file (orca --debug-file) as it grows, and waiting for it
// with the program's event loop turning.

#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace quorvel::desktop {

inline constexpr int hearMs = 8000;

// Waits (bounded) for the condition with the event loop sleeping in between, so the program answers
// Orca's questions over the bus at once. (QTest::qWaitFor sleeps 10 ms between turns of the loop,
// and Orca asks a few dozen questions per event it handles.)
inline bool waitUntil(const std::function<bool()> &condition, int timeoutMs = hearMs)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(20);
    loop.exec();
    return condition();
}

// The text with its runs of blanks made one, as compared here: Orca speaks blanks alike.
inline QString plain(QStringView text)
{
    return text.toString().simplified();
}

// What Orca has spoken, read from its debug file as it grows. Each utterance is one record
// "hh:mm:ss.uuuuuu - SPEECH OUTPUT: 'text'" followed by the voice; a text of several lines goes
// on over the next lines, indented.
class Speech
{
public:
    explicit Speech(const QString &log) : m_file(log) {}

    const QStringList &utterances()
    {
        readMore();
        return m_utterances;
    }
    int mark() { return int(utterances().size()); }

    // Waits (bounded) for the texts to be spoken in this order after the mark, each contained in
    // an utterance (blanks compared loosely); several may be in one utterance. Returns the position
    // after the utterance that held the last text, or -1.
    int waitToHear(int from, const QStringList &texts, int timeoutMs = hearMs)
    {
        int after = -1;
        return waitUntil([&] { return (after = heard(from, texts)) >= 0; }, timeoutMs) ? after : -1;
    }
    int heard(int from, const QStringList &texts)
    {
        const QStringList &all = utterances();
        int at = from;
        qsizetype offset = 0;
        for (const QString &text : texts) {
            const QString wanted = plain(text);
            for (;; ++at, offset = 0) {
                if (at >= all.size())
                    return -1;
                const QString said = plain(all.at(at));
                if (const qsizetype found = said.indexOf(wanted, offset); found >= 0) {
                    offset = found + wanted.size();
                    break;
                }
            }
        }
        return at + 1;
    }
    QString since(int from) { return utterances().mid(from).join(QStringLiteral("\n  | ")); }

private:
    void readMore()
    {
        if (!m_file.isOpen() && !m_file.open(QIODevice::ReadOnly))
            return;
        m_pending += QString::fromUtf8(m_file.readAll());
        static const QRegularExpression record(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d+ - "),
                                               QRegularExpression::MultilineOption);
        // Complete records are those followed by the next record.
        QList<qsizetype> starts;
        for (auto it = record.globalMatch(m_pending); it.hasNext();)
            starts.append(it.next().capturedStart());
        for (qsizetype i = 0; i + 1 < starts.size(); ++i)
            take(QStringView(m_pending).mid(starts[i], starts[i + 1] - starts[i]));
        if (starts.size() > 1)
            m_pending.remove(0, starts.last());
    }
    void take(QStringView entry)
    {
        // The text ends at the quote before the voice: "'{...}", "' {...}" or "' voice=x{...}".
        static const QLatin1String marker("SPEECH OUTPUT: '");
        static const QRegularExpression voice(QStringLiteral("'(?: voice=\\S+)? ?\\{[^\n]*\\}\\s*$"));
        const qsizetype begin = entry.indexOf(marker);
        const QRegularExpressionMatch m = voice.match(entry);
        const qsizetype end = m.hasMatch() ? m.capturedStart() : entry.lastIndexOf(QLatin1Char('\''));
        if (begin < 0 || end < begin + marker.size())
            return;
        QString text = entry.mid(begin + marker.size(), end - begin - marker.size()).toString();
        text.replace(QRegularExpression(QStringLiteral("\n {18}")), QStringLiteral("\n"));
        m_utterances.append(text);
    }

    QFile m_file;
    QString m_pending;
    QStringList m_utterances;
};

} // namespace quorvel::desktop
