#pragma once
// The layout text as a tree: objects with their class, their properties in order and their
// child objects in order. Reading the text checks only its shape; the builder gives the
// values their meaning.
//
//     object MainForm: TMainForm        # comments run from '#' to the end of the line
//       Caption = "Setup"               # string: "...", with \" and \\ inside
//       Left = 216                      # integer: decimal or 0x hexadecimal
//       Color = clWhite                 # name: True/False, enum values, components, handlers
//       Anchors = [akLeft, akTop]       # set of names
//       Lines = ("one" "" "three")      # list of strings, may span lines
//       Font.Height = -11               # dotted names for grouped properties
//       object Child: TLabel
//       end
//     end

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <stdexcept>
#include <vector>

// A broken layout. The message names the source, the line and the fault.
class LayoutError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Throws LayoutError as "<source> line <n>: <fault>".
[[noreturn]] void failLayout(const QString& source, int line, const QString& fault);

struct LayoutValue
{
    enum Kind { Integer, String, Name, Set, List };
    Kind kind = Integer;
    qint64 integer = 0;
    QString text;      // String and Name
    QStringList items; // Set: names; List: strings
};

struct LayoutProperty
{
    QString name;
    LayoutValue value;
    int line = 0;
};

struct LayoutObject
{
    QString name;
    QString className;
    int line = 0;
    std::vector<LayoutProperty> properties;
    std::vector<LayoutObject> children;
};

// Reads the whole text: exactly one root object. Throws LayoutError on any fault of shape.
LayoutObject parseLayout(const QString& text, const QString& source);

// "an integer", "a string", ...: for messages about a value of the wrong kind.
QString describeKind(LayoutValue::Kind kind);
