#pragma once
// The coloured ring that marks one jumper field or feature area on the board picture.
// Hovering lights it (with its linked rings) and opens its popup; clicking holds the popup.

#include "toolkit/Colour.h"
#include "toolkit/Event.h"
#include "toolkit/Types.h"

#include <QImage>
#include <QString>
#include <QWidget>

class TBoardHighlight : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool CreatePopup READ CreatePopup WRITE setCreatePopup)
    Q_PROPERTY(Setup::THighlightType HighlightType READ HighlightType WRITE setHighlightType)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(TNotifyEvent OnClick READ OnClick WRITE setOnClick)

public:
    Q_INVOKABLE explicit TBoardHighlight(QWidget* parent = nullptr);

    bool CreatePopup() const { return FCreatePopup; }
    void setCreatePopup(bool value) { FCreatePopup = value; }
    Setup::THighlightType HighlightType() const { return FHighlightType; }
    void setHighlightType(Setup::THighlightType value);
    QString Title() const { return FTitle; }
    void setTitle(const QString& value);
    const TNotifyEvent& OnClick() const { return FOnClick; }
    void setOnClick(const TNotifyEvent& handler) { FOnClick = handler; }

    // Mouse notices; wParam is 0 from the toolkit and the program, 1 when relayed by a
    // linked highlight (a relayed notice is not relayed again).
    void CMMouseEnter(int wParam);
    void CMMouseLeave(int wParam);
    // A press and release of the left button over the ring: OnClick, then hold the popup.
    void Click();

    void HoldPopup();
    void HoldAndFocusPopup();
    void SetPopupActive(bool Value, bool Propagate);
    void Unlight();

    bool lit() const { return FLit; }
    bool popupHeld() const { return FPopupHeld; }
    bool popupActive() const { return FPopupActive; }
    QString popupCaption() const { return FPopupCaption; }
    QString menuName() const { return FMenuName; }

    // The highlights linked with this one (itself included), in the parent's child order;
    // empty unless the parent is exactly a board picture.
    QList<TBoardHighlight*> linkedHighlights() const;
    bool isLinkedWith(const TBoardHighlight* other) const;

private:
    bool parentIsBoard() const;

    TColor FRingColor = 0;
    float FIdleStrength = 0, FActiveStrength = 0, FLitStrength = 0;
    Setup::THighlightType FHighlightType = Setup::htOptions;
    bool FLit = false;
    QString FTitle;
    QString FPopupCaption;
    QString FMenuName;
    bool FCreatePopup = true;
    bool FPopupHeld = false;
    bool FPopupActive = false;
    TNotifyEvent FOnClick;
};
