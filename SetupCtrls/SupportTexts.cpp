#include "SupportTexts.h"

#include "toolkit/Rounding.h"

#include <algorithm>

namespace {

// A page value placed into the document: braces and backslashes would end groups or start
// control words, and characters beyond ASCII are written as Unicode escapes with '?' for
// readers that skip them.
QString rtfEscaped(const QString& value)
{
    QString out;
    for (const QChar c : value) {
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += u'\\';
            out += c;
        } else if (c.unicode() < 0x80) {
            out += c;
        } else {
            const int unit = c.unicode();
            out += QStringLiteral("\\u%1?").arg(unit > 0x7FFF ? unit - 0x10000 : unit);
        }
    }
    return out;
}

} // namespace

QByteArray helpText(const THelpContent& content)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString company = rtfEscaped(content.companyName);
    const QString card = rtfEscaped(content.cardName);

    QString text = QStringLiteral(
        R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
        R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;\red255\green64\blue64;})"
        R"(\viewkind4\uc1\pard\f0\fs32\cf0)");
    text += crlf + QStringLiteral(R"({\b )");
    text += company + u' ' + card;
    if (content.series)
        text += QStringLiteral(" Series");
    text += QStringLiteral(R"( Settings Program}\par\par\fs24)") + crlf;
    text += QStringLiteral(
        R"(This program will help you configure the option jumpers and settings associated with )"
        R"(this product. You should have the product in-hand when first using this program.\par\par)") + crlf;
    text += QStringLiteral(
        R"({\cf1\fs24\b Yellow circles} provide information on configuring jumpers and switches.\par\par)") + crlf;
    text += QStringLiteral(
        R"({\cf2\fs24\b Blue circles} are informational only. They provide information on standard )"
        R"(and optional features of the product family.\par\par)") + crlf;
    text += QStringLiteral(
        R"({\cf3\fs24\b Red circles} handle calibration and types of configuration that require )"
        R"(actually controlling the hardware device. Run this settings program again once the card )"
        R"(is installed. )");
    text += QStringLiteral(
        R"(Repeat the {\cf1 setup circles} (using the same settings) to configure this program, )"
        R"(then perform the {\cf3 calibration circles}.\par\par)") + crlf;
    text += QStringLiteral(
        R"(Mouse over the highlight circles to see configuration or information popups for )"
        R"({\cf1 setup}, {\cf2 features}, and {\cf3 calibration}. Click a highlight circle to make )"
        R"(its popup remain on-screen. )");
    text += QStringLiteral(
        R"(You can have all or as many of these popups onscreen at the same time as you desire.\par\par)") + crlf;
    if (content.multiPort) {
        text += QStringLiteral(
            R"({\fs32\b Note:} Make sure to set the jumpers for each option group \emdash  the )"
            R"(configuration options for each port are handled identically; )");
        text += QStringLiteral(
            R"(this program only shows the setup once, but you need to perform this setup for each )"
            R"(group of options on your device.\par\par)") + crlf;
    }
    if (content.cardList) {
        text += QStringLiteral("To see a list of ") + card + QStringLiteral(" cards installed, click \"Display ")
              + card + QStringLiteral(" Cards Installed\" under the File menu.\\par\\par") + crlf;
    }
    text += u'}';
    return text.toLatin1(); // pure ASCII: every other character was escaped
}

QString techText(const QString& companyName, const QString& callHow)
{
    return QStringLiteral("There are several ways to get technical support. First and fastest is to skim the "
                          "relevant sections of the manual. However, some questions require personal "
                          "assistance, and ")
         + companyName + QStringLiteral(" stands ready to provide that help. You can call us ") + callHow
         + QStringLiteral(" for any of your product questions.\r\n\r\nIn order to provide the best and fastest "
                          "support possible, we ask that you be at your computer when you call, and have the ")
         + companyName + QStringLiteral(" product manual and Software Master CD at hand.");
}

QSize scaledHelpClientSize(QSize client, QSize screen)
{
    const double f = std::max(1.0, std::min(screen.height() / 450.0, screen.width() / 800.0));
    return QSize(roundHalfEven(client.width() * f), roundHalfEven(client.height() * f));
}
