#pragma once
// Single-cast event references: a handler or nothing. The page asks whether an event is
// assigned and some events return values, which Qt signals cannot express.

#include <QMetaType>
#include <functional>
#include <type_traits>
#include <utility>

class QObject;

template <typename Signature>
class TEvent;

template <typename R, typename... Args>
class TEvent<R(Args...)>
{
public:
    TEvent() = default;
    // Any callable except another event, which must copy rather than be wrapped.
    template <typename F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, TEvent>)
    TEvent(F&& handler) : m_handler(std::forward<F>(handler)) {}

    bool assigned() const { return static_cast<bool>(m_handler); }
    explicit operator bool() const { return assigned(); }

    // Calling an unassigned event does nothing and yields a default value.
    R operator()(Args... args) const
    {
        if (!m_handler) {
            if constexpr (std::is_void_v<R>) return;
            else return R{};
        }
        return m_handler(std::forward<Args>(args)...);
    }

private:
    std::function<R(Args...)> m_handler;
};

using TNotifyEvent = TEvent<void(QObject* Sender)>;
Q_DECLARE_METATYPE(TNotifyEvent)
