#pragma once
// The coloured ring that marks one jumper field or feature area on the board picture.
// Hovering lights it (with its linked rings) and opens its popup; clicking holds the popup.

#include "toolkit/Colour.h"
#include "toolkit/Event.h"
#include "toolkit/Menu.h"
#include "toolkit/Types.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class TPopupForm;
class TRadioPanel;
Q_MOC_INCLUDE("SetupCtrls/RadioPanel.h")

class TBoardHighlight : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool CreatePopup READ CreatePopup WRITE setCreatePopup)
    Q_PROPERTY(Setup::THighlightType HighlightType READ HighlightType WRITE setHighlightType)
    Q_PROPERTY(TRadioPanel* RadioPanel READ RadioPanel WRITE setRadioPanel)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(TNotifyEvent OnClick READ OnClick WRITE setOnClick)

public:
    Q_INVOKABLE explicit TBoardHighlight(QWidget* parent = nullptr);
    ~TBoardHighlight() override;

    bool CreatePopup() const { return FCreatePopup; }
    void setCreatePopup(bool value) { FCreatePopup = value; }
    Setup::THighlightType HighlightType() const { return FHighlightType; }
    void setHighlightType(Setup::THighlightType value);
    TRadioPanel* RadioPanel() const;
    // Refused silently when another, unlinked highlight of the same parent has the panel.
    void setRadioPanel(TRadioPanel* value);
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
    // Called by the popup whenever it becomes or stops being the active window.
    void SetPopupActive(bool Value, bool Propagate);
    void Unlight();

    // The popup window (PopupForm.cpp).
    void OpenPopup();
    void PopupClose();
    void DoneButtonClick(QObject* Sender);

    // Menu entry and navigation (HighlightMenu.cpp).
    void RegisterMenuItem();
    void MenuItemClick(QObject* Sender);
    void SetMenuCheck(bool Value);
    void PreviousButtonClick(QObject* Sender);
    void NextButtonClick(QObject* Sender);

    bool lit() const { return FLit; }
    bool popupHeld() const { return FPopupHeld; }
    bool popupActive() const { return FPopupActive; }
    bool prepared() const { return FPrepared; }
    TPopupForm* popup() const { return FPopup; }
    TMainMenu* menu() const { return FMenu; }
    QString popupCaption() const { return FPopupCaption; }
    QString menuName() const { return FMenuName; }
    // The prepared image that a paint copies for the current state (null before the first
    // paint), in the pixels of the ring's screen: twice the ring's size at a pixel ratio of 2.
    const QImage& currentImage() const;

    // The highlights linked with this one (itself included), in the parent's child order;
    // empty unless the parent is exactly a board picture.
    QList<TBoardHighlight*> linkedHighlights() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool parentIsBoard() const;
    bool isLinkedWith(const TBoardHighlight* other) const;
    void forEachLinked(const std::function<void(TBoardHighlight*)>& step) const;
    void RenderImages();
    QImage pixelsBeneath() const;
    void addMenuItem(TMenuItem* parentItem);
    void navigate(int step);

    QImage FIdleImage;
    QImage FActiveImage;
    QImage FLitImage;
    float FIdleStrength = 0;
    float FActiveStrength = 0;
    float FLitStrength = 0;
    TColor FRingColor = 0;
    Setup::THighlightType FHighlightType = Setup::htOptions;
    bool FLit = false;
    TPopupForm* FPopup = nullptr;
    QString FTitle;
    QString FPopupCaption;
    QString FMenuName;
    QPointer<TMainMenu> FMenu;
    bool FPrepared = false;
    bool FCreatePopup = true;
    bool FPopupHeld = false;
    QPointer<TRadioPanel> FRadioPanel;
    bool FPopupActive = false;
    TNotifyEvent FOnClick;
    bool FPressed = false;
};
