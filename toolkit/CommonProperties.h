#pragma once
// Properties that every component has without declaring them: Tag for all; bounds, visibility,
// enabling, constraints, background colour and font for widgets; the design values of a window.

#include "LayoutParser.h"

class QObject;

// Applies the property when the name is one of the common ones and returns true; returns
// false for any other name. A value of the wrong kind throws LayoutFault.
bool applyCommonProperty(QObject* object, const QString& name, const LayoutValue& value);
