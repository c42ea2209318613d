// The RTF reader: the formats of the help document, and input that is broken or hostile.

#include "SetupCtrls/SupportTexts.h"
#include "toolkit/Rtf.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

QStringList blockTexts(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

// The format of the run whose text is exactly `text`; fails the test when there is none.
bool findRun(const QTextDocument& document, const QString& text, QTextCharFormat& format)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().text() == text) {
                format = it.fragment().charFormat();
                return true;
            }
    return false;
}

const QColor darkGrey(64, 64, 64), yellow(255, 255, 64), blue(64, 64, 255), red(255, 64, 64);

THelpContent fullHelp()
{
    return {QStringLiteral("NORVIK"), QStringLiteral("VT-4400"), true, true, true};
}

} // namespace

class RtfTest : public QObject
{
    Q_OBJECT

private slots:
    void helpDocumentHasItsParagraphsAndSpecialCharacters()
    {
        QTextDocument document;
        loadRtf(document, helpText(fullHelp()));
        const QStringList expected = {
            QStringLiteral("NORVIK VT-4400 Series Settings Program"),
            QString(),
            QStringLiteral("This program will help you configure the option jumpers and settings associated with "
                           "this product. You should have the product in-hand when first using this program."),
            QString(),
            QStringLiteral("Yellow circles provide information on configuring jumpers and switches."),
            QString(),
            QStringLiteral("Blue circles are informational only. They provide information on standard and "
                           "optional features of the product family."),
            QString(),
            QStringLiteral("Red circles handle calibration and types of configuration that require actually "
                           "controlling the hardware device. Run this settings program again once the card is "
                           "installed. Repeat the setup circles (using the same settings) to configure this "
                           "program, then perform the calibration circles."),
            QString(),
            QStringLiteral("Mouse over the highlight circles to see configuration or information popups for "
                           "setup, features, and calibration. Click a highlight circle to make its popup remain "
                           "on-screen. You can have all or as many of these popups onscreen at the same time as "
                           "you desire."),
            QString(),
            QStringLiteral("Note: Make sure to set the jumpers for each option group \u2014 the configuration "
                           "options for each port are handled identically; this program only shows the setup "
                           "once, but you need to perform this setup for each group of options on your device."),
            QString(),
            QStringLiteral("To see a list of VT-4400 cards installed, click \"Display VT-4400 Cards Installed\" "
                           "under the File menu."),
            QString(),
            QString(),
        };
        QCOMPARE(blockTexts(document), expected);
    }

    void helpDocumentRunsHaveTheirFontsSizesAndColours_data()
    {
        QTest::addColumn<QString>("run");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("colour");

        QTest::newRow("title") << "NORVIK VT-4400 Series Settings Program" << 16.0 << true << darkGrey;
        QTest::newRow("paragraph")
            << "This program will help you configure the option jumpers and settings associated with this "
               "product. You should have the product in-hand when first using this program."
            << 12.0 << false << darkGrey;
        QTest::newRow("yellow") << "Yellow circles" << 12.0 << true << yellow;
        QTest::newRow("blue") << "Blue circles" << 12.0 << true << blue;
        QTest::newRow("red") << "Red circles" << 12.0 << true << red;
        QTest::newRow("setup circles") << "setup circles" << 12.0 << false << yellow;
        QTest::newRow("calibration circles") << "calibration circles" << 12.0 << false << red;
        QTest::newRow("setup") << "setup" << 12.0 << false << yellow;
        QTest::newRow("features") << "features" << 12.0 << false << blue;
        QTest::newRow("calibration") << "calibration" << 12.0 << false << red;
        QTest::newRow("note") << "Note:" << 16.0 << true << darkGrey;
    }

    void helpDocumentRunsHaveTheirFontsSizesAndColours()
    {
        QFETCH(QString, run);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QFETCH(QColor, colour);

        QTextDocument document;
        loadRtf(document, helpText(fullHelp()));
        QTextCharFormat format;
        QVERIFY2(findRun(document, run, format), qPrintable(run));
        QCOMPARE(format.fontFamilies().toStringList(), QStringList{QStringLiteral("Verdana")});
        QCOMPARE(format.fontPointSize(), points);
        QCOMPARE(format.fontWeight(), bold ? int(QFont::Bold) : int(QFont::Normal));
        QCOMPARE(format.foreground().color(), colour);
    }

    void helpDocumentCarriesPageValuesThatLookLikeRtf()
    {
        // Braces, backslashes and characters beyond ASCII in a page value are shown as written.
        QTextDocument document;
        loadRtf(document, helpText({QStringLiteral("M\u00fcller {\\b}"), QStringLiteral("K\u2013\u6F22"), false,
                                    false, false}));
        QCOMPARE(blockTexts(document).first(), QStringLiteral("M\u00fcller {\\b} K\u2013\u6F22 Settings Program"));
    }

