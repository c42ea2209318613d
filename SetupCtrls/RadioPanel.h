#pragma once
// TRadioPanel holds the jumpers, labels and inputs of one jumper field together with its
// description lines. It waits hidden on the main window until a highlight popup moves it
// in; there it takes its final anchors. With RadioEnabled its two-pin jumpers act as
// radio buttons.

#include "toolkit/Colour.h"
#include "toolkit/Event.h"
#include "toolkit/Types.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class TTwoJumper;

// Sender is the clicked jumper.
using TRadioPanelChangeEvent = TNotifyEvent;

class TRadioPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool RadioEnabled READ radioEnabled WRITE setRadioEnabled)
    Q_PROPERTY(QStringList Lines READ lines WRITE setLines)
    Q_PROPERTY(int MemoHeight READ memoHeight WRITE setMemoHeight)
    Q_PROPERTY(Setup::TAnchors FinalAnchors READ finalAnchors WRITE setFinalAnchors)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TBevelCut BevelOuter READ bevelOuter WRITE setBevelOuter)
    Q_PROPERTY(TNotifyEvent OnRadioChange READ onRadioChange WRITE setOnRadioChange)
    Q_PROPERTY(TNotifyEvent OnActivate READ onActivate WRITE setOnActivate)
    Q_PROPERTY(TNotifyEvent OnDeactivate READ onDeactivate WRITE setOnDeactivate)
    Q_PROPERTY(TNotifyEvent OnEnter READ onEnter WRITE setOnEnter)

public:
    enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
    Q_ENUM(TBevelCut)

    explicit TRadioPanel(QWidget* parent = nullptr);
    ~TRadioPanel() override;

    bool radioEnabled() const { return FRadioEnabled; }
    void setRadioEnabled(bool value) { FRadioEnabled = value; }
    QStringList lines() const { return FLines; }
    void setLines(const QStringList& value) { FLines = value; }
    int memoHeight() const { return FMemoHeight; }
    void setMemoHeight(int value) { FMemoHeight = value; }
    Setup::TAnchors finalAnchors() const { return FFinalAnchors; }
    // Becomes the panel's anchors at once when it sits in its popup, else on placedInPopup.
    void setFinalAnchors(Setup::TAnchors value);
    TColor color() const { return FColor; }
    void setColor(TColor value);
    TBevelCut bevelOuter() const { return FBevelOuter; }
    void setBevelOuter(TBevelCut value);

    TRadioPanelChangeEvent onRadioChange() const { return FOnRadioChange; }
    void setOnRadioChange(const TRadioPanelChangeEvent& handler) { FOnRadioChange = handler; }
    // Handed to the popup window as its activation handlers.
    TNotifyEvent onActivate() const { return FOnActivate; }
    void setOnActivate(const TNotifyEvent& handler) { FOnActivate = handler; }
    TNotifyEvent onDeactivate() const { return FOnDeactivate; }
    void setOnDeactivate(const TNotifyEvent& handler) { FOnDeactivate = handler; }
    // Runs when the keyboard focus of the panel's window moves into the panel or one of
    // its descendants from a control outside it.
    TNotifyEvent onEnter() const { return FOnEnter; }
    void setOnEnter(const TNotifyEvent& handler) { FOnEnter = handler; }

    // Called by the popup once it has moved the panel in: applies FinalAnchors and
    // remembers the popup's description memo (which may follow later via setStatusMemo).
    void placedInPopup(QPlainTextEdit* statusMemo = nullptr);
    void setStatusMemo(QPlainTextEdit* statusMemo) { FStatusMemo = statusMemo; }
    bool inPopup() const { return FInPopup; }
    QPlainTextEdit* statusMemo() const { return FStatusMemo; }

    // Leaves the clicked jumper closed and opens every other two-pin jumper among the
    // direct children; runs OnRadioChange with the jumper as Sender if anything changed.
    void ApplyRadioRule(TTwoJumper* clicked);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void focusChanged(QWidget* now);

    bool FRadioEnabled = false;
    QStringList FLines;
    int FMemoHeight = 58;
    Setup::TAnchors FFinalAnchors = Setup::akLeft | Setup::akTop;
    TColor FColor = clBtnFace;
    TBevelCut FBevelOuter = bvNone;
    TRadioPanelChangeEvent FOnRadioChange;
    TNotifyEvent FOnActivate;
    TNotifyEvent FOnDeactivate;
    TNotifyEvent FOnEnter;
    bool FInPopup = false;
    QPointer<QPlainTextEdit> FStatusMemo;
    bool m_focusInside = false; // the last focus seen in this window was inside the panel
    QMetaObject::Connection m_focusWatch;
};
