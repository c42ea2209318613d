#include "MessageBox.h"

#include <QMessageBox>

namespace MessageBox {
namespace {

Handler& customHandler()
{
    static Handler handler;
    return handler;
}

QMessageBox::Icon iconOf(unsigned flags)
{
    switch (flags & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    default: return QMessageBox::NoIcon;
    }
}

struct ButtonSet
{
    QMessageBox::StandardButton first, second;
    int firstAnswer, secondAnswer;
};

ButtonSet buttonsOf(unsigned flags)
{
    switch (flags & 0xF) {
    case MB_OKCANCEL: return {QMessageBox::Ok, QMessageBox::Cancel, IDOK, IDCANCEL};
    case MB_YESNO: return {QMessageBox::Yes, QMessageBox::No, IDYES, IDNO};
    case MB_RETRYCANCEL: return {QMessageBox::Retry, QMessageBox::Cancel, IDRETRY, IDCANCEL};
    default: return {QMessageBox::Ok, QMessageBox::NoButton, IDOK, IDOK};
    }
}

int showReal(const QString& text, const QString& caption, unsigned flags)
{
    const ButtonSet set = buttonsOf(flags);
    QMessageBox box(iconOf(flags), caption, text, set.first | set.second);
    box.setDefaultButton((flags & MB_DEFBUTTON2) && set.second != QMessageBox::NoButton ? set.second
                                                                                        : set.first);
    if (flags & MB_TOPMOST)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int pressed = box.exec();
    if (pressed == set.first) return set.firstAnswer;
    if (pressed == set.second) return set.secondAnswer;
    // Closing the box with Escape or its close box answers like its cancelling button.
    return set.second != QMessageBox::NoButton ? set.secondAnswer : set.firstAnswer;
}

} // namespace

int show(const QString& text, const QString& caption, unsigned flags)
{
    if (customHandler())
        return customHandler()(text, caption, flags);
    return showReal(text, caption, flags);
}

void setHandler(Handler handler) { customHandler() = std::move(handler); }

} // namespace MessageBox