    void readsGroupsFontsAndColours_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("run");
        QTest::addColumn<QString>("family");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("colour"); // invalid: no colour of its own

        const QByteArray tables = R"({\fonttbl{\f0 Alpha;}{\f1\fnil Beta;}}{\colortbl;\red10\green20\blue30;})";
        QTest::newRow("defaults") << QByteArray("plain") << "plain" << QString() << 12.0 << false << QColor();
        QTest::newRow("default font from deff")
            << QByteArray(R"({\deff1)" + tables + "x}") << "x" << "Beta" << 12.0 << false << QColor();
        QTest::newRow("group restores the state")
            << QByteArray(tables + R"(\f1\fs40\b\cf1 {\f0\fs20\b0\cf0 in}x)") << "x" << "Beta" << 20.0 << true
            << QColor(10, 20, 30);
        QTest::newRow("automatic colour entry") << QByteArray(tables + R"(\cf0 x)") << "x" << "Alpha" << 12.0
                                                << false << QColor();
        QTest::newRow("colour beyond the table") << QByteArray(tables + R"(\cf7 x)") << "x" << "Alpha" << 12.0
                                                 << false << QColor();
        QTest::newRow("font entry without semicolon")
            << QByteArray(R"({\fonttbl{\f3 Gamma}}\f3 x)") << "x" << "Gamma" << 12.0 << false << QColor();
        QTest::newRow("unknown font number") << QByteArray(tables + R"(\f9 x)") << "x" << QString() << 12.0
                                             << false << QColor();
        QTest::newRow("plain resets") << QByteArray(tables + R"(\f1\fs40\b\cf1\plain x)") << "x" << "Alpha"
                                      << 12.0 << false << QColor();
        QTest::newRow("huge size is clamped")
            << QByteArray(R"(\fs99999999999999999999 x)") << "x" << QString() << 500.0 << false << QColor();
        QTest::newRow("negative size is clamped") << QByteArray(R"(\fs-5 x)") << "x" << QString() << 0.5 << false
                                                  << QColor();
        QTest::newRow("colour components are clamped")
            << QByteArray(R"({\colortbl\red999\green-4\blue99999999999;}\cf0 x)") << "x" << QString() << 12.0
            << false << QColor(255, 0, 255);
    }

    void readsGroupsFontsAndColours()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, run);
        QFETCH(QString, family);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QFETCH(QColor, colour);

        QTextDocument document;
        loadRtf(document, rtf);
        QTextCharFormat format;
        QVERIFY2(findRun(document, run, format), qPrintable(document.toPlainText()));
        const QStringList families = format.fontFamilies().toStringList();
        QCOMPARE(families.value(0), family);
        QCOMPARE(format.fontPointSize(), points);
        QCOMPARE(format.fontWeight(), bold ? int(QFont::Bold) : int(QFont::Normal));
        QCOMPARE(format.hasProperty(QTextFormat::ForegroundBrush), colour.isValid());
        if (colour.isValid())
            QCOMPARE(format.foreground().color(), colour);
    }

    void survivesHostileInput_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");

        const QString replacement(QChar(0xFFFD));
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("unbalanced closing braces") << QByteArray("}}}a}b") << "ab";
        QTest::newRow("unclosed groups") << QByteArray("{{{a{\\b b") << "ab";
        QTest::newRow("lone backslash at the end") << QByteArray("a\\") << "a";
        QTest::newRow("unknown control words") << QByteArray("\\foo123 a\\bar-7\\x b") << "ab";
        QTest::newRow("overlong control word")
            << QByteArray("\\" + QByteArray(100000, 'q') + " a") << "a";
        QTest::newRow("huge parameter") << QByteArray("\\b99999999999999999999999999 a") << "a";
        QTest::newRow("minus without digits") << QByteArray("\\fs- a") << "- a";
        QTest::newRow("escaped specials") << QByteArray("\\\\ \\{ \\}") << "\\ { }";
        QTest::newRow("line breaks are not text") << QByteArray("a\r\nb\rc\nd") << "abcd";
        QTest::newRow("backslash before line break is a paragraph") << QByteArray("a\\\nb") << "a\nb";
        QTest::newRow("control bytes dropped") << QByteArray("a\x01" "b\x7f" "c\0d", 7) << "abcd";
        QTest::newRow("code page 1252") << QByteArray("\\'93q\\'94 \\'80\\'e9") << "\u201Cq\u201D \u20AC\u00E9";
        QTest::newRow("unassigned 1252 byte") << QByteArray("\\'81") << replacement;
        QTest::newRow("raw high bytes are 1252") << QByteArray("\x93q\x94") << "\u201Cq\u201D";
        QTest::newRow("bad hex digits") << QByteArray("\\'zz") << "zz";
        QTest::newRow("hex cut short") << QByteArray("a\\'4") << "a";
        QTest::newRow("one hex digit") << QByteArray("\\'4z") << "z";
        QTest::newRow("special words") << QByteArray("a\\emdash b\\endash c\\tab d\\~e") << "a\u2014b\u2013c\td e";
        QTest::newRow("unicode with fallback") << QByteArray("\\u8212?x") << "\u2014x";
        QTest::newRow("unicode negative") << QByteArray("\\u-4064?") << "\uF020";
        QTest::newRow("unicode skip count") << QByteArray("\\uc2\\u8212\\'97?x") << "\u2014x";
        QTest::newRow("unicode skip zero") << QByteArray("\\uc0\\u8212?") << "\u2014?";
        QTest::newRow("huge unicode skip") << QByteArray("\\uc999999999999\\u65 bcdef") << "A";
        QTest::newRow("skip ends at a group edge") << QByteArray("{\\uc5\\u65 b}cd") << "Acd";
        QTest::newRow("unicode out of range") << QByteArray("\\u99999999999 ?") << replacement;
        QTest::newRow("unicode far negative") << QByteArray("\\u-99999 ?") << replacement;
        QTest::newRow("surrogate pair") << QByteArray("\\u-10179?\\u-8704?") << QString::fromUcs4(U"\U0001F600");
        QTest::newRow("lone high surrogate") << QByteArray("\\u-10179?x") << replacement + "x";
        QTest::newRow("lone low surrogate") << QByteArray("\\u-8704?x") << replacement + "x";
        QTest::newRow("high surrogate at the end") << QByteArray("\\u-10179?") << replacement;
        QTest::newRow("ignorable destination") << QByteArray("{\\*\\foo {nested} \\} hidden}shown") << "shown";
        QTest::newRow("skipped destination with binary")
            << QByteArray("{\\info\\bin3 }}}x}shown") << "shown";
        QTest::newRow("ignorable destination never closed") << QByteArray("a{\\*\\foo hidden") << "a";
        QTest::newRow("binary data skipped") << QByteArray("\\bin5{{{{}after") << "after";
        QTest::newRow("binary longer than the input") << QByteArray("a\\bin99999999999 abc") << "a";
        QTest::newRow("negative binary length") << QByteArray("\\bin-3 abc") << "abc";
        QTest::newRow("font table text is not shown")
            << QByteArray("{\\fonttbl{\\f0 Arial;}{\\f1 Times;}}x") << "x";
        QTest::newRow("colour table text is not shown") << QByteArray("{\\colortbl;junk\\red1;}x") << "x";
        QTest::newRow("font table never closed") << QByteArray("{\\fonttbl{\\f0 Arial") << QString();
        QTest::newRow("nesting within the bound")
            << QByteArray(100, '{') + "deep" + QByteArray(100, '}') + "x" << "deepx";
        QTest::newRow("nesting beyond the bound is skipped")
            << QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "x" << "x";
        QTest::newRow("deep nesting never closed") << "a" + QByteArray(100000, '{') + "deep" << "a";
    }

    void survivesHostileInput()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);

        QTextDocument document;
        loadRtf(document, rtf);
        QCOMPARE(document.toPlainText(), text);
    }

    void loadingReplacesTheContentAndKeepsUndoSetting()
    {
        QTextDocument document;
        document.setPlainText(QStringLiteral("old"));
        loadRtf(document, "new");
        QCOMPARE(document.toPlainText(), QStringLiteral("new"));
        QVERIFY(document.isUndoRedoEnabled());
        QVERIFY(!document.isUndoAvailable());
    }

    void survivesRandomBytes()
    {
        // Random bytes, and random mixes of the characters RTF gives meaning to.
        const QByteArray alphabet = "{}\\'*;0123456789-abfuscpdrlqx \r\n\x97\xff";
        for (quint32 seed = 1; seed <= 200; ++seed) {
            QRandomGenerator random(seed);
            QByteArray bytes(int(random.bounded(1, 4000)), Qt::Uninitialized);
            const bool fromAlphabet = seed % 2 == 0;
            for (char& c : bytes)
                c = fromAlphabet ? alphabet[int(random.bounded(alphabet.size()))] : char(random.bounded(256));
            QTextDocument document;
            loadRtf(document, bytes);
            QVERIFY(document.characterCount() <= bytes.size() + 1);
        }
    }
};

QTEST_MAIN(RtfTest)
#include "tst_rtf.moc"
