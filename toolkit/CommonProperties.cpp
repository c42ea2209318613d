#include "CommonProperties.h"

#include "Component.h"
#include "LayoutValues.h"

#include <QHash>
#include <QWidget>
#include <functional>

namespace {

// Positions in a layout are pixels at this resolution; the design resolution must match.
constexpr int designPixelsPerInch = 96;

using WidgetSetter = std::function<void(QWidget*, const LayoutValue&, const QString& what)>;

// A size constraint of 0 means none.
int constraint(const LayoutValue& value, const QString& what, int none)
{
    const int v = intValue(value, what);
    if (v < 0)
        throw LayoutFault{QStringLiteral("%1 cannot be negative").arg(what)};
    return v == 0 ? none : v;
}

void setBackground(QWidget* w, TColor color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, toQRgb(color));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setTextColor(QWidget* w, TColor color)
{
    QPalette p = w->palette();
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, toQRgb(color));
    w->setPalette(p);
}

template <typename F>
void changeFont(QWidget* w, F change)
{
    QFont f = w->font();
    change(f);
    w->setFont(f);
}

void setFontHeight(QWidget* w, const LayoutValue& value, const QString& what)
{
    const int height = intValue(value, what);
    if (height == 0)
        throw LayoutFault{QStringLiteral("%1 cannot be 0").arg(what)};
    // A negative height is the character height in pixels, the usual form. A positive one
    // is the cell height, which includes the internal leading; at the small sizes of a
    // page the two differ by a pixel or so, so both set the pixel size.
    changeFont(w, [&](QFont& f) { f.setPixelSize(std::abs(height)); });
}

void setFontStyle(QWidget* w, const LayoutValue& value, const QString& what)
{
    const int bits = setValue(value, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, what);
    changeFont(w, [&](QFont& f) {
        f.setBold(bits & 1);
        f.setItalic(bits & 2);
        f.setUnderline(bits & 4);
        f.setStrikeOut(bits & 8);
    });
}

// The character set is chosen by the font system from the text; the value is only checked.
void checkCharset(QWidget*, const LayoutValue& value, const QString& what)
{
    if (value.kind == LayoutValue::Name && value.text.endsWith(QLatin1String("_CHARSET")))
        return;
    if (value.kind == LayoutValue::Integer && value.integer >= 0 && value.integer <= 255)
        return;
    throw LayoutFault{QStringLiteral("%1 takes a character set such as DEFAULT_CHARSET").arg(what)};
}

void checkPixelsPerInch(QWidget*, const LayoutValue& value, const QString& what)
{
    const int ppi = intValue(value, what);
    if (ppi != designPixelsPerInch)
        throw LayoutFault{QStringLiteral("%1 must be %2: the layout's positions are pixels at that resolution")
                              .arg(what)
                              .arg(designPixelsPerInch)};
}

const QHash<QString, WidgetSetter>& widgetSetters()
{
    static const QHash<QString, WidgetSetter> setters = {
        {"Left", [](QWidget* w, const LayoutValue& v, const QString& what) { w->move(intValue(v, what), w->y()); }},
        {"Top", [](QWidget* w, const LayoutValue& v, const QString& what) { w->move(w->x(), intValue(v, what)); }},
        {"Width", [](QWidget* w, const LayoutValue& v, const QString& what) { w->resize(intValue(v, what), w->height()); }},
        {"Height", [](QWidget* w, const LayoutValue& v, const QString& what) { w->resize(w->width(), intValue(v, what)); }},
        {"Visible", [](QWidget* w, const LayoutValue& v, const QString& what) { w->setVisible(boolValue(v, what)); }},
        {"Enabled", [](QWidget* w, const LayoutValue& v, const QString& what) { w->setEnabled(boolValue(v, what)); }},
        {"Color", [](QWidget* w, const LayoutValue& v, const QString& what) { setBackground(w, colorValue(v, what)); }},
        {"Constraints.MinWidth", [](QWidget* w, const LayoutValue& v, const QString& what) { w->setMinimumWidth(constraint(v, what, 0)); }},
        {"Constraints.MinHeight", [](QWidget* w, const LayoutValue& v, const QString& what) { w->setMinimumHeight(constraint(v, what, 0)); }},
        {"Constraints.MaxWidth", [](QWidget* w, const LayoutValue& v, const QString& what) { w->setMaximumWidth(constraint(v, what, QWIDGETSIZE_MAX)); }},
        {"Constraints.MaxHeight", [](QWidget* w, const LayoutValue& v, const QString& what) { w->setMaximumHeight(constraint(v, what, QWIDGETSIZE_MAX)); }},
        {"Font.Name", [](QWidget* w, const LayoutValue& v, const QString& what) {
             const QString family = stringValue(v, what);
             changeFont(w, [&](QFont& f) { f.setFamily(family); });
         }},
        {"Font.Height", setFontHeight},
        {"Font.Color", [](QWidget* w, const LayoutValue& v, const QString& what) { setTextColor(w, colorValue(v, what)); }},
        {"Font.Style", setFontStyle},
        {"Font.Charset", checkCharset},
    };
    return setters;
}

// Values that only the layout editor uses, stored with a window.
const QHash<QString, WidgetSetter>& windowSetters()
{
    static const QHash<QString, WidgetSetter> setters = {
        {"PixelsPerInch", checkPixelsPerInch},
        {"TextHeight", [](QWidget*, const LayoutValue& v, const QString& what) { intValue(v, what); }},
    };
    return setters;
}

} // namespace

bool applyCommonProperty(QObject* object, const QString& name, const LayoutValue& value)
{
    const QString what = describeProperty(object, name);
    if (name == u"Tag") {
        setTag(object, intValue(value, what));
        return true;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return false;
    if (const auto it = widgetSetters().find(name); it != widgetSetters().end()) {
        (*it)(widget, value, what);
        return true;
    }
    if (widget->isWindow()) {
        if (const auto it = windowSetters().find(name); it != windowSetters().end()) {
            (*it)(widget, value, what);
            return true;
        }
    }
    return false;
}
