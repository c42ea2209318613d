// The base-address edit's parsing against a second, independent model of the same rule:
// a byte-level state machine that never builds a QString. The first input byte picks how
// the rest becomes the edit's text: even as UTF-8 (invalid sequences turn into U+FFFD as
// they do when text is pasted), odd as raw UTF-16 units, lone surrogates and all.

#include "template/CardRules.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void mismatch(const char* what, const QString& text)
{
    std::fprintf(stderr, "base address mismatch (%s) for \"%s\"\n", what, qPrintable(text));
    std::abort();
}

// What the rule makes of a text, derived character by character.
class ReferenceModel
{
public:
    void feed(std::uint32_t character)
    {
        const int digit = hexDigit(character);
        if (m_state == State::Rejected)
            return;
        if (digit < 0)
            return reject();
        if (m_state != State::Significant && digit == 0) {
            m_state = State::Zeros;
            return;
        }
        m_state = State::Significant;
        if (++m_significantDigits > 8)
            return reject();
        m_value = m_value << 4 | std::uint32_t(digit);
        m_typed += "0123456789ABCDEF"[digit];
    }

    bool valid() const { return m_state == State::Zeros || m_state == State::Significant; }
    std::uint32_t value() const { return m_value; }
    // The text without its leading zeros, upper case; "0" for zeros only.
    std::string typed() const { return m_typed.empty() ? "0" : m_typed; }

private:
    enum class State { Empty, Zeros, Significant, Rejected };

    static int hexDigit(std::uint32_t c)
    {
        if (c >= '0' && c <= '9') return int(c - '0');
        if (c >= 'a' && c <= 'f') return int(c - 'a' + 10);
        if (c >= 'A' && c <= 'F') return int(c - 'A' + 10);
        return -1;
    }

    void reject()
    {
        m_state = State::Rejected;
        m_value = 0;
        m_typed.clear();
    }

    State m_state = State::Empty;
    int m_significantDigits = 0;
    std::uint32_t m_value = 0;
    std::string m_typed;
};

std::string upperHex(std::uint32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", unsigned(value));
    return buffer;
}

// Any byte of a multi-byte or broken UTF-8 sequence stands for a character that is no
// ASCII hex digit, so the model sees such bytes one by one and rejects on the first.
QString fromUtf8(const std::uint8_t* data, std::size_t size, ReferenceModel& model)
{
    for (std::size_t i = 0; i < size; ++i)
        model.feed(data[i] < 0x80 ? data[i] : 0xFFFD);
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Little-endian units; an odd last byte is no unit and is dropped.
QString fromUtf16(const std::uint8_t* data, std::size_t size, ReferenceModel& model)
{
    QString text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = char16_t(data[i] | data[i + 1] << 8);
        model.feed(unit);
        text.append(QChar(unit));
    }
    return text;
}

void compareView(const QString& text, const ReferenceModel& model)
{
    const std::optional<CardRules::BaseAddressView> view = CardRules::viewBaseAddress(text);
    if (!view)
        mismatch("view refused a valid text", text);
    const std::uint32_t expressible = model.value() & CardRules::kBaseJumperMask;
    const std::string shown = upperHex(expressible);
    const std::string feedback = model.typed() == shown ? std::string() : shown;
    if (view->feedback != QString::fromStdString(feedback))
        mismatch("feedback", text);
    for (int i = 0; i < CardRules::kBaseJumperCount; ++i)
        if (view->closed[i] != !(expressible >> (CardRules::kFirstBaseBit + i) & 1))
            mismatch("jumper", text);
    // Clicking a jumper writes the address the jumpers show; it must read back the same.
    if (CardRules::baseAddressText(view->closed) != QString::fromStdString(shown))
        mismatch("jumper text", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    ReferenceModel model;
    const QString text = data[0] & 1 ? fromUtf16(data + 1, size - 1, model) : fromUtf8(data + 1, size - 1, model);

    const std::optional<std::uint32_t> parsed = CardRules::parseBaseAddress(text);
    if (parsed.has_value() != model.valid())
        mismatch(model.valid() ? "refused a valid text" : "accepted an invalid text", text);
    if (!parsed) {
        if (CardRules::viewBaseAddress(text))
            mismatch("view of an invalid text", text);
        return 0;
    }
    if (*parsed != model.value())
        mismatch("value", text);
    compareView(text, model);
    return 0;
}
