#include "LayoutParser.h"

namespace {

struct Token
{
    enum Kind { Word, Number, String, Symbol, NewLine, End };
    Kind kind = End;
    QString text; // Word, String, Symbol; the digits of a Number
    qint64 number = 0;
    int line = 0;
};

// Splits the text into tokens; line ends are tokens because a property ends with its line.
class Lexer
{
public:
    Lexer(const QString& text, const QString& source) : m_text(text), m_source(source) {}

    std::vector<Token> tokens()
    {
        std::vector<Token> out;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (c == u'\n') {
                out.push_back({Token::NewLine, {}, 0, m_line});
                ++m_line;
                ++m_pos;
            } else if (c.isSpace()) {
                ++m_pos;
            } else if (c == u'#') {
                while (m_pos < m_text.size() && m_text[m_pos] != u'\n')
                    ++m_pos;
            } else if (c == u'"') {
                out.push_back(string());
            } else if (c.isDigit() || (c == u'-' && peekIsDigit())) {
                out.push_back(number());
            } else if (isWordStart(c)) {
                out.push_back(word());
            } else if (QStringLiteral(":=[](),.").contains(c)) {
                out.push_back({Token::Symbol, QString(c), 0, m_line});
                ++m_pos;
            } else {
                failLayout(m_source, m_line, QStringLiteral("unexpected character '%1'").arg(c));
            }
        }
        out.push_back({Token::End, {}, 0, m_line});
        return out;
    }

private:
    static bool isWordStart(QChar c) { return c.isLetter() || c == u'_'; }
    static bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }
    bool peekIsDigit() const { return m_pos + 1 < m_text.size() && m_text[m_pos + 1].isDigit(); }

    Token word()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && isWordChar(m_text[m_pos]))
            ++m_pos;
        return {Token::Word, m_text.mid(start, m_pos - start), 0, m_line};
    }

    Token number()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (isWordChar(m_text[m_pos]) || m_text[m_pos] == u'-'))
            ++m_pos;
        const QString digits = m_text.mid(start, m_pos - start);
        bool ok = false;
        const bool negative = digits.startsWith(u'-');
        const QString magnitude = negative ? digits.mid(1) : digits;
        qint64 value = magnitude.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                           ? magnitude.mid(2).toLongLong(&ok, 16)
                           : magnitude.toLongLong(&ok, 10);
        // toLongLong accepts a sign of its own; only the one we stripped is allowed.
        if (!ok || magnitude.contains(u'-') || magnitude.contains(u'+'))
            failLayout(m_source, m_line, QStringLiteral("'%1' is not a number").arg(digits));
        return {Token::Number, digits, negative ? -value : value, m_line};
    }

    Token string()
    {
        QString value;
        ++m_pos; // opening quote
        while (true) {
            if (m_pos >= m_text.size() || m_text[m_pos] == u'\n')
                failLayout(m_source, m_line, QStringLiteral("unterminated string"));
            const QChar c = m_text[m_pos++];
            if (c == u'"')
                break;
            if (c == u'\\') {
                const QChar escaped = m_pos < m_text.size() ? m_text[m_pos++] : QChar();
                if (escaped != u'"' && escaped != u'\\')
                    failLayout(m_source, m_line,
                               QStringLiteral("unknown escape '\\%1' in a string").arg(escaped));
                value += escaped;
            } else {
                value += c;
            }
        }
        return {Token::String, value, 0, m_line};
    }

    const QString& m_text;
    const QString& m_source;
    qsizetype m_pos = 0;
    int m_line = 1;
};

QString describe(const Token& t)
{
    switch (t.kind) {
    case Token::NewLine: return QStringLiteral("end of line");
    case Token::End: return QStringLiteral("end of text");
    case Token::String: return QStringLiteral("string \"%1\"").arg(t.text);
    default: return QStringLiteral("'%1'").arg(t.text);
    }
}

class Parser
{
public:
    Parser(std::vector<Token> tokens, const QString& source) : m_tokens(std::move(tokens)), m_source(source) {}

    LayoutObject file()
    {
        skipNewLines();
        if (!isWord(peek(), "object"))
            fail(peek(), QStringLiteral("expected 'object', found %1").arg(describe(peek())));
        LayoutObject root = object();
        skipNewLines();
        if (isWord(peek(), "end"))
            fail(peek(), QStringLiteral("'end' without a matching 'object'"));
        if (peek().kind != Token::End)
            fail(peek(), QStringLiteral("%1 after the end of the root object").arg(describe(peek())));
        return root;
    }

private:
    static bool isWord(const Token& t, const char* word) { return t.kind == Token::Word && t.text == QLatin1String(word); }
    static bool isSymbol(const Token& t, char16_t c) { return t.kind == Token::Symbol && t.text == QChar(c); }

