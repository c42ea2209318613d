#pragma once
// Which caption on a panel names each of its jumpers, as a reader of the panel pairs them,
// and the name a jumper is announced by. Plain rectangles and strings: no widgets.

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

// A jumper, or a caption (a label's or a check box's), of one panel, in the panel's coordinates.
struct TPanelItem
{
    QString name; // component name
    QString text; // the caption; empty for a jumper
    QRect bounds;
};

// The caption of each jumper, in the order of `jumpers`; empty where no caption names one.
// - A jumper named <stem>Jumper<key> takes the caption named <stem>Label<key> or
//   <stem>Check<key>: the page names a jumper and its caption alike.
// - Otherwise it takes the nearest caption beside it: one that overlaps it across one axis,
//   nearest along the other. Captions without a letter or digit (pointer marks) name nothing.
// - A one-word caption in a column of stacked captions, exactly one of which has several
//   words, is read with that one's leading words: "UNIPOLAR" under "DAC A/C 5V" reads
//   "DAC A/C UNIPOLAR".
// - Jumpers that one caption names alike are told apart by their place: "top" and "bottom"
//   (or "left" and "right") for two, 1, 2, 3 ... in reading order for more.
QStringList jumperCaptions(const QList<TPanelItem>& jumpers, const QList<TPanelItem>& captions);

// The name a jumper is announced by: the field it sets (its ring's title) and its caption,
// without repeating a field that the caption already starts with ("IRQ" and "IRQ10" give
// "IRQ10"; "Base Address" and "A5" give "Base Address A5").
QString jumperName(const QString& field, const QString& caption);
