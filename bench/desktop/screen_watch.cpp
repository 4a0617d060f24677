#include "desktop/screen_watch.h"

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstring>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::bench {

namespace {
// How often the framebuffer is compared with the last look: often enough to time a frame, rarely
// enough to leave the two cores to the X server and the program.
constexpr auto lookInterval = std::chrono::microseconds(1000);

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}
} // namespace

ScreenWatch::ScreenWatch(const QString &framebufferDir, const QString &display)
{
    const QByteArray file = (framebufferDir + QStringLiteral("/Xvfb_screen0")).toLocal8Bit();
    if (const int fd = open(file.constData(), O_RDONLY); fd >= 0) {
        struct stat st {
        };
        if (fstat(fd, &st) == 0 && st.st_size > 0) {
            void *mapped = mmap(nullptr, std::size_t(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
            if (mapped != MAP_FAILED) {
                m_frame = static_cast<const std::uint8_t *>(mapped);
                m_frameSize = std::size_t(st.st_size);
                m_seen.assign(m_frame, m_frame + m_frameSize);
            }
        }
        close(fd);
    }
    m_x = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    if (xcb_connection_has_error(m_x)) {
        xcb_disconnect(m_x);
        m_x = nullptr;
        return;
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
}

ScreenWatch::~ScreenWatch()
{
    if (m_frame)
        munmap(const_cast<std::uint8_t *>(m_frame), m_frameSize);
    if (m_x)
        xcb_disconnect(m_x);
}

void ScreenWatch::fakeInput(std::uint8_t type, std::uint8_t detail, QPoint at)
{
    xcb_test_fake_input(m_x, type, detail, XCB_CURRENT_TIME, m_root, std::int16_t(at.x()), std::int16_t(at.y()), 0);
}

void ScreenWatch::movePointer(QPoint global)
{
    fakeInput(XCB_MOTION_NOTIFY, 0, global);
    free(xcb_get_input_focus_reply(m_x, xcb_get_input_focus(m_x), nullptr)); // the server has moved it
}

void ScreenWatch::click()
{
    fakeInput(XCB_BUTTON_PRESS, 1);
    fakeInput(XCB_BUTTON_RELEASE, 1);
    xcb_flush(m_x);
}

void ScreenWatch::pressKey(std::uint32_t keysym)
{
    const std::uint8_t code = keycode(keysym);
    fakeInput(XCB_KEY_PRESS, code);
    fakeInput(XCB_KEY_RELEASE, code);
    xcb_flush(m_x);
}

std::uint8_t ScreenWatch::keycode(std::uint32_t keysym)
{
    const xcb_setup_t *setup = xcb_get_setup(m_x);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&free)> map(
        xcb_get_keyboard_mapping_reply(m_x, xcb_get_keyboard_mapping(m_x, setup->min_keycode, std::uint8_t(count)),
                                       nullptr),
        &free);
    if (!map)
        return 0;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map.get());
    for (int k = 0; k < count; ++k)
        for (int i = 0; i < map->keysyms_per_keycode; ++i)
            if (syms[k * map->keysyms_per_keycode + i] == keysym)
                return std::uint8_t(setup->min_keycode + k);
    return 0;
}

double ScreenWatch::settle(Clock::time_point since, int quietMs, int timeoutMs, bool firstChange)
{
    Clock::time_point lastChange = since;
    bool changed = false;
    const auto quiet = std::chrono::milliseconds(quietMs);
    const Clock::time_point deadline = since + std::chrono::milliseconds(timeoutMs);
    for (Clock::time_point now = Clock::now();
         now < deadline && (now - lastChange < quiet || (firstChange && !changed)); now = Clock::now()) {
        std::this_thread::sleep_for(lookInterval);
        if (std::memcmp(m_frame, m_seen.data(), m_frameSize) != 0) {
            lastChange = Clock::now();
            changed = true;
            std::memcpy(m_seen.data(), m_frame, m_frameSize);
        }
    }
    return changed ? msBetween(since, lastChange) : 0;
}

} // namespace quorvel::bench
