#pragma once
// What assistive technologies learn about the drawn setup controls. A jumper is named after
// the field it sets and the caption beside it ("Base Address A5"), tells its state (a two-pin
// one as a check box, closed or open; a three-pin one by the value "left", "right" or "open")
// and makes one click step when pressed. A ring is a button named by its title, described by
// its kind ("settings", "information", "calibration"), whose press opens and holds its popup.

class QWidget;

// Makes the interfaces above known to Qt's accessibility; later calls do nothing.
void installSetupAccessibility();

// Tells assistive technologies that a jumper's state has changed.
void jumperStateChanged(QWidget* jumper);
