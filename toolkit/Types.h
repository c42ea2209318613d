#pragma once
// Enumerations shared by the setup controls and the layout file. Registered with the
// meta-object system so the layout loader can read them by name.

#include <QFlags>
#include <QObject>

namespace Setup {
Q_NAMESPACE

enum TJumperState { jsOpen, jsLeft, jsRight };
Q_ENUM_NS(TJumperState)

enum TOrientationType { otUp, otDown, otLeft, otRight };
Q_ENUM_NS(TOrientationType)

enum THighlightType { htOptions, htSettings, htCalibration };
Q_ENUM_NS(THighlightType)

enum TBorderStyle { bsNone, bsSingle };
Q_ENUM_NS(TBorderStyle)

enum TAnchorKind { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)

} // namespace Setup

Q_DECLARE_OPERATORS_FOR_FLAGS(Setup::TAnchors)
