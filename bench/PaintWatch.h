#pragma once
// Sees from outside a program when its windows first reach the screen. Every window made
// on the root of the X display gets a DAMAGE object; the first damage the server reports for
// a window is the moment its owner's first drawing landed in it. Windows are told apart by
// their titles.

#include <xcb/xcb.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

class PaintWatch
{
public:
    using Clock = std::chrono::steady_clock;

    // Connects to the display named by DISPLAY and starts watching the root window.
    // Throws std::runtime_error without a display or without the DAMAGE extension.
    explicit PaintWatch(bool verbose = false);
    ~PaintWatch();
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    // Forgets the paints seen so far; windows that exist stay watched.
    void clearPaints() { m_paints.clear(); }

    // Waits until a window with each of the titles has been painted, or until the deadline.
    // Gives, per title, when its first paint arrived; empty for a title that did not come.
    std::vector<std::optional<Clock::time_point>> waitForPaints(const std::vector<std::string>& titles,
                                                                Clock::time_point deadline);

private:
    struct Watched
    {
        uint32_t damage = 0;
        bool painted = false;
    };
    struct Paint
    {
        std::string title;
        Clock::time_point when;
    };

    void handle(xcb_generic_event_t* event, Clock::time_point when);
    void watch(xcb_window_t window);
    void forget(xcb_window_t window);
    void painted(xcb_window_t window, Clock::time_point when);
    std::string titleOf(xcb_window_t window);
    std::optional<Clock::time_point> paintOf(const std::string& title) const;
    xcb_atom_t atom(const char* name);

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    uint8_t m_damageEventBase = 0;
    xcb_atom_t m_netWmName = 0;
    xcb_atom_t m_utf8String = 0;
    bool m_verbose = false;
    std::map<xcb_window_t, Watched> m_windows;
    std::vector<Paint> m_paints;
};
