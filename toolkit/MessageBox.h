#pragma once
// Message boxes with the classic flag words (buttons, icon, default button, stacking)
// and answer codes. All boxes go through one seam so tests can answer them.

#include <QString>
#include <functional>

namespace MessageBox {

enum Flags : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_DEFBUTTON2 = 0x100,
    MB_SETFOREGROUND = 0x10000,
    MB_TOPMOST = 0x40000,
};

enum Answer : int { IDOK = 1, IDCANCEL = 2, IDRETRY = 4, IDYES = 6, IDNO = 7 };

using Handler = std::function<int(const QString& text, const QString& caption, unsigned flags)>;

// Shows a box and returns the answer.
int show(const QString& text, const QString& caption, unsigned flags);

// Replaces the box with a handler (tests); an empty handler restores the real box.
void setHandler(Handler handler);

} // namespace MessageBox
