// The page's layout file loaded onto the real main window: every component of the page with its
// place, texts, entries, tags, states, lines and bindings, the window's own properties, the menu
// bar and the supporter.

#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/RadioPanel.h"
#include "SetupCtrls/SetupSupporter.h"
#include "template/MainForm.h"
#include "toolkit/Application.h"
#include "toolkit/Colour.h"
#include "toolkit/Component.h"
#include "toolkit/Menu.h"
#include "toolkit/StandardControls.h"
#include "toolkit/Types.h"

#include <QMenuBar>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A component's place: class, layout parent ("MainForm" is the window's client area) and bounds.
// Within one parent the rows are in child order.
struct Placed
{
    const char* name;
    const char* className;
    const char* parent;
    QRect bounds;
};

struct Highlight
{
    const char* name;
    Setup::THighlightType type;
    QString title;
    const char* panel;
};

struct Label
{
    const char* name;
    QString caption;
    TLabel::TAlignment alignment;
    TLabel::TTextLayout layout;
    bool transparent;
};

struct TwoPin
{
    const char* name;
    bool closed;
    int tag;
};

struct ThreePin
{
    const char* name;
    Setup::TJumperState state;
    Setup::TOrientationType orientation;
};

struct Check
{
    const char* name;
    QString caption;
    int tabOrder;
};

struct Panel
{
    const char* name;
    int tabOrder;
    QStringList lines;
};

// An event of a component and the window's handler it runs.
struct Binding
{
    const char* component;
    const char* event;
    const char* handler;
};

const Placed board = {"BoardImage1", "TBoardImage", "MainForm", {195, 53, 400, 399}};

