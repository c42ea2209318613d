#pragma once
// Anchors for child widgets: the sides whose distance to the parent's sides a child keeps
// when the parent is resized. A side pair with neither anchor keeps the child's centre at
// the same fraction of the parent's size.

#include "Types.h"

class QWidget;

// Records the child's place against its parent's current size as the base of later resizes.
// Left with top (the default) leaves the child where it is.
void setAnchors(QWidget* child, Setup::TAnchors anchors);
Setup::TAnchors anchorsOf(const QWidget* child);
