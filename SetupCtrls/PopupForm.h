#pragma once
// The always-on-top tool window a board highlight shows: the highlight's radio panel, a
// memo with the panel's description, Previous / Next / Done and a status bar. Built once
// by its highlight, hidden on close and shown again later.

#include "toolkit/Event.h"

#include <QMargins>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class TBoardHighlight;
class TRadioPanel;
Q_MOC_INCLUDE(<QStatusBar>)

class TPopupForm : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QStatusBar* PopupStatus READ PopupStatus)
    Q_PROPERTY(TNotifyEvent OnActivate READ OnActivate WRITE setOnActivate)
    Q_PROPERTY(TNotifyEvent OnDeactivate READ OnDeactivate WRITE setOnDeactivate)

public:
    // Owned by the highlight; a top-level tool window that stays on top.
    explicit TPopupForm(TBoardHighlight* owner);

    TBoardHighlight* highlight() const { return FHighlight; }
    // Cuts the tie to the highlight, which is going away: notices then reach nobody.
    void detach() { FHighlight = nullptr; }
    QStatusBar* PopupStatus() const { return FPopupStatus; }
    QPlainTextEdit* statusMemo() const { return FStatusMemo; }
    QPushButton* doneButton() const { return FDoneButton; }

    bool closeOnLeave() const { return FCloseOnLeave; }
    void setCloseOnLeave(bool value);

    const TNotifyEvent& OnActivate() const { return FOnActivate; }
    void setOnActivate(const TNotifyEvent& handler) { FOnActivate = handler; }
    const TNotifyEvent& OnDeactivate() const { return FOnDeactivate; }
    void setOnDeactivate(const TNotifyEvent& handler) { FOnDeactivate = handler; }

    // Sizing and placing. The outer size and the position include the window frame.
    // A window system may tell the frame only once the window is shown; the window then
    // settles its size and place again once, with the frame it has really got.
    QSize outerSize() const;
    void setClientSize(QSize client);
    void setOuterSize(QSize outer);
    // Grows the window to at least `minimum` (outer) and makes the result its minimum size.
    void applyMinimumOuterSize(QSize minimum);
    // Puts the frame's top-left at `place`, moved per axis to keep the window on the screen.
    void placeOnScreen(QPoint place);

    // Moves the panel in at the top-left corner and sizes the client area to hold it, its
    // memo and the controls below; the panel's activation handlers become the window's.
    void takePanel(TRadioPanel* panel);

    // Adds the status bar, the three buttons and a memo memoHeight high along the bottom of
    // the client area as it now stands, with their anchors, and returns the memo.
    QPlainTextEdit* addControls(int memoHeight);

    // The frame a tool window gets from the window system, as last measured.
    static QMargins frameMargins();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchLeaves(QObject* object);
    void pointerLeft();
    void pointerEntered(bool ownControl);
    void listenElsewhere(bool on);
    void measureFrame();
    QMargins frame() const;
    void settleAgain();

    TBoardHighlight* FHighlight;
    QStatusBar* FPopupStatus = nullptr;
    QPushButton* FDoneButton = nullptr;
    QPlainTextEdit* FStatusMemo = nullptr;
    bool FCloseOnLeave = false;
    bool m_listeningElsewhere = false;
    // What was asked of the size and place, to settle them again with the real frame.
    QSize m_wantedSize;
    bool m_wantedIsOuter = false;
    QSize m_minimumOuter;
    QPoint m_place;
    QMargins m_frameUsed;
    bool m_settled = false;
    TNotifyEvent FOnActivate;
    TNotifyEvent FOnDeactivate;
};