const Placed placed[] = {
    {"BaseHighlight", "TBoardHighlight", "BoardImage1", {314, 77, 36, 54}},
    {"IRQHighlightLo", "TBoardHighlight", "BoardImage1", {311, 131, 32, 61}},
    {"IRQHighlightHi", "TBoardHighlight", "BoardImage1", {319, 198, 26, 56}},
    {"RangeHighlightA", "TBoardHighlight", "BoardImage1", {60, 147, 27, 38}},
    {"RangeHighlightB", "TBoardHighlight", "BoardImage1", {59, 193, 25, 33}},
    {"RangeHighlightC", "TBoardHighlight", "BoardImage1", {58, 228, 26, 35}},
    {"RangeHighlightD", "TBoardHighlight", "BoardImage1", {59, 269, 25, 38}},
    {"InvertHighlight0", "TBoardHighlight", "BoardImage1", {32, 67, 48, 21}},
    {"InvertHighlight1", "TBoardHighlight", "BoardImage1", {30, 115, 41, 41}},
    {"X12Highlight", "TBoardHighlight", "BoardImage1", {362, 273, 40, 29}},
    {"DIOHighlight", "TBoardHighlight", "BoardImage1", {88, 0, 249, 54}},
    {"DACHighlight", "TBoardHighlight", "BoardImage1", {1, 200, 51, 53}},
    {"ADCTRHighlight", "TBoardHighlight", "BoardImage1", {53, 344, 254, 55}},
    {"PowerHighlight", "TBoardHighlight", "BoardImage1", {364, 301, 23, 38}},
    {"IRQHighlight9", "TBoardHighlight", "BoardImage1", {316, 315, 34, 23}},
    {"InvertPanel", "TRadioPanel", "MainForm", {16, 64, 185, 129}},
    {"InvertJumper6", "TThreeJumper", "InvertPanel", {72, 8, 43, 18}},
    {"InvertLabelJP13", "TLabel", "InvertPanel", {16, 9, 49, 17}},
    {"InvertLabelJP2", "TLabel", "InvertPanel", {0, 73, 41, 17}},
    {"InvertLabelJP1", "TLabel", "InvertPanel", {32, 105, 33, 17}},
    {"InvertLabelJP8", "TLabel", "InvertPanel", {72, 105, 33, 17}},
    {"InvertJumper2", "TThreeJumper", "InvertPanel", {48, 56, 18, 43}},
    {"InvertJumper1", "TThreeJumper", "InvertPanel", {68, 56, 18, 43}},
    {"InvertJumper5", "TThreeJumper", "InvertPanel", {88, 56, 18, 43}},
    {"InvertLabelJP1Ptr", "TLabel", "InvertPanel", {52, 97, 33, 17}},
    {"InvertLabelJP8Ptr", "TLabel", "InvertPanel", {76, 96, 33, 17}},
    {"InvertLabel", "TLabel", "InvertPanel", {104, 36, 73, 17}},
    {"InvertCheck1", "TCheckBox", "InvertPanel", {120, 52, 65, 17}},
    {"InvertCheck2", "TCheckBox", "InvertPanel", {120, 68, 65, 17}},
    {"InvertCheck5", "TCheckBox", "InvertPanel", {120, 88, 65, 17}},
    {"InvertCheck6", "TCheckBox", "InvertPanel", {120, 104, 65, 17}},
    {"BasePanel", "TRadioPanel", "MainForm", {552, 8, 185, 129}},
    {"BaseJumper5", "TTwoJumper", "BasePanel", {120, 16, 34, 18}},
    {"BaseJumper6", "TTwoJumper", "BasePanel", {120, 36, 34, 18}},
    {"BaseJumper7", "TTwoJumper", "BasePanel", {120, 56, 34, 18}},
    {"BaseJumper8", "TTwoJumper", "BasePanel", {120, 76, 34, 18}},
    {"BaseJumper9", "TTwoJumper", "BasePanel", {120, 96, 34, 18}},
    {"BaseLabel5", "TLabel", "BasePanel", {48, 17, 65, 17}},
    {"BaseLabel6", "TLabel", "BasePanel", {48, 37, 65, 17}},
    {"BaseLabel7", "TLabel", "BasePanel", {48, 57, 65, 17}},
    {"BaseLabel8", "TLabel", "BasePanel", {48, 77, 65, 17}},
    {"BaseLabel9", "TLabel", "BasePanel", {48, 97, 65, 17}},
    {"BaseLabelFeedback", "TLabel", "BasePanel", {16, 80, 65, 17}},
    {"BaseEdit", "TEdit", "BasePanel", {20, 55, 57, 21}},
    {"X12Panel", "TRadioPanel", "MainForm", {624, 280, 185, 97}},
    {"X12JumperTop", "TThreeJumper", "X12Panel", {64, 24, 43, 18}},
    {"X12JumperBot", "TThreeJumper", "X12Panel", {64, 48, 43, 18}},
    {"X12Label", "TLabel", "X12Panel", {88, 8, 49, 17}},
    {"X12Combo", "TComboBox", "X12Panel", {8, 72, 169, 21}},
    {"DIOPanel", "TRadioPanel", "MainForm", {216, 16, 194, 9}},
    {"ADCTRPanel", "TRadioPanel", "MainForm", {152, 496, 385, 9}},
    {"RangePanel", "TRadioPanel", "MainForm", {40, 320, 185, 169}},
    {"RangeJumperBD5", "TTwoJumper", "RangePanel", {32, 120, 34, 18}},
    {"RangeJumperBDU", "TTwoJumper", "RangePanel", {32, 100, 34, 18}},
    {"RangeJumperBDB", "TTwoJumper", "RangePanel", {32, 80, 34, 18}},
    {"RangeLabelBD5", "TLabel", "RangePanel", {72, 121, 105, 17}},
    {"RangeLabelBDU", "TLabel", "RangePanel", {72, 101, 105, 17}},
    {"RangeLabelBDB", "TLabel", "RangePanel", {72, 81, 105, 17}},
    {"RangeJumperAC5", "TTwoJumper", "RangePanel", {32, 8, 34, 18}},
    {"RangeJumperACU", "TTwoJumper", "RangePanel", {32, 28, 34, 18}},
    {"RangeJumperACB", "TTwoJumper", "RangePanel", {32, 48, 34, 18}},
    {"RangeLabelAC5", "TLabel", "RangePanel", {72, 9, 105, 17}},
    {"RangeLabelACU", "TLabel", "RangePanel", {72, 29, 105, 17}},
    {"RangeLabelACB", "TLabel", "RangePanel", {72, 49, 105, 17}},
    {"RangeCombo", "TComboBox", "RangePanel", {8, 144, 169, 21}},
    {"IRQPanel", "TRadioPanel", "MainForm", {600, 144, 185, 329}},
    {"IRQJumper3", "TTwoJumper", "IRQPanel", {88, 8, 34, 18}},
    {"IRQJumper4", "TTwoJumper", "IRQPanel", {88, 28, 34, 18}},
    {"IRQJumper5", "TTwoJumper", "IRQPanel", {88, 48, 34, 18}},
    {"IRQJumper6", "TTwoJumper", "IRQPanel", {88, 68, 34, 18}},
    {"IRQJumper7", "TTwoJumper", "IRQPanel", {88, 88, 34, 18}},
    {"IRQLabel3", "TLabel", "IRQPanel", {16, 9, 65, 17}},
    {"IRQLabel4", "TLabel", "IRQPanel", {16, 29, 65, 17}},
    {"IRQLabel5", "TLabel", "IRQPanel", {16, 49, 65, 17}},
    {"IRQLabel6", "TLabel", "IRQPanel", {16, 69, 65, 17}},
    {"IRQLabel7", "TLabel", "IRQPanel", {16, 89, 65, 17}},
    {"IRQJumper15", "TTwoJumper", "IRQPanel", {96, 128, 34, 18}},
    {"IRQJumper14", "TTwoJumper", "IRQPanel", {96, 148, 34, 18}},
    {"IRQJumper12", "TTwoJumper", "IRQPanel", {96, 168, 34, 18}},
    {"IRQJumper11", "TTwoJumper", "IRQPanel", {96, 188, 34, 18}},
    {"IRQJumper10", "TTwoJumper", "IRQPanel", {96, 208, 34, 18}},
    {"IRQLabel15", "TLabel", "IRQPanel", {24, 129, 65, 17}},
    {"IRQLabel14", "TLabel", "IRQPanel", {24, 149, 65, 17}},
    {"IRQLabel12", "TLabel", "IRQPanel", {24, 169, 65, 17}},
    {"IRQLabel11", "TLabel", "IRQPanel", {24, 189, 65, 17}},
    {"IRQLabel10", "TLabel", "IRQPanel", {24, 209, 65, 17}},
    {"IRQJumper9", "TTwoJumper", "IRQPanel", {96, 272, 34, 18}},
    {"IRQLabel9", "TLabel", "IRQPanel", {24, 273, 65, 17}},
    {"IRQCombo", "TComboBox", "IRQPanel", {8, 304, 169, 21}},
    {"DACPanel", "TRadioPanel", "MainForm", {-8, 240, 194, 9}},
    {"PowPanel", "TRadioPanel", "MainForm", {624, 496, 194, 9}},
};
const Highlight highlights[] = {
    {"BaseHighlight", Setup::htSettings, u"Base Address"_s, "BasePanel"},
    {"IRQHighlightLo", Setup::htSettings, u"IRQ"_s, "IRQPanel"},
    {"IRQHighlightHi", Setup::htSettings, u"IRQ"_s, "IRQPanel"},
    {"RangeHighlightA", Setup::htSettings, u"DAC Range"_s, "RangePanel"},
    {"RangeHighlightB", Setup::htSettings, u"DAC Range"_s, "RangePanel"},
    {"RangeHighlightC", Setup::htSettings, u"DAC Range"_s, "RangePanel"},
    {"RangeHighlightD", Setup::htSettings, u"DAC Range"_s, "RangePanel"},
    {"InvertHighlight0", Setup::htSettings, u"Mode 1 Digital Inversion"_s, "InvertPanel"},
    {"InvertHighlight1", Setup::htSettings, u"Mode 1 Digital Inversion"_s, "InvertPanel"},
    {"X12Highlight", Setup::htSettings, u"±12V Source"_s, "X12Panel"},
    {"DIOHighlight", Setup::htOptions, u"Digital I/O"_s, "DIOPanel"},
    {"DACHighlight", Setup::htOptions, u"Analog Output"_s, "DACPanel"},
    {"ADCTRHighlight", Setup::htOptions, u"Analog Input And Counter/Timer"_s, "ADCTRPanel"},
    {"PowerHighlight", Setup::htOptions, u"External ±12V"_s, "PowPanel"},
    {"IRQHighlight9", Setup::htSettings, u"IRQ"_s, "IRQPanel"},
};
const Label labels[] = {
    {"InvertLabelJP13", u"JP13"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"InvertLabelJP2", u"JP2"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"InvertLabelJP1", u"JP1"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"InvertLabelJP8", u"JP8"_s, TLabel::taLeftJustify, TLabel::tlCenter, false},
    {"InvertLabelJP1Ptr", u"/"_s, TLabel::taCenter, TLabel::tlCenter, true},
    {"InvertLabelJP8Ptr", u"/"_s, TLabel::taCenter, TLabel::tlCenter, true},
    {"InvertLabel", u"Invert"_s, TLabel::taCenter, TLabel::tlTop, false},
    {"BaseLabel5", u"A5"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"BaseLabel6", u"A6"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"BaseLabel7", u"A7"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"BaseLabel8", u"A8"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"BaseLabel9", u"A9"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"BaseLabelFeedback", u""_s, TLabel::taCenter, TLabel::tlTop, false},
    {"X12Label", u"JP20"_s, TLabel::taLeftJustify, TLabel::tlTop, false},
    {"RangeLabelBD5", u"DAC B/D 5V"_s, TLabel::taLeftJustify, TLabel::tlCenter, false},
    {"RangeLabelBDU", u"UNIPOLAR"_s, TLabel::taLeftJustify, TLabel::tlCenter, false},
    {"RangeLabelBDB", u"BIPOLAR"_s, TLabel::taLeftJustify, TLabel::tlCenter, false},
    {"RangeLabelAC5", u"DAC A/C 5V"_s, TLabel::taLeftJustify, TLabel::tlCenter, false},
    {"RangeLabelACU", u"UNIPOLAR"_s, TLabel::taLeftJustify, TLabel::tlCenter, false},
    {"RangeLabelACB", u"BIPOLAR"_s, TLabel::taLeftJustify, TLabel::tlCenter, false},
    {"IRQLabel3", u"IRQ3"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"IRQLabel4", u"IRQ4"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"IRQLabel5", u"IRQ5"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"IRQLabel6", u"IRQ6"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"IRQLabel7", u"IRQ7"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"IRQLabel15", u"IRQ15"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"IRQLabel14", u"IRQ14"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"IRQLabel12", u"IRQ12"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"IRQLabel11", u"IRQ11"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"IRQLabel10", u"IRQ10"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
    {"IRQLabel9", u"IRQ9"_s, TLabel::taRightJustify, TLabel::tlCenter, false},
};
const TwoPin twoPins[] = {
    {"BaseJumper5", true, 0},
    {"BaseJumper6", true, 0},
    {"BaseJumper7", true, 0},
    {"BaseJumper8", false, 0},
    {"BaseJumper9", false, 0},
    {"RangeJumperBD5", true, 0},
    {"RangeJumperBDU", false, 0},
    {"RangeJumperBDB", true, 0},
    {"RangeJumperAC5", true, 0},
    {"RangeJumperACU", false, 0},
    {"RangeJumperACB", true, 0},
    {"IRQJumper3", false, 1},
    {"IRQJumper4", false, 2},
    {"IRQJumper5", true, 3},
    {"IRQJumper6", false, 4},
    {"IRQJumper7", false, 5},
    {"IRQJumper15", false, 11},
    {"IRQJumper14", false, 10},
    {"IRQJumper12", false, 9},
    {"IRQJumper11", false, 8},
    {"IRQJumper10", false, 7},
    {"IRQJumper9", false, 6},
};
const ThreePin threePins[] = {
    {"InvertJumper6", Setup::jsLeft, Setup::otUp},
    {"InvertJumper2", Setup::jsLeft, Setup::otLeft},
    {"InvertJumper1", Setup::jsLeft, Setup::otLeft},
    {"InvertJumper5", Setup::jsLeft, Setup::otLeft},
    {"X12JumperTop", Setup::jsLeft, Setup::otUp},
    {"X12JumperBot", Setup::jsLeft, Setup::otUp},
};
const Check checks[] = {
    {"InvertCheck1", u"Bit 1"_s, 0},
    {"InvertCheck2", u"Bit 2"_s, 1},
    {"InvertCheck5", u"Bit 5"_s, 2},
    {"InvertCheck6", u"Bit 6"_s, 3},
};
const Panel panels[] = {
    {"InvertPanel", 1, {
        u"These jumpers invert four bits of Port C of the 8255 digital I/O chip on the card. This is intended for 8255 Mode 1 operation; inverting bits 1 and 2 allows Port A to be a Mode 1 port talking to an uninverted Mode 1 port, and inverting bits 5 and 6 does the same with Port B."_s,
        u""_s,
        u"The inverters treat bits 1 and 5 as outputs and bits 2 and 6 as inputs, which is how they're used in 8255 Mode 1. When uninverted, these bits can freely be inputs or outputs."_s,
    }},
    {"BasePanel", 3, {
        u"Enter the base address(in hex) on the left, then set the card's base address jumpers to match the ones on the right."_s,
        u""_s,
        u"If the card can't be set to that address, a similar address the card can be set to will appear below the invalid one, and the jumpers will be displayed for that address."_s,
    }},
    {"X12Panel", 5, {
        u"Set these jumpers to select where the card gets ±12V reference power. In the left position, they're taken from the PC-104 connector. In the right position, they're taken from P6, the eight-pin connector just below these jumpers; +12V is taken from pin 4 and -12V from pin 6."_s,
    }},
    {"DIOPanel", 6, {
        u"The card has 24 bits of digital I/O based on an industry-standard 8255 chip (specifically, a Harris Semiconductor 82C55A)."_s,
        u""_s,
        u"All 8255 modes are supported by the card, with jumpers controlling the inversions necessary for Mode 1 operation. (See the jumpers in the upper left for details.)"_s,
        u""_s,
        u"Ports A and B are buffered. Port C features change-of-state detection. All pins have pull-ups to 5V."_s,
    }},
    {"ADCTRPanel", 7, {
        u"The card has three 16-bit counter/timers based on an industry-standard 8254 chip (specifically, a Harris Semiconductor 82C54)."_s,
        u""_s,
        u"The gate, clock, and output pins for each counter are exposed on the connector. Counter 2's output can generate interrupts. Counter 1's clock has a 1MHz input."_s,
        u""_s,
        u"These counter/timers can be used for frequency generation, frequency measurement, pulse width measurement, and event counting, and can be cascaded together for larger counts."_s,
    }},
    {"RangePanel", 2, {
        u"Set these jumpers to select the range of each DAC. DACs A and C use the same layout (similar to the ones on the top), and DACs B and D use the same layout (similar to the ones on the bottom)."_s,
    }},
    {"IRQPanel", 4, {
        u"Set the IRQ jumpers to specify what IRQ the card generates interrupts on."_s,
    }},
    {"DACPanel", 8, {
        u"The card has four 12-bit analog output channels based on a pair of Analog Devices AD5343 dual D/A chips."_s,
    }},
    {"PowPanel", 9, {
        u"The card normally takes all ground and power signals from the PC-104 connector; however, ±12V reference power can be taken from an external precision source by changing the \"±12V Source\" jumpers(in the lower right)."_s,
    }},
};
const Binding bindings[] = {
    {"MainForm", "OnCreate", "FormCreate"},
    {"InvertJumper6", "OnClick", "InvertJumper6Click"},
    {"InvertJumper2", "OnClick", "InvertJumper2Click"},
    {"InvertJumper1", "OnClick", "InvertJumper1Click"},
    {"InvertJumper5", "OnClick", "InvertJumper5Click"},
    {"InvertCheck1", "OnClick", "InvertCheck1Click"},
    {"InvertCheck2", "OnClick", "InvertCheck2Click"},
    {"InvertCheck5", "OnClick", "InvertCheck5Click"},
    {"InvertCheck6", "OnClick", "InvertCheck6Click"},
    {"BaseJumper5", "OnClick", "BaseJumperClick"},
    {"BaseJumper6", "OnClick", "BaseJumperClick"},
    {"BaseJumper7", "OnClick", "BaseJumperClick"},
    {"BaseJumper8", "OnClick", "BaseJumperClick"},
    {"BaseJumper9", "OnClick", "BaseJumperClick"},
    {"BaseEdit", "OnChange", "BaseEditChange"},
    {"X12Panel", "OnEnter", "X12PanelEnter"},
    {"X12JumperTop", "OnClick", "X12JumperClick"},
    {"X12JumperBot", "OnClick", "X12JumperClick"},
    {"X12Combo", "OnChange", "X12ComboChange"},
    {"RangePanel", "OnEnter", "RangePanelEnter"},
    {"RangeJumperBD5", "OnClick", "RangeJumper5Click"},
    {"RangeJumperBDU", "OnClick", "RangeJumperUClick"},
    {"RangeJumperBDB", "OnClick", "RangeJumperBClick"},
    {"RangeJumperAC5", "OnClick", "RangeJumper5Click"},
    {"RangeJumperACU", "OnClick", "RangeJumperUClick"},
    {"RangeJumperACB", "OnClick", "RangeJumperBClick"},
    {"RangeCombo", "OnChange", "RangeComboChange"},
    {"IRQPanel", "OnEnter", "IRQPanelEnter"},
    {"IRQJumper3", "OnClick", "IRQJumperClick"},
    {"IRQJumper4", "OnClick", "IRQJumperClick"},
    {"IRQJumper5", "OnClick", "IRQJumperClick"},
    {"IRQJumper6", "OnClick", "IRQJumperClick"},
    {"IRQJumper7", "OnClick", "IRQJumperClick"},
    {"IRQJumper15", "OnClick", "IRQJumperClick"},
    {"IRQJumper14", "OnClick", "IRQJumperClick"},
    {"IRQJumper12", "OnClick", "IRQJumperClick"},
    {"IRQJumper11", "OnClick", "IRQJumperClick"},
    {"IRQJumper10", "OnClick", "IRQJumperClick"},
    {"IRQJumper9", "OnClick", "IRQJumperClick"},
    {"IRQCombo", "OnChange", "IRQComboChange"},
    {"Exit2", "OnClick", "Exit2Click"},
    {"Howtousethisprogram1", "OnClick", "Howtousethisprogram1Click"},
    {"TechnicalSupport1", "OnClick", "TechnicalSupport1Click"},
};

const char* const combos[] = {"X12Combo", "RangeCombo", "IRQCombo"};
const QStringList comboEntries[] = {
    {u"PC-104 ±12V"_s, u"External ±12V"_s},
    {u"±5V"_s, u"0-5V"_s, u"±10V"_s, u"0-10V"_s},
    {u"IRQs Disabled"_s, u"IRQ 3"_s, u"IRQ 4"_s, u"IRQ 5"_s, u"IRQ 6"_s, u"IRQ 7"_s, u"IRQ 9"_s, u"IRQ 10"_s,
     u"IRQ 11"_s, u"IRQ 12"_s, u"IRQ 14"_s, u"IRQ 15"_s},
};

const char* const rangeJumpers[] = {"RangeJumperAC5", "RangeJumperBD5", "RangeJumperACU",
                                    "RangeJumperBDU", "RangeJumperACB", "RangeJumperBDB"};

// The widget that Tab moves to from w: the focus chain is a ring, and Tab skips the widgets that
// take no focus.
QWidget* nextFocusable(QWidget* w)
{
    QWidget* next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

} // namespace

class tst_PageLayout : public QObject
{
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    template <class T = QObject>
    T* c(const char* name) const
    {
        if (qstrcmp(name, "MainForm") == 0)
            return qobject_cast<T*>(form.get());
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("the page has no %s", name);
        return found;
    }

    QWidget* parentOf(const char* parent) const
    {
        return qstrcmp(parent, "MainForm") == 0 ? form->centralWidget() : c<QWidget>(parent);
    }

    bool closed(const char* jumper) const { return c<TTwoJumper>(jumper)->closed(); }
    Setup::TJumperState state(const char* jumper) const { return c<TThreeJumper>(jumper)->jumperState(); }
    int index(const char* combo) const { return c<QComboBox>(combo)->currentIndex(); }

    // The range jumpers as the list entry k shows them: bit 1 set opens the 5V pair, bit 0 set
    // opens the BIPOLAR pair, and the UNIPOLAR pair stands opposite the BIPOLAR pair.
    void verifyRangeJumpers(int k)
    {
        const bool fiveVolt = !(k & 2), bipolar = !(k & 1);
        const bool expected[] = {fiveVolt, fiveVolt, !bipolar, !bipolar, bipolar, bipolar};
        for (int i = 0; i < 6; ++i)
            QVERIFY2(closed(rangeJumpers[i]) == expected[i], rangeJumpers[i]);
    }

    // Each probe sets up a state, runs the event and checks what only the named handler does.
    void probe(const QString& handler, QObject* sender, const std::function<void()>& fire)
    {
        const QString name = sender->objectName();
        if (handler == u"FormCreate") {
            TApplication::instance()->setOnIdle({});
            fire();
            QVERIFY(TApplication::instance()->onIdle().assigned());
        } else if (handler == u"Exit2Click") {
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            fire();
            QVERIFY(!form->isVisible());
        } else if (handler == u"Howtousethisprogram1Click" || handler == u"TechnicalSupport1Click") {
            TSetupSupporter* supporter = form->setupSupporter();
            supporter->BuildSupport();
            fire();
            const bool help = handler == u"Howtousethisprogram1Click";
            QCOMPARE(supporter->helpForm()->isVisible(), help);
            QCOMPARE(supporter->techForm()->isVisible(), !help);
        } else if (handler == u"BaseJumperClick") {
            const int bit = name.back().digitValue();
            auto* jumper = static_cast<TTwoJumper*>(sender);
            jumper->setClosed(!jumper->closed());
            fire();
            QCOMPARE(c<QLineEdit>("BaseEdit")->text(), QString::number(0x300 ^ (1 << bit), 16).toUpper());
        } else if (handler == u"BaseEditChange") {
            c<QLineEdit>("BaseEdit")->setText(u"1300"_s); // runs the change event itself
            QCOMPARE(c<QLabel>("BaseLabelFeedback")->text(), u"300"_s);
        } else if (handler == u"IRQJumperClick") {
            static_cast<TTwoJumper*>(sender)->setClosed(true);
            fire();
            QCOMPARE(index("IRQCombo"), tagOf(sender));
            for (const TwoPin& j : twoPins)
                if (QByteArray(j.name).startsWith("IRQ"))
                    QCOMPARE(closed(j.name), j.name == name);
        } else if (handler == u"IRQComboChange") {
            c<QComboBox>("IRQCombo")->setCurrentIndex(7);
            fire();
            QVERIFY(closed("IRQJumper10"));
            QVERIFY(!closed("IRQJumper5"));
        } else if (handler.endsWith(u"PanelEnter")) {
            const char* list = handler == u"IRQPanelEnter" ? "IRQCombo" : handler == u"RangePanelEnter" ? "RangeCombo" : "X12Combo";
            fire();
            for (const char* combo : combos)
                QCOMPARE(index(combo), qstrcmp(combo, list) ? -1 : qstrcmp(list, "IRQCombo") ? 0 : 3);
        } else if (handler == u"RangeComboChange") {
            c<QComboBox>("RangeCombo")->setCurrentIndex(3);
            fire();
            verifyRangeJumpers(3);
        } else if (handler.startsWith(u"RangeJumper")) {
            // From "±10V", a 5V jumper closed gives "±5V", a UNIPOLAR one closed or a BIPOLAR
            // one opened gives "0-10V"; a handler of another jumper kind gives something else.
            const bool fiveVolt = handler == u"RangeJumper5Click", bipolar = handler == u"RangeJumperBClick";
            c<QComboBox>("RangeCombo")->setCurrentIndex(2);
            static_cast<TTwoJumper*>(sender)->setClosed(!bipolar);
            fire();
            const int expected = fiveVolt ? 0 : 3;
            QCOMPARE(index("RangeCombo"), expected);
            verifyRangeJumpers(expected);
        } else if (handler.startsWith(u"InvertJumper") || handler.startsWith(u"InvertCheck")) {
            const QChar bit = name.back();
            if (handler.startsWith(u"InvertJumper")) {
                static_cast<TThreeJumper*>(sender)->setJumperState(Setup::jsRight);
                fire();
            } else {
                static_cast<QCheckBox*>(sender)->setChecked(true); // runs the click event itself
            }
            for (const char* n : {"1", "2", "5", "6"}) {
                const bool inverted = bit == QLatin1Char(n[0]);
                QCOMPARE(c<QCheckBox>(QByteArray("InvertCheck").append(n))->isChecked(), inverted);
                QCOMPARE(state(QByteArray("InvertJumper").append(n)), inverted ? Setup::jsRight : Setup::jsLeft);
            }
        } else if (handler == u"X12JumperClick" || handler == u"X12ComboChange") {
            if (handler == u"X12JumperClick")
                static_cast<TThreeJumper*>(sender)->setJumperState(Setup::jsRight);
            else
                c<QComboBox>("X12Combo")->setCurrentIndex(1);
            fire();
            QCOMPARE(index("X12Combo"), 1);
            QCOMPARE(state("X12JumperTop"), Setup::jsRight);
            QCOMPARE(state("X12JumperBot"), Setup::jsRight);
        } else {
            QFAIL(qPrintable(u"no probe for "_s + handler));
        }
    }

private slots:
    void init()
    {
        form = std::make_unique<TMainForm>();
        form->loadLayout();
    }

    void cleanup()
    {
        // The supporter's idle handler belongs to this window.
        TApplication::instance()->setOnIdle({});
        form.reset();
    }

    void theWindowIsAsDesigned()
    {
        QCOMPARE(form->objectName(), u"MainForm"_s);
        QCOMPARE(form->windowTitle(), u"Setup"_s);
        QCOMPARE(form->pos(), QPoint(216, 102));
        QCOMPARE(form->size(), QSize(812, 635));
        QCOMPARE(form->property("Align").toInt(), int(TMainForm::alClient));
        QCOMPARE(form->property("WindowState").toInt(), int(TMainForm::wsMaximized));
        QCOMPARE(form->property("Position").toInt(), int(TMainForm::poScreenCenter));
        QCOMPARE(form->property("PixelsPerInch").toInt(), 96);
        QCOMPARE(form->property("TextHeight").toInt(), 13);
        QCOMPARE(form->color(), clWhite);
        QCOMPARE(form->menu(), c<TMainMenu>("MainMenu1"));
        QCOMPARE(form->font().family(), u"MS Sans Serif"_s);
        QCOMPARE(form->font().pixelSize(), 11);
        QVERIFY(!form->font().bold() && !form->font().italic() && !form->font().underline());
        QCOMPARE(form->palette().color(QPalette::WindowText), QColor(toQRgb(clWindowText)));
        // The controls of the page take the window's font.
        QCOMPARE(c<QLabel>("IRQLabel3")->font().pixelSize(), 11);
        QCOMPARE(c<QComboBox>("IRQCombo")->font().family(), u"MS Sans Serif"_s);
    }

    void everyComponentSitsInItsParentInLayoutOrder()
    {
        QList<const Placed*> all{&board};
        for (const Placed& p : placed)
            all << &p;
        QHash<QWidget*, QStringList> expectedOrder;
        for (const Placed* p : all) {
            auto* w = c<QWidget>(p->name);
            QCOMPARE(w->metaObject()->className(), p->className);
            QCOMPARE(w->parentWidget(), parentOf(p->parent));
            QCOMPARE(w->geometry(), p->bounds);
            expectedOrder[w->parentWidget()] << QString::fromLatin1(p->name);
        }
        QCOMPARE(expectedOrder.size(), 1 + 1 + 5); // client area, board picture, five panels with children
        for (auto it = expectedOrder.begin(); it != expectedOrder.end(); ++it) {
            QStringList actual;
            for (QObject* child : it.key()->children())
                if (it.value().contains(child->objectName()))
                    actual << child->objectName();
            QCOMPARE(actual, it.value());
        }
        // The parts without a place on the screen belong to the window itself.
        QCOMPARE(c<QObject>("MainMenu1")->parent(), form.get());
        QCOMPARE(c<QObject>("SetSup")->parent(), form.get());
        QVERIFY(isExactly(c<QObject>("SetSup"), "TSetupSupporter"));
    }

    void theBoardPictureHoldsItsRings()
    {
        auto* image = c<TBoardImage>("BoardImage1");
        QCOMPARE(image->maximumSize(), QSize(400, 400));
        QVERIFY(!image->AutoSize());
        QVERIFY(image->Stretch());
        QCOMPARE(image->pictureSource(), u":/board.jpg"_s);
        QCOMPARE(image->First(), c<TBoardHighlight>("BaseHighlight"));
        QCOMPARE(image->Menu(), c<TMainMenu>("MainMenu1"));
        for (const Highlight& h : highlights) {
            auto* ring = c<TBoardHighlight>(h.name);
            QCOMPARE(ring->HighlightType(), h.type);
            QCOMPARE(ring->Title(), h.title);
            QCOMPARE(ring->RadioPanel(), c<TRadioPanel>(h.panel));
            QVERIFY(ring->CreatePopup());
        }
    }

    void thePanelsWaitHiddenWithTheirLines()
    {
        for (const Panel& p : panels) {
            auto* panel = c<TRadioPanel>(p.name);
            QVERIFY2(panel->isHidden(), p.name);
            QCOMPARE(panel->lines(), p.lines);
            QCOMPARE(panel->bevelOuter(), TRadioPanel::bvNone);
            QCOMPARE(panel->property("TabOrder").toInt(), p.tabOrder);
            QVERIFY(!panel->radioEnabled());
            QCOMPARE(panel->memoHeight(), 58);
            QCOMPARE(panel->finalAnchors(), Setup::akLeft | Setup::akTop);
            QCOMPARE(panel->color(), clBtnFace);
        }
    }

    void labelsShowTheirCaptions()
    {
        for (const Label& l : labels) {
            auto* label = c<TLabel>(l.name);
            QCOMPARE(label->caption(), l.caption);
            QCOMPARE(label->textAlignment(), l.alignment);
            QCOMPARE(label->textLayout(), l.layout);
            QCOMPARE(label->transparent(), l.transparent);
            QVERIFY(!label->autoSize());
        }
    }

    void jumpersStandAsTheStartingSettingsSay()
    {
        for (const TwoPin& j : twoPins) {
            auto* jumper = c<TTwoJumper>(j.name);
            QVERIFY2(jumper->closed() == j.closed, j.name);
            QCOMPARE(tagOf(jumper), j.tag);
            QCOMPARE(jumper->orientation(), Setup::otUp);
        }
        for (const ThreePin& j : threePins) {
            auto* jumper = c<TThreeJumper>(j.name);
            QCOMPARE(jumper->jumperState(), j.state);
            QCOMPARE(jumper->orientation(), j.orientation);
            QVERIFY(!jumper->allowOpen());
        }
    }

    void inputsStartAsDesigned()
    {
        for (const Check& k : checks) {
            auto* box = c<TCheckBox>(k.name);
            QCOMPARE(box->text(), k.caption);
            QVERIFY(!box->isChecked());
            QCOMPARE(box->property("TabOrder").toInt(), k.tabOrder);
        }
        for (int i = 0; i < 3; ++i) {
            auto* combo = c<TComboBox>(combos[i]);
            QCOMPARE(combo->items(), comboEntries[i]);
            QCOMPARE(combo->comboStyle(), TComboBox::csDropDownList);
            QVERIFY(!combo->isEditable());
            QCOMPARE(combo->currentIndex(), -1);
            QCOMPARE(combo->itemHeight(), 13);
            QCOMPARE(combo->property("TabOrder").toInt(), 0);
        }
        auto* edit = c<TEdit>("BaseEdit");
        QCOMPARE(edit->text(), u"300"_s);
        QCOMPARE(edit->property("TabOrder").toInt(), 0);
        QCOMPARE(c<QLabel>("BaseLabelFeedback")->text(), QString());
    }

    void tabFollowsTheTabOrders()
    {
        // Within the inversion panel the boxes in bit order; across panels, panels in TabOrder.
        const char* const expected[] = {"InvertCheck1", "InvertCheck2", "InvertCheck5", "InvertCheck6",
                                        "RangeCombo",   "BaseEdit",     "IRQCombo",     "X12Combo"};
        QList<QWidget*> inputs;
        for (const char* name : expected)
            inputs << c<QWidget>(name);
        QList<QWidget*> visited{inputs.front()};
        for (QWidget* w = nextFocusable(inputs.front()); w != inputs.front(); w = nextFocusable(w))
            if (inputs.contains(w))
                visited << w;
        QCOMPARE(visited, inputs);
    }

    void theMenuBarHoldsFileAndHelp()
    {
        auto* menu = c<TMainMenu>("MainMenu1");
        QCOMPARE(menu->count(), 2);
        const struct
        {
            const char* name;
            QString caption;
            QStringList items;
            QStringList captions;
        } tops[] = {
            {"File1", u"&File"_s, {u"Exit2"_s}, {u"&Exit"_s}},
            {"Help1", u"&Help"_s, {u"Howtousethisprogram1"_s, u"TechnicalSupport1"_s},
             {u"H&ow to use this program"_s, u"&Technical Support"_s}},
        };
        for (int i = 0; i < 2; ++i) {
            TMenuItem* top = menu->item(i);
            QCOMPARE(top->objectName(), QString::fromLatin1(tops[i].name));
            QCOMPARE(top->caption(), tops[i].caption);
            QCOMPARE(top->count(), tops[i].items.size());
            for (int j = 0; j < top->count(); ++j) {
                QCOMPARE(top->item(j)->objectName(), tops[i].items[j]);
                QCOMPARE(top->item(j)->caption(), tops[i].captions[j]);
            }
        }
        const QList<QAction*> bar = form->menuBar()->actions();
        QCOMPARE(bar.size(), 2);
        QCOMPARE(bar[0]->text(), u"&File"_s);
        QCOMPARE(bar[1]->text(), u"&Help"_s);
    }

    void theSupporterNamesTheMakerAndTheCard()
    {
        auto* supporter = c<TSetupSupporter>("SetSup");
        QCOMPARE(supporter->companyName(), u"NORVIK"_s);
        QCOMPARE(supporter->cardNameA(), u"VT-4400"_s);
        QCOMPARE(supporter->cardNameB(), u"VT-4400DX"_s);
        QCOMPARE(supporter->callHow(), u"weekdays from 8:00 a.m. to 5:00 p.m. Pacific time at (555) 010-4400"_s);
        QVERIFY(supporter->changeButtons());
        QVERIFY(!supporter->useCardNameB());
        QVERIFY(!supporter->multiPort());
        QCOMPARE(supporter->channels(), quint8(8));
        QVERIFY(supporter->series());
        QVERIFY(!supporter->onGetCardString().assigned());
        QVERIFY(!supporter->onGetCalibString().assigned());
    }

    void onlyTheLayoutsEventsAreBound()
    {
        QSet<QString> bound;
        for (const Binding& b : bindings)
            bound << QString::fromLatin1(b.component) + u'.' + QString::fromLatin1(b.event);
        QList<QObject*> objects = form->findChildren<QObject*>();
        objects << form.get();
        for (QObject* object : objects) {
            const QMetaObject* meta = object->metaObject();
            for (int i = 0; i < meta->propertyCount(); ++i) {
                const QMetaProperty p = meta->property(i);
                if (p.metaType() != QMetaType::fromType<TNotifyEvent>())
                    continue;
                const QString key = object->objectName() + u'.' + QString::fromLatin1(p.name());
                QVERIFY2(p.read(object).value<TNotifyEvent>().assigned() == bound.contains(key), qPrintable(key));
            }
        }
    }

    void eachEventRunsItsHandler_data()
    {
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("event");
        QTest::addColumn<QString>("handler");
        for (const Binding& b : bindings)
            QTest::addRow("%s.%s", b.component, b.event) << QString::fromLatin1(b.component)
                                                         << QString::fromLatin1(b.event) << QString::fromLatin1(b.handler);
    }

    void eachEventRunsItsHandler()
    {
        QFETCH(QString, component);
        QFETCH(QString, event);
        QFETCH(QString, handler);
        QObject* sender = c(component.toLatin1().constData());
        const QByteArray property = event.toLatin1();
        probe(handler, sender, [&] { sender->property(property.constData()).value<TNotifyEvent>()(sender); });
    }
};

int main(int argc, char** argv)
{
    // The window hands its first idle moment to the application object of the program.
    TApplication app(argc, argv);
    tst_PageLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pagelayout.moc"
