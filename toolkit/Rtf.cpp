#include "Rtf.h"

#include <QColor>
#include <QHash>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

// The reader keeps character properties only (font, size, bold, colour); paragraph
// properties such as \pard have nothing to reset and fall under the ignored words.
// Every step consumes input, so the reader ends on any byte string, and all numbers are
// clamped before use.

namespace {

constexpr std::size_t kMaxDepth = 128;  // deeper groups are skipped with their content
constexpr long long kParamLimit = 1'000'000'000;
constexpr std::size_t kMaxTableEntries = 4096;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 1000;
constexpr int kMaxWordLength = 32;

enum class Destination { Text, FontTable, ColorTable };

struct State
{
    Destination destination = Destination::Text;
    int font = -1; // -1: the document's default font
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    int color = -1; // -1: the view's own text colour
    int unicodeSkip = 1;
};

// What a run of text looks like; runs with equal looks are inserted together.
struct Looks
{
    QString family;
    int halfPoints;
    bool bold;
    std::optional<QColor> color;
    bool operator==(const Looks&) const = default;
};

enum class Word {
    FontTable, ColorTable, SkippedDestination, Font, DefaultFont, FontSize, Bold, Plain,
    Color, Red, Green, Blue, Par, Line, Tab, EmDash, EnDash, Unicode, UnicodeSkip
};

std::optional<Word> lookupWord(const QByteArray& name)
{
    static const QHash<QByteArray, Word> words = {
        {"fonttbl", Word::FontTable}, {"colortbl", Word::ColorTable},
        {"info", Word::SkippedDestination}, {"stylesheet", Word::SkippedDestination},
        {"pict", Word::SkippedDestination}, {"object", Word::SkippedDestination},
        {"header", Word::SkippedDestination}, {"footer", Word::SkippedDestination},
        {"footnote", Word::SkippedDestination}, {"f", Word::Font}, {"deff", Word::DefaultFont},
        {"fs", Word::FontSize}, {"b", Word::Bold}, {"plain", Word::Plain}, {"cf", Word::Color},
        {"red", Word::Red}, {"green", Word::Green}, {"blue", Word::Blue}, {"par", Word::Par},
        {"line", Word::Line}, {"tab", Word::Tab}, {"emdash", Word::EmDash},
        {"endash", Word::EnDash}, {"u", Word::Unicode}, {"uc", Word::UnicodeSkip},
    };
    const auto it = words.constFind(name);
    return it == words.constEnd() ? std::nullopt : std::optional<Word>(*it);
}

// Code page 1252: 0x80 to 0x9F differ from Latin-1; the five unassigned bytes give U+FFFD.
char16_t fromCp1252(unsigned char byte)
{
    static constexpr char16_t high[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
        0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
    };
    return byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : char16_t(byte);
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Reader
{
public:
    Reader(QTextDocument& document, const QByteArray& rtf) : m_in(rtf), m_cursor(&document) {}

    void run()
    {
        m_cursor.beginEditBlock();
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos++];
            switch (c) {
            case '{': openGroup(); break;
            case '}': closeGroup(); break;
            case '\\': control(); break;
            case '\r':
            case '\n': break; // line breaks in the file are not text
            default: character(fromCp1252(static_cast<unsigned char>(c)));
            }
        }
        endPendingSurrogate();
        flush();
        m_cursor.endEditBlock();
    }

private:
    struct ControlWord
    {
        QByteArray name;
        bool hasParam = false;
        int param = 0;
    };

    // --- groups ---

    void openGroup()
    {
        m_skip = 0;
        if (m_stack.size() >= kMaxDepth) {
            skipToGroupEnd();
            return;
        }
        m_stack.push_back(m_state);
    }

    void closeGroup()
    {
        m_skip = 0;
        if (m_stack.empty())
            return; // an unbalanced '}' closes nothing
        if (m_state.destination == Destination::FontTable && !m_fontName.isEmpty())
            commitFont(); // a font entry whose ';' is missing still counts
        m_state = m_stack.back();
        m_stack.pop_back();
    }

    // Skips the rest of the current group, its closing brace included, and leaves it.
    void skipRestOfGroup()
    {
        if (skipToGroupEnd())
            closeGroup();
    }

