#pragma once
// The VT-4400's settings and their jumpers as plain logic: each function maps one side of a
// setting onto the other, so the window's handlers only read and write widgets.

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

namespace CardRules {

// Base address ----------------------------------------------------------------------------

// Address bits 5 to 9 are set by jumpers; a closed jumper means the bit is 0.
constexpr int kFirstBaseBit = 5;
constexpr int kBaseJumperCount = 5;
constexpr std::uint32_t kBaseJumperMask = 0x3E0;

using BaseJumpers = std::array<bool, kBaseJumperCount>; // closed, for A5 .. A9

// One or more hex digits and nothing else; any number of leading zeros, at most eight digits
// after them.
std::optional<std::uint32_t> parseBaseAddress(QStringView text);

struct BaseAddressView
{
    QString feedback;    // the address the jumpers can express, when it differs from the text
    BaseJumpers closed;  // jumper states for that address
};

// What a valid typed address shows; nothing for an invalid text.
std::optional<BaseAddressView> viewBaseAddress(QStringView text);

// The address the jumpers set, as the edit shows it.
QString baseAddressText(const BaseJumpers& closed);

// Interrupt -------------------------------------------------------------------------------

constexpr int kIrqJumperCount = 11;

// The IRQ jumper (index into the table of eleven) closed for a list entry, or -1 for none:
// entry 0 ("IRQs Disabled") and no selection close no jumper.
int closedIrqJumper(int listIndex);

// The list entry after a click on the jumper whose entry is tag.
inline int irqEntryAfterClick(int tag, bool nowClosed) { return nowClosed ? tag : 0; }

// DAC range -------------------------------------------------------------------------------

// The list entry is a two-bit number: bit 1 set for the 10 V span, bit 0 for unipolar.
struct RangeJumpers
{
    bool fiveVolt, unipolar, bipolar; // closed
};

RangeJumpers rangeJumpers(int entry);

enum class RangeJumperKind { FiveVolt, Unipolar, Bipolar };

// The entry after a click on a range jumper; k may be -1 (no selection).
int rangeEntryAfterClick(RangeJumperKind kind, bool nowClosed, int k);

} // namespace CardRules
