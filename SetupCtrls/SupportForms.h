#pragma once
// The help, technical-support and card-list windows that the setup supporter builds in code:
// small stay-on-top windows owned by the main window, hidden and shown again, never rebuilt.

#include "SupportTexts.h"
#include "toolkit/Event.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

// A top-level window whose default button answers Enter and whose cancel button answers
// Escape, as the classic forms do.
class TSupportForm : public QWidget
{
    Q_OBJECT
public:
    explicit TSupportForm(QWidget* owner);

    // Shows the window as a normal non-modal window and brings it to the front.
    void showInFront();

    void setDefaultButton(QPushButton* button) { m_defaultButton = button; }
    void setCancelButton(QPushButton* button) { m_cancelButton = button; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* m_defaultButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    bool m_placed = false;
};

class THelpForm : public TSupportForm
{
    Q_OBJECT
public:
    explicit THelpForm(QWidget* owner);

    // Hides the window and starts the guided tour on the main window's board picture.
    void StartButtonClick(QObject* Sender);

    QTextEdit* HelpRich = nullptr;
    QLabel* HelpLabel = nullptr;
    QPushButton* StartButton = nullptr;
};

class TTechForm : public TSupportForm
{
    Q_OBJECT
public:
    explicit TTechForm(QWidget* owner);

    QPlainTextEdit* TechMemo = nullptr;
    QPushButton* CloseButton = nullptr;
};

class TPCIForm : public TSupportForm
{
    Q_OBJECT
public:
    explicit TPCIForm(QWidget* owner);

    QPlainTextEdit* PCIMemo = nullptr;
    QPushButton* CloseButton = nullptr;
};

// Each builder makes its window with its controls, laid out and fitted; the help and
// technical-support windows come back hidden, the card-list window shown.
THelpForm* BuildHelpForm(QWidget* owner, const THelpContent& content);
TTechForm* BuildTechForm(QWidget* owner, const QString& companyName, const QString& callHow,
                         const TNotifyEvent& closeClick);
TPCIForm* BuildPCIForm(QWidget* owner, const QString& cardName, const TNotifyEvent& closeClick);

// Moves every shown child so that together they start at the client origin, then makes the
// client area exactly as large as they cover.
void fitToControls(QWidget* window);