    const Token& peek() const { return m_tokens[m_pos]; }
    const Token& next() { return m_tokens[m_pos < m_tokens.size() - 1 ? m_pos++ : m_pos]; }
    void skipNewLines()
    {
        while (peek().kind == Token::NewLine)
            ++m_pos;
    }

    [[noreturn]] void fail(const Token& at, const QString& fault) const { failLayout(m_source, at.line, fault); }

    const Token& expect(Token::Kind kind, const QString& what)
    {
        if (peek().kind != kind)
            fail(peek(), QStringLiteral("expected %1, found %2").arg(what, describe(peek())));
        return next();
    }

    void expectSymbol(char16_t c)
    {
        if (!isSymbol(peek(), c))
            fail(peek(), QStringLiteral("expected '%1', found %2").arg(QChar(c)).arg(describe(peek())));
        next();
    }

    void expectLineEnd()
    {
        if (peek().kind != Token::NewLine && peek().kind != Token::End)
            fail(peek(), QStringLiteral("unexpected %1 at the end of the line").arg(describe(peek())));
    }

    LayoutObject object()
    {
        LayoutObject obj;
        obj.line = next().line; // 'object'
        obj.name = expect(Token::Word, QStringLiteral("a component name")).text;
        expectSymbol(u':');
        obj.className = expect(Token::Word, QStringLiteral("a class name")).text;
        expectLineEnd();
        while (true) {
            skipNewLines();
            const Token& t = peek();
            if (t.kind == Token::End)
                failLayout(m_source, obj.line, QStringLiteral("object '%1' has no matching 'end'").arg(obj.name));
            if (isWord(t, "end")) {
                next();
                expectLineEnd();
                return obj;
            }
            if (isWord(t, "object")) {
                obj.children.push_back(object());
            } else if (t.kind == Token::Word) {
                // Properties apply before the children exist, so they come first.
                if (!obj.children.empty())
                    fail(t, QStringLiteral("property '%1' of '%2' after its child objects").arg(t.text, obj.name));
                obj.properties.push_back(property());
            } else {
                fail(t, QStringLiteral("expected a property, 'object' or 'end', found %1").arg(describe(t)));
            }
        }
    }

    LayoutProperty property()
    {
        LayoutProperty p;
        p.line = peek().line;
        p.name = next().text;
        while (isSymbol(peek(), u'.')) {
            next();
            p.name += u'.' + expect(Token::Word, QStringLiteral("a property name")).text;
        }
        expectSymbol(u'=');
        p.value = value();
        expectLineEnd();
        return p;
    }

    LayoutValue value()
    {
        const Token& t = next();
        LayoutValue v;
        switch (t.kind) {
        case Token::Number: v.kind = LayoutValue::Integer; v.integer = t.number; return v;
        case Token::String: v.kind = LayoutValue::String; v.text = t.text; return v;
        case Token::Word: v.kind = LayoutValue::Name; v.text = t.text; return v;
        default: break;
        }
        if (isSymbol(t, u'['))
            return set();
        if (isSymbol(t, u'('))
            return list();
        fail(t, QStringLiteral("expected a value, found %1").arg(describe(t)));
    }

    // [name, name, ...], possibly empty.
    LayoutValue set()
    {
        LayoutValue v;
        v.kind = LayoutValue::Set;
        skipNewLines();
        while (!isSymbol(peek(), u']')) {
            if (!v.items.isEmpty()) {
                expectSymbol(u',');
                skipNewLines();
            }
            v.items << expect(Token::Word, QStringLiteral("a name in the set")).text;
            skipNewLines();
        }
        next();
        return v;
    }

    // ("string" "string" ...), possibly empty, one or more strings a line.
    LayoutValue list()
    {
        LayoutValue v;
        v.kind = LayoutValue::List;
        skipNewLines();
        while (!isSymbol(peek(), u')')) {
            v.items << expect(Token::String, QStringLiteral("a string in the list")).text;
            skipNewLines();
        }
        next();
        return v;
    }

    std::vector<Token> m_tokens;
    const QString& m_source;
    std::size_t m_pos = 0;
};

} // namespace

void failLayout(const QString& source, int line, const QString& fault)
{
    throw LayoutError(QStringLiteral("%1 line %2: %3").arg(source).arg(line).arg(fault).toStdString());
}

LayoutObject parseLayout(const QString& text, const QString& source)
{
    return Parser(Lexer(text, source).tokens(), source).file();
}

QString describeKind(LayoutValue::Kind kind)
{
    switch (kind) {
    case LayoutValue::Integer: return QStringLiteral("an integer");
    case LayoutValue::String: return QStringLiteral("a string");
    case LayoutValue::Name: return QStringLiteral("a name");
    case LayoutValue::Set: return QStringLiteral("a set");
    case LayoutValue::List: return QStringLiteral("a list");
    }
    return {};
}
