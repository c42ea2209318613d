#pragma once
// A small RTF reader for the read-only rich-text views: fonts, colours, sizes, bold,
// paragraphs and the common special characters. Any byte string is accepted; what the
// reader does not understand is skipped, so damaged or hostile input never stops it.

#include <QByteArray>

class QTextDocument;

// Replaces the document's content with the text and character formats the RTF describes.
void loadRtf(QTextDocument& document, const QByteArray& rtf);
