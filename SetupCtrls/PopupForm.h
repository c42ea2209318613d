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
    void setCloseOnLeave(bool value) { FCloseOnLeave = value; }

    const TNotifyEvent& OnActivate() const { return FOnActivate; }
    void setOnActivate(const TNotifyEvent& handler) { FOnActivate = handler; }
    const TNotifyEvent& OnDeactivate() const { return FOnDeactivate; }
    void setOnDeactivate(const TNotifyEvent& handler) { FOnDeactivate = handler; }

    // Outer size (frame included) and its setter; the frame is what the window system adds.
    QSize outerSize() const;
    void setOuterSize(QSize outer);
    void setMinimumOuterSize(QSize outer);

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
    void measureFrame();

    TBoardHighlight* FHighlight;
    QStatusBar* FPopupStatus = nullptr;
    QPushButton* FDoneButton = nullptr;
    QPlainTextEdit* FStatusMemo = nullptr;
    bool FCloseOnLeave = false;
    TNotifyEvent FOnActivate;
    TNotifyEvent FOnDeactivate;
};
