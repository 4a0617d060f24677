#pragma once
// What the click-to-pixels benchmark needs of the X server: XTEST input, and what the student
// sees, read from the server's framebuffer file (Xvfb -fbdir) as it changes. On an Xvfb under
// openbox, XGetImage on the root window can return black where a maximized window lies; the file
// holds what is on the screen.

#include <QPoint>
#include <QRect>
#include <QString>

#include <chrono>
#include <cstdint>
#include <vector>

struct xcb_connection_t;

namespace quorvel::bench {

using Clock = std::chrono::steady_clock;

class ScreenWatch
{
public:
    // The framebuffer file of screen 0 in that directory, and the display for input.
    ScreenWatch(const QString &framebufferDir, const QString &display);
    ~ScreenWatch();
    ScreenWatch(const ScreenWatch &) = delete;
    ScreenWatch &operator=(const ScreenWatch &) = delete;
    bool ok() const { return m_frame && m_x; }

    void movePointer(QPoint global);
    void click(); // the left button at the pointer
    void pressKey(std::uint32_t keysym);

    // Waits until the screen has not changed for `quietMs` (at most `timeoutMs`), and returns the
    // milliseconds from `since` to the last change it saw then: 0 when nothing changed. With
    // `firstChange` the quiet time counts only once the screen has changed at all (an answer to a
    // click can take longer than that time on a busy machine).
    double settle(Clock::time_point since, int quietMs, int timeoutMs, bool firstChange = false);

private:
    std::uint8_t keycode(std::uint32_t keysym);
    void fakeInput(std::uint8_t type, std::uint8_t detail, QPoint at = {});

    const std::uint8_t *m_frame = nullptr;
    std::size_t m_frameSize = 0;
    std::vector<std::uint8_t> m_seen; // the screen as it was last looked at
    xcb_connection_t *m_x = nullptr;
    std::uint32_t m_root = 0;
};

} // namespace quorvel::bench
