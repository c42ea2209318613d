#pragma once
// Turns layout values into the values that properties take. A value of the wrong kind throws
// LayoutFault; the builder adds the source and the line.

#include "Colour.h"
#include "LayoutParser.h"

#include <QMetaProperty>
#include <QVariant>

// A fault found while applying one property; the message says what is wrong with the value.
struct LayoutFault
{
    QString message;
};

// "'Count' of TGadget": names a property in messages.
QString describeProperty(const QObject* object, const QString& property);

int intValue(const LayoutValue& value, const QString& what);
bool boolValue(const LayoutValue& value, const QString& what);
QString stringValue(const LayoutValue& value, const QString& what);
// A colour as a number (0x00BBGGRR or a system colour) or as clBlack, clWhite, clBtnFace,
// clWindow or clWindowText.
TColor colorValue(const LayoutValue& value, const QString& what);
// The value of a set of names, each of which must be one of the given names; bit i stands
// for names[i].
int setValue(const LayoutValue& value, const QStringList& names, const QString& what);

// A value for a declared property: bool, integers, strings, string lists, enums, flag sets,
// colours. References and events are not values; the builder resolves them later.
QVariant propertyValue(const QObject* object, const QMetaProperty& property, const LayoutValue& value);
