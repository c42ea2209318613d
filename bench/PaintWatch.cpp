#include "PaintWatch.h"

#include <xcb/damage.h>

#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> reply(T* raw)
{
    return Reply<T>(raw, &std::free);
}

} // namespace

PaintWatch::PaintWatch(bool verbose) : m_verbose(verbose)
{
    int screenNumber = 0;
    m_connection = xcb_connect(nullptr, &screenNumber);
    const auto fail = [this](const char* message) {
        xcb_disconnect(m_connection);
        throw std::runtime_error(message);
    };
    if (xcb_connection_has_error(m_connection))
        fail("cannot open the X display (is DISPLAY set?)");
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
    if (!damage || !damage->present)
        fail("the X server has no DAMAGE extension");
    m_damageEventBase = damage->first_event;
    // A client must agree on a version before it makes damage objects.
    reply(xcb_damage_query_version_reply(
        m_connection, xcb_damage_query_version(m_connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));

    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    m_root = screens.data->root;
    // Window creations and destructions on the root; several clients may select these.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    m_netWmName = atom("_NET_WM_NAME");
    m_utf8String = atom("UTF8_STRING");
    xcb_flush(m_connection);
}

PaintWatch::~PaintWatch() { xcb_disconnect(m_connection); }

xcb_atom_t PaintWatch::atom(const char* name)
{
    auto answer = reply(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name),
        nullptr));
    return answer ? answer->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::vector<std::optional<PaintWatch::Clock::time_point>>
PaintWatch::waitForPaints(const std::vector<std::string>& titles, Clock::time_point deadline)
{
    std::vector<std::optional<Clock::time_point>> found(titles.size());
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            handle(event, Clock::now());
            std::free(event);
        }
        if (xcb_connection_has_error(m_connection))
            throw std::runtime_error("lost the connection to the X display");
        bool all = true;
        for (std::size_t i = 0; i < titles.size(); ++i) {
            found[i] = paintOf(titles[i]);
            all = all && found[i];
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (all || left.count() <= 0)
            return found;
        pollfd socket{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        poll(&socket, 1, int(left.count()));
    }
}

void PaintWatch::handle(xcb_generic_event_t* event, Clock::time_point when)
{
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY) {
        const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
        if (created->parent == m_root)
            watch(created->window);
    } else if (type == XCB_DESTROY_NOTIFY) {
        forget(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
    } else if (type == uint8_t(m_damageEventBase + XCB_DAMAGE_NOTIFY)) {
        painted(reinterpret_cast<xcb_damage_notify_event_t*>(event)->drawable, when);
    } else if (type == XCB_MAP_NOTIFY && m_verbose) {
        const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
        if (m_windows.count(window))
            std::fprintf(stderr, "mapped  0x%x \"%s\"\n", window, titleOf(window).c_str());
    }
    // Errors (type 0) come from windows that were gone before they could be watched.
}

void PaintWatch::watch(xcb_window_t window)
{
    // A new window may take the id of one that went unseen inside a window manager's frame.
    Watched& watched = m_windows[window] = Watched{};
    watched.damage = xcb_generate_id(m_connection);
    // One report when the window first holds drawing: all that is wanted of it.
    xcb_damage_create(m_connection, watched.damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    if (m_verbose) {
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
    }
    // Out at once: the program is racing towards its first paint.
    xcb_flush(m_connection);
}

void PaintWatch::forget(xcb_window_t window)
{
    // The server frees the damage object with its window.
    m_windows.erase(window);
}

void PaintWatch::painted(xcb_window_t window, Clock::time_point when)
{
    const auto found = m_windows.find(window);
    if (found == m_windows.end() || found->second.painted)
        return;
    found->second.painted = true;
    std::string title = titleOf(window);
    if (m_verbose)
        std::fprintf(stderr, "painted 0x%x \"%s\"\n", window, title.c_str());
    m_paints.push_back({std::move(title), when});
}

std::string PaintWatch::titleOf(xcb_window_t window)
{
    for (const auto& [name, type] : {std::pair{m_netWmName, m_utf8String}, std::pair{xcb_atom_t(XCB_ATOM_WM_NAME),
                                                                                    xcb_atom_t(XCB_ATOM_STRING)}}) {
        auto property = reply(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, name, type, 0, 256), nullptr));
        if (property && xcb_get_property_value_length(property.get()) > 0)
            return std::string(static_cast<const char*>(xcb_get_property_value(property.get())),
                               std::size_t(xcb_get_property_value_length(property.get())));
    }
    return {};
}

std::optional<PaintWatch::Clock::time_point> PaintWatch::paintOf(const std::string& title) const
{
    for (const Paint& paint : m_paints)
        if (paint.title == title)
            return paint.when;
    return std::nullopt;
}