    bool skipToGroupEnd()
    {
        int depth = 1;
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos++];
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (--depth == 0)
                    return true;
            } else if (c == '\\' && m_pos < m_in.size()) {
                if (!isLetter(m_in[m_pos])) {
                    ++m_pos; // an escaped brace or backslash is not a group edge
                    continue;
                }
                const ControlWord word = readWord();
                if (word.name == "bin")
                    skipBinary(word);
            }
        }
        return false;
    }

    // --- control words and symbols ---

    void control()
    {
        if (m_pos >= m_in.size())
            return; // a lone backslash at the end
        if (isLetter(m_in[m_pos])) {
            const ControlWord word = readWord();
            if (word.name == "bin")
                skipBinary(word); // binary data is never text, even while skipping
            else if (m_skip > 0)
                --m_skip; // a control word counts as one character after \u
            else
                apply(word);
            return;
        }
        symbol(m_in[m_pos++]);
    }

    ControlWord readWord()
    {
        ControlWord word;
        while (m_pos < m_in.size() && isLetter(m_in[m_pos])) {
            if (word.name.size() < kMaxWordLength)
                word.name += m_in[m_pos];
            ++m_pos;
        }
        bool negative = false;
        if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        long long value = 0;
        while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            word.hasParam = true;
            if (value < kParamLimit)
                value = value * 10 + (m_in[m_pos] - '0');
            ++m_pos;
        }
        value = std::min(value, kParamLimit);
        word.param = static_cast<int>(negative ? -value : value);
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos; // the space ends the word and is not text
        return word;
    }

    void skipBinary(const ControlWord& word)
    {
        const qsizetype count = std::max(word.param, 0);
        m_pos += std::min(count, m_in.size() - m_pos);
    }

    void apply(const ControlWord& word)
    {
        const std::optional<Word> known = lookupWord(word.name);
        if (!known)
            return;
        const int param = word.param;
        switch (*known) {
        case Word::FontTable: m_state.destination = Destination::FontTable; break;
        case Word::ColorTable: m_state.destination = Destination::ColorTable; break;
        case Word::SkippedDestination: skipRestOfGroup(); break;
        case Word::Font: setFont(param); break;
        case Word::DefaultFont: m_defaultFont = param; break;
        case Word::FontSize:
            m_state.halfPoints = word.hasParam ? std::clamp(param, 1, kMaxHalfPoints) : kDefaultHalfPoints;
            break;
        case Word::Bold: m_state.bold = !word.hasParam || param != 0; break;
        case Word::Plain: resetCharacterState(); break;
        case Word::Color: m_state.color = param; break;
        case Word::Red: setComponent(m_red, param); break;
        case Word::Green: setComponent(m_green, param); break;
        case Word::Blue: setComponent(m_blue, param); break;
        case Word::Par: paragraph(); break;
        case Word::Line: character(0x2028); break;
        case Word::Tab: character('\t'); break;
        case Word::EmDash: character(0x2014); break;
        case Word::EnDash: character(0x2013); break;
        case Word::Unicode: unicode(word); break;
        case Word::UnicodeSkip: m_state.unicodeSkip = std::max(param, 0); break;
        }
    }

    void symbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}': character(char16_t(c)); break;
        case '\'': hexByte(); break;
        case '*': skipRestOfGroup(); break; // no optional destination is known here
        case '~': character(0x00A0); break;
        case '_': character(0x2011); break;
        case '\r':
        case '\n':
            if (m_skip > 0) --m_skip;
            else paragraph();
            break;
        default: break; // optional hyphen and unknown symbols
        }
    }

    // \'hh: one code-page byte. A cut-short escape is dropped with the digit it has.
    void hexByte()
    {
        int value = 0, digits = 0;
        while (digits < 2 && m_pos < m_in.size() && hexValue(m_in[m_pos]) >= 0) {
            value = value * 16 + hexValue(m_in[m_pos++]);
            ++digits;
        }
        if (digits == 2)
            character(fromCp1252(static_cast<unsigned char>(value)));
    }

    // \uN: a signed 16-bit UTF-16 unit, followed by N fallback characters to skip.
    void unicode(const ControlWord& word)
    {
        int unit = word.param < 0 ? word.param + 0x10000 : word.param;
        if (unit < 0 || unit > 0xFFFF)
            unit = 0xFFFD;
        const char16_t u = char16_t(unit);
        if (QChar::isHighSurrogate(u)) {
            endPendingSurrogate();
            m_highSurrogate = u; // its partner comes with the next \u
        } else if (QChar::isLowSurrogate(u) && m_highSurrogate) {
            const char32_t c = QChar::surrogateToUcs4(m_highSurrogate, u);
            m_highSurrogate = 0;
            put(c);
        } else {
            character(QChar::isLowSurrogate(u) ? 0xFFFD : u);
        }
        m_skip = m_state.unicodeSkip;
    }

    // --- characters into their destination ---

    void character(char32_t c)
    {
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        endPendingSurrogate();
        put(c);
    }

    void endPendingSurrogate()
    {
        if (!m_highSurrogate)
            return;
        m_highSurrogate = 0;
        put(0xFFFD);
    }

    void put(char32_t c)
    {
        switch (m_state.destination) {
        case Destination::Text:
            if ((c >= 0x20 && c != 0x7F && c != 0xFFFC) || c == '\t')
                appendText(QString::fromUcs4(&c, 1));
            break;
        case Destination::FontTable:
            if (c == ';') commitFont();
            else m_fontName += QString::fromUcs4(&c, 1);
            break;
        case Destination::ColorTable:
            if (c == ';') commitColor();
            break;
        }
    }

    void setComponent(int& component, int value)
    {
        component = std::clamp(value, 0, 255);
        m_colorGiven = true;
    }

    void setFont(int number)
    {
        if (m_state.destination == Destination::FontTable)
            m_fontNumber = number;
        else
            m_state.font = number;
    }

    void resetCharacterState()
    {
        const State fresh;
        m_state.font = fresh.font;
        m_state.halfPoints = fresh.halfPoints;
        m_state.bold = fresh.bold;
        m_state.color = fresh.color;
    }

    void commitFont()
    {
        if (m_fonts.size() < kMaxTableEntries || m_fonts.count(m_fontNumber))
            m_fonts[m_fontNumber] = m_fontName.trimmed();
        m_fontName.clear();
    }

    void commitColor()
    {
        if (m_colors.size() < kMaxTableEntries)
            m_colors.push_back(m_colorGiven ? std::optional<QColor>(QColor(m_red, m_green, m_blue))
                                            : std::nullopt); // an empty entry is the automatic colour
        m_red = m_green = m_blue = 0;
        m_colorGiven = false;
    }

    // --- output ---

    Looks currentLooks() const
    {
        const auto font = m_fonts.find(m_state.font < 0 ? m_defaultFont : m_state.font);
        Looks looks{font == m_fonts.end() ? QString() : font->second, m_state.halfPoints, m_state.bold, {}};
        if (m_state.color >= 0 && std::size_t(m_state.color) < m_colors.size())
            looks.color = m_colors[m_state.color];
        return looks;
    }

    static QTextCharFormat formatOf(const Looks& looks)
    {
        QTextCharFormat format;
        if (!looks.family.isEmpty())
            format.setFontFamilies(QStringList{looks.family});
        format.setFontPointSize(looks.halfPoints / 2.0);
        format.setFontWeight(looks.bold ? QFont::Bold : QFont::Normal);
        if (looks.color)
            format.setForeground(*looks.color);
        return format;
    }

    void appendText(const QString& text)
    {
        const Looks looks = currentLooks();
        if (!(looks == m_runLooks)) {
            flush();
            m_runLooks = looks;
        }
        m_run += text;
    }

    void flush()
    {
        if (m_run.isEmpty())
            return;
        m_cursor.insertText(m_run, formatOf(m_runLooks));
        m_run.clear();
    }

    void paragraph()
    {
        if (m_state.destination != Destination::Text)
            return;
        endPendingSurrogate();
        flush();
        // The new paragraph takes the current looks, so an empty line is as tall as its text.
        m_cursor.insertBlock(QTextBlockFormat(), formatOf(currentLooks()));
    }

    const QByteArray& m_in;
    qsizetype m_pos = 0;

    State m_state;
    std::vector<State> m_stack;
    int m_skip = 0; // fallback characters still to skip after \u
    char16_t m_highSurrogate = 0;

    int m_defaultFont = 0;
    std::map<int, QString> m_fonts;
    int m_fontNumber = 0;
    QString m_fontName;

    std::vector<std::optional<QColor>> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorGiven = false;

    QTextCursor m_cursor;
    QString m_run;
    Looks m_runLooks{QString(), kDefaultHalfPoints, false, {}};
};

} // namespace

void loadRtf(QTextDocument& document, const QByteArray& rtf)
{
    // Loading is not an edit the user could undo; the history would only hold memory.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    Reader(document, rtf).run();
    document.setUndoRedoEnabled(undo);
}
