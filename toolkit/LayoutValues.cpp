#include "LayoutValues.h"

#include <QMetaEnum>
#include <QStringList>
#include <cstdint>
#include <limits>
#include <utility>

namespace {

[[noreturn]] void wrongKind(const LayoutValue& value, const QString& what, const QString& expected)
{
    throw LayoutFault{QStringLiteral("%1 takes %2, not %3").arg(what, expected, describeKind(value.kind))};
}

void requireKind(const LayoutValue& value, LayoutValue::Kind kind, const QString& what)
{
    if (value.kind != kind)
        wrongKind(value, what, describeKind(kind));
}

template <typename T>
T ranged(const LayoutValue& value, const QString& what)
{
    requireKind(value, LayoutValue::Integer, what);
    if (std::cmp_less(value.integer, std::numeric_limits<T>::min())
        || std::cmp_greater(value.integer, std::numeric_limits<T>::max()))
        throw LayoutFault{QStringLiteral("%1 is out of range for %2").arg(value.integer).arg(what)};
    return static_cast<T>(value.integer);
}

// An enum or flags value held in a variant of the property's own type, whatever its size.
QVariant enumVariant(QMetaType type, int value)
{
    switch (type.sizeOf()) {
    case 1: { const auto v = std::int8_t(value); return QVariant(type, &v); }
    case 2: { const auto v = std::int16_t(value); return QVariant(type, &v); }
    case 8: { const auto v = std::int64_t(value); return QVariant(type, &v); }
    default: return QVariant(type, &value);
    }
}

QStringList keysOf(const QMetaEnum& e)
{
    QStringList keys;
    for (int i = 0; i < e.keyCount(); ++i)
        keys << QString::fromLatin1(e.key(i));
    return keys;
}

int enumValue(const QMetaEnum& e, const LayoutValue& value, const QString& what)
{
    requireKind(value, LayoutValue::Name, what);
    bool ok = false;
    const int v = e.keyToValue(value.text.toLatin1().constData(), &ok);
    if (!ok)
        throw LayoutFault{QStringLiteral("unknown value '%1' for %2 (one of %3)")
                              .arg(value.text, what, keysOf(e).join(QStringLiteral(", ")))};
    return v;
}

int flagsValue(const QMetaEnum& e, const LayoutValue& value, const QString& what)
{
    requireKind(value, LayoutValue::Set, what);
    int bits = 0;
    for (const QString& name : value.items) {
        LayoutValue one;
        one.kind = LayoutValue::Name;
        one.text = name;
        bits |= enumValue(e, one, what);
    }
    return bits;
}

QVariant integerVariant(const QMetaType& type, const LayoutValue& value, const QString& what)
{
    switch (type.id()) {
    case QMetaType::SChar: return QVariant::fromValue(ranged<signed char>(value, what));
    case QMetaType::UChar: return QVariant::fromValue(ranged<unsigned char>(value, what));
    case QMetaType::Short: return QVariant::fromValue(ranged<short>(value, what));
    case QMetaType::UShort: return QVariant::fromValue(ranged<unsigned short>(value, what));
    case QMetaType::Int: return QVariant::fromValue(ranged<int>(value, what));
    case QMetaType::Long: return QVariant::fromValue(ranged<long>(value, what));
    case QMetaType::ULong: return QVariant::fromValue(ranged<unsigned long>(value, what));
    case QMetaType::LongLong: return QVariant::fromValue(ranged<qint64>(value, what));
    case QMetaType::ULongLong: return QVariant::fromValue(ranged<quint64>(value, what));
    case QMetaType::Double: return QVariant::fromValue(double(ranged<qint64>(value, what)));
    default: return {};
    }
}

} // namespace

QString describeProperty(const QObject* object, const QString& property)
{
    return QStringLiteral("'%1' of %2").arg(property, QString::fromLatin1(object->metaObject()->className()));
}

int intValue(const LayoutValue& value, const QString& what) { return ranged<int>(value, what); }

bool boolValue(const LayoutValue& value, const QString& what)
{
    if (value.kind == LayoutValue::Name && (value.text == u"True" || value.text == u"False"))
        return value.text == u"True";
    wrongKind(value, what, QStringLiteral("True or False"));
}

QString stringValue(const LayoutValue& value, const QString& what)
{
    requireKind(value, LayoutValue::String, what);
    return value.text;
}

TColor colorValue(const LayoutValue& value, const QString& what)
{
    static const std::pair<const char16_t*, TColor> named[] = {
        {u"clBlack", clBlack},   {u"clWhite", clWhite},   {u"clBtnFace", clBtnFace},
        {u"clWindow", clWindow}, {u"clWindowText", clWindowText},
    };
    if (value.kind == LayoutValue::Name) {
        for (const auto& [name, color] : named)
            if (value.text == name)
                return color;
        throw LayoutFault{QStringLiteral("unknown colour '%1' for %2").arg(value.text, what)};
    }
    if (value.kind != LayoutValue::Integer)
        wrongKind(value, what, QStringLiteral("a colour"));
    return ranged<TColor>(value, what);
}

int setValue(const LayoutValue& value, const QStringList& names, const QString& what)
{
    requireKind(value, LayoutValue::Set, what);
    int bits = 0;
    for (const QString& item : value.items) {
        const qsizetype i = names.indexOf(item);
        if (i < 0)
            throw LayoutFault{QStringLiteral("unknown value '%1' for %2 (one of %3)")
                                  .arg(item, what, names.join(QStringLiteral(", ")))};
        bits |= 1 << i;
    }
    return bits;
}

QVariant propertyValue(const QObject* object, const QMetaProperty& property, const LayoutValue& value)
{
    const QString what = describeProperty(object, QString::fromLatin1(property.name()));
    const QMetaType type = property.metaType();
    if (property.isEnumType()) {
        const QMetaEnum e = property.enumerator();
        return enumVariant(type, e.isFlag() ? flagsValue(e, value, what) : enumValue(e, value, what));
    }
    switch (type.id()) {
    case QMetaType::Bool: return boolValue(value, what);
    case QMetaType::QString: return stringValue(value, what);
    case QMetaType::QStringList: requireKind(value, LayoutValue::List, what); return value.items;
    // Colours are the only unsigned 32-bit values of the page.
    case QMetaType::UInt: return QVariant::fromValue(colorValue(value, what));
    default: break;
    }
    QVariant v = integerVariant(type, value, what);
    if (!v.isValid())
        throw LayoutFault{QStringLiteral("%1 has the type %2, which a layout cannot set").arg(what, type.name())};
    return v;
}
