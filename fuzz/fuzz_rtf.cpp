// Arbitrary bytes read as RTF into a text document. Besides not crashing, the reader
// promises text a view can show: no control characters but tabs and line breaks, no
// object placeholders, and every surrogate paired.

#include "FuzzApplication.h"
#include "toolkit/Rtf.h"

#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

bool showable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate() || c == QChar::ObjectReplacementCharacter || c == u'\x7f')
            return false;
        if (c < u'\x20' && c != u'\t')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTextDocument document;
    loadRtf(document, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    // Raw text separates paragraphs with U+2029 and keeps line breaks as U+2028.
    const QString text = document.toRawText();
    if (!showable(text)) {
        std::fprintf(stderr, "the reader let through an unshowable character\n");
        std::abort();
    }
    return 0;
}
