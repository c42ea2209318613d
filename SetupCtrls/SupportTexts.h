#pragma once
// The texts and the screen scaling of the help and technical-support windows, kept free of
// widgets so they can be checked exactly.

#include <QByteArray>
#include <QSize>
#include <QString>

// What the help text says about the page.
struct THelpContent
{
    QString companyName;
    QString cardName;
    bool series = true;    // the title names a card series
    bool multiPort = false; // adds the note on option groups that repeat per port
    bool cardList = false;  // the page can list installed cards
};

// The help document as RTF.
QByteArray helpText(const THelpContent& content);

// The technical-support memo text; lines end in CR LF.
QString techText(const QString& companyName, const QString& callHow);

// The help window's client size on a screen: grown by the smaller of height / 450 and
// width / 800, never shrunk, rounded with halves to even.
QSize scaledHelpClientSize(QSize client, QSize screen);
