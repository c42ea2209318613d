#include "CardRules.h"

namespace CardRules {

namespace {

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

QString upperHex(std::uint32_t value) { return QString::number(value, 16).toUpper(); }

QStringView withoutLeadingZeros(QStringView digits)
{
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == u'0')
        ++first;
    return digits.mid(first);
}

} // namespace

std::optional<std::uint32_t> parseBaseAddress(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (QChar c : text)
        if (!isHexDigit(c))
            return std::nullopt;
    const QStringView significant = withoutLeadingZeros(text);
    if (significant.size() > 8)
        return std::nullopt;
    return std::uint32_t(significant.toULongLong(nullptr, 16));
}

std::optional<BaseAddressView> viewBaseAddress(QStringView text)
{
    const std::optional<std::uint32_t> value = parseBaseAddress(text);
    if (!value)
        return std::nullopt;
    const std::uint32_t expressible = *value & kBaseJumperMask;
    const QString shown = upperHex(expressible);
    const QString typed = withoutLeadingZeros(text).toString().toUpper();
    BaseAddressView view{typed == shown ? QString() : shown, {}};
    for (int i = 0; i < kBaseJumperCount; ++i)
        view.closed[i] = !(expressible & (1u << (kFirstBaseBit + i)));
    return view;
}

QString baseAddressText(const BaseJumpers& closed)
{
    std::uint32_t value = 0;
    for (int i = 0; i < kBaseJumperCount; ++i)
        if (!closed[i])
            value |= 1u << (kFirstBaseBit + i);
    return upperHex(value);
}

int closedIrqJumper(int listIndex)
{
    return listIndex >= 1 && listIndex <= kIrqJumperCount ? listIndex - 1 : -1;
}

RangeJumpers rangeJumpers(int entry)
{
    const bool bipolar = !(entry & 1);
    return {!(entry & 2), !bipolar, bipolar};
}

int rangeEntryAfterClick(RangeJumperKind kind, bool nowClosed, int k)
{
    switch (kind) {
    case RangeJumperKind::FiveVolt: return nowClosed ? k & 1 : k | 2;
    case RangeJumperKind::Unipolar: return nowClosed ? k | 1 : k & 2;
    case RangeJumperKind::Bipolar: return nowClosed ? k & 2 : k | 1;
    }
    return k;
}

} // namespace CardRules
