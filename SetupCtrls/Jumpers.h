#pragma once
// The drawn jumpers of a board page: TTwoJumper, two pins that a cap joins or leaves open,
// and TThreeJumper, three pins whose cap joins the left pair, the right pair or nothing.
// Each draws a horizontal picture into an off-screen image, turns it to its orientation
// and copies it to the screen. A click steps the state, then runs OnClick.

#include "toolkit/Event.h"
#include "toolkit/OffscreenImage.h"
#include "toolkit/Types.h"

#include <QSize>
#include <QWidget>

// Colours and outline of one jumper drawing. Background fills what the jumper leaves.
struct TJumperLook
{
    TColor Background = clBtnFace;
    TColor BaseColor = 0x808080;
    TColor PinColor = 0x00FFFF;
    TColor JumperColor = 0x000080;
    Setup::TBorderStyle BorderStyle = Setup::bsSingle;
};

// The size of the horizontal drawing for a widget of the given size: turned sideways for
// otLeft and otRight.
QSize jumperDrawingSize(QSize widgetSize, Setup::TOrientationType orientation);

// Size the image to the drawing size and draw a jumper in its horizontal layout.
void drawTwoJumper(TOffscreenImage& image, QSize size, bool closed, const TJumperLook& look);
void drawThreeJumper(TOffscreenImage& image, QSize size, Setup::TJumperState state, const TJumperLook& look);

// Makes view the horizontal drawing turned to the orientation (a quarter turn counter-
// clockwise for otLeft, clockwise for otRight, half a turn for otDown).
void turnJumperImage(const TOffscreenImage& work, Setup::TOrientationType orientation, TOffscreenImage& view);

class TTwoJumper : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Closed READ closed WRITE setClosed)
    Q_PROPERTY(TColor BaseColor READ baseColor WRITE setBaseColor)
    Q_PROPERTY(TColor PinColor READ pinColor WRITE setPinColor)
    Q_PROPERTY(TColor JumperColor READ jumperColor WRITE setJumperColor)
    Q_PROPERTY(Setup::TOrientationType Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(Setup::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(TNotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    explicit TTwoJumper(QWidget* parent = nullptr);

    bool closed() const { return FClosed; }
    void setClosed(bool value);
    TColor baseColor() const { return FLook.BaseColor; }
    void setBaseColor(TColor value);
    TColor pinColor() const { return FLook.PinColor; }
    void setPinColor(TColor value);
    TColor jumperColor() const { return FLook.JumperColor; }
    void setJumperColor(TColor value);
    Setup::TOrientationType orientation() const { return FOrientation; }
    void setOrientation(Setup::TOrientationType value);
    Setup::TBorderStyle borderStyle() const { return FLook.BorderStyle; }
    void setBorderStyle(Setup::TBorderStyle value);
    TNotifyEvent onClick() const { return FOnClick; }
    void setOnClick(const TNotifyEvent& handler) { FOnClick = handler; }

    // One click step: flip Closed, apply the radio rule of an enabled TRadioPanel parent,
    // then run OnClick.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool FClosed = false;
    TJumperLook FLook;
    Setup::TOrientationType FOrientation = Setup::otUp;
    TNotifyEvent FOnClick;
    TOffscreenImage FWorkImage;
    TOffscreenImage FViewImage;
    bool FSwapPending = false;
    bool FPainted = false;
    bool m_leftPressed = false;
};

class TThreeJumper : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(Setup::TJumperState JumperState READ jumperState WRITE setJumperState)
    Q_PROPERTY(bool AllowOpen READ allowOpen WRITE setAllowOpen)
    Q_PROPERTY(TColor BaseColor READ baseColor WRITE setBaseColor)
    Q_PROPERTY(TColor PinColor READ pinColor WRITE setPinColor)
    Q_PROPERTY(TColor JumperColor READ jumperColor WRITE setJumperColor)
    Q_PROPERTY(Setup::TOrientationType Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(Setup::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(TNotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    explicit TThreeJumper(QWidget* parent = nullptr);

    Setup::TJumperState jumperState() const { return FJumperState; }
    // jsOpen is dropped while AllowOpen is false.
    void setJumperState(Setup::TJumperState value);
    bool allowOpen() const { return FAllowOpen; }
    // Forbidding the open state moves an open jumper to jsLeft.
    void setAllowOpen(bool value);
    TColor baseColor() const { return FLook.BaseColor; }
    void setBaseColor(TColor value);
    TColor pinColor() const { return FLook.PinColor; }
    void setPinColor(TColor value);
    TColor jumperColor() const { return FLook.JumperColor; }
    void setJumperColor(TColor value);
    Setup::TOrientationType orientation() const { return FOrientation; }
    void setOrientation(Setup::TOrientationType value);
    Setup::TBorderStyle borderStyle() const { return FLook.BorderStyle; }
    void setBorderStyle(Setup::TBorderStyle value);
    TNotifyEvent onClick() const { return FOnClick; }
    void setOnClick(const TNotifyEvent& handler) { FOnClick = handler; }

    // One click step: jsOpen, jsLeft, jsRight, then jsOpen again (jsLeft when the open
    // state is not allowed); then OnClick.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Setup::TJumperState FJumperState = Setup::jsOpen;
    bool FAllowOpen = true;
    TJumperLook FLook;
    Setup::TOrientationType FOrientation = Setup::otUp;
    TNotifyEvent FOnClick;
    TOffscreenImage FWorkImage;
    TOffscreenImage FViewImage;
    bool FSwapPending = false;
    bool FPainted = false;
    bool m_leftPressed = false;
};
