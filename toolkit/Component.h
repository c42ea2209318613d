#pragma once
// Small helpers every component uses: exact class tests and the numeric Tag.

#include <QObject>
#include <QVariant>
#include <cstring>

// True when the object's class is exactly the named one; a derived class does not count.
inline bool isExactly(const QObject* object, const char* className)
{
    return object && std::strcmp(object->metaObject()->className(), className) == 0;
}

// The Tag every component carries; 0 until set.
inline int tagOf(const QObject* object) { return object ? object->property("Tag").toInt() : 0; }
inline void setTag(QObject* object, int tag) { object->setProperty("Tag", tag); }
