#include "SupportForms.h"

#include "BoardHighlight.h" // BoardImage.h's inline accessors need both complete types
#include "toolkit/Menu.h"
#include "BoardImage.h"
#include "toolkit/Anchors.h"
#include "toolkit/Colour.h"
#include "toolkit/Rtf.h"
#include "toolkit/Screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

using namespace Setup;

namespace {

constexpr int kButtonHeight = 25;
constexpr int kBlankFormWidth = 320; // a new window's width before it is fitted
constexpr TColor kHelpBackground = 14540253; // light grey

QPushButton* makeButton(QWidget* form, const char* name, const QString& caption, QRect bounds)
{
    auto* button = new QPushButton(caption, form);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(bounds);
    button->setAutoDefault(true); // a focused button answers Enter, as on the classic forms
    return button;
}

void makeReadOnlyView(QAbstractScrollArea* view, const char* name, QRect bounds)
{
    view->setObjectName(QLatin1String(name));
    view->setGeometry(bounds);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QPlainTextEdit* makeMemo(QWidget* form, const char* name)
{
    auto* memo = new QPlainTextEdit(form);
    memo->setReadOnly(true);
    makeReadOnlyView(memo, name, QRect(8, 8, 305, 89));
    return memo;
}

// The window's button sits centred across the client width, keeping its top.
void centreHorizontally(QWidget* button)
{
    const QWidget* parent = button->parentWidget();
    button->move((parent->width() - button->width()) / 2, button->y());
}

void setClientWidth(QWidget* form, int width) { form->resize(width, form->height()); }

void connectClick(QPushButton* button, const TNotifyEvent& handler)
{
    QObject::connect(button, &QPushButton::clicked, button, [button, handler] { handler(button); });
}

// The first direct child that is a board picture, of any class derived from it too.
TBoardImage* firstBoardImage(const QObject* parent)
{
    for (QObject* child : parent->children())
        if (auto* board = qobject_cast<TBoardImage*>(child))
            return board;
    return nullptr;
}

} // namespace

void fitToControls(QWidget* window)
{
    QList<QWidget*> shown;
    QRect covered;
    for (QObject* child : window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow() || widget->isHidden())
            continue;
        shown.append(widget);
        covered = covered.united(widget->geometry());
    }
    for (QWidget* widget : std::as_const(shown))
        widget->move(widget->pos() - covered.topLeft());
    window->resize(covered.size());
}

// --- TSupportForm ---

TSupportForm::TSupportForm(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint) {}

void TSupportForm::showInFront()
{
    showNormal();
    raise();
    activateWindow();
}

void TSupportForm::keyPressEvent(QKeyEvent* event)
{
    QPushButton* button = nullptr;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: button = m_defaultButton; break;
    case Qt::Key_Escape: button = m_cancelButton; break;
    default: break;
    }
    if (button && button->isEnabled()) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TSupportForm::showEvent(QShowEvent* event)
{
    // The first showing centres the window over the main window (outer rectangles); later
    // showings keep the place it had. Left to the window manager, a stay-on-top window
    // opens in the screen's corner, over the main window's menu bar.
    if (!m_placed) {
        m_placed = true;
        if (const QWidget* mainWindow = parentWidget()) {
            const QRect outer = mainWindow->frameGeometry();
            const QSize frame = outer.size() - mainWindow->size(); // taken as this window's frame too
            const QSize size = this->size() + frame;
            move(outer.x() + (outer.width() - size.width()) / 2, outer.y() + (outer.height() - size.height()) / 2);
        }
    }
    QWidget::showEvent(event);
}

// --- THelpForm ---

THelpForm::THelpForm(QWidget* owner) : TSupportForm(owner) {}

void THelpForm::StartButtonClick(QObject*)
{
    hide();
    QWidget* mainWindow = parentWidget();
    if (!mainWindow)
        return;
    TBoardImage* board = firstBoardImage(mainWindow);
    // The page's controls may sit in the main window's central area rather than on it.
    if (auto* frame = qobject_cast<QMainWindow*>(mainWindow); !board && frame && frame->centralWidget())
        board = firstBoardImage(frame->centralWidget());
    if (board)
        sendWindowMessage(board, WM_STARTTOUR, 0, 0);
}

THelpForm* BuildHelpForm(QWidget* owner, const THelpContent& content)
{
    auto* form = new THelpForm(owner);
    form->setObjectName(QStringLiteral("HelpForm"));
    form->setWindowTitle(QStringLiteral("Instructions for Settings utility"));

    auto* label = new QLabel(QStringLiteral("How to use this program"), form);
    label->setObjectName(QStringLiteral("HelpLabel"));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    form->HelpLabel = label;

    auto* rich = new QTextEdit(form);
    rich->setReadOnly(true);
    QPalette palette = rich->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(toQRgb(kHelpBackground)));
    rich->setPalette(palette);
    makeReadOnlyView(rich, "HelpRich", QRect(0, 24, 305, 73));
    loadRtf(*rich->document(), helpText(content));
    rich->moveCursor(QTextCursor::Start); // the view opens at the title, not where loading ended
    form->HelpRich = rich;

    auto* start = makeButton(form, "StartButton", QStringLiteral("Start"), QRect(0, 105, 173, kButtonHeight));
    QObject::connect(start, &QPushButton::clicked, form, [form, start] { form->StartButtonClick(start); });
    form->StartButton = start;
    form->setDefaultButton(start);
    form->setCancelButton(start);
    start->setFocus(); // first in the tab order: the window opens with it focused

    setClientWidth(form, rich->width());
    // The label spans the top edge at the height of its text.
    label->setGeometry(0, 0, form->width(), label->fontMetrics().height());
    fitToControls(form);
    form->resize(form->width(), form->height() + 8);
    setAnchors(label, akLeft | akTop | akRight);
    setAnchors(rich, akLeft | akTop | akRight | akBottom);
    centreHorizontally(start);
    setAnchors(start, akBottom);
    // The window grows with the screen; fonts keep their size.
    form->resize(scaledHelpClientSize(form->size(), Screen::screenSize()));
    return form;
}

// --- TTechForm ---

TTechForm::TTechForm(QWidget* owner) : TSupportForm(owner) {}

TTechForm* BuildTechForm(QWidget* owner, const QString& companyName, const QString& callHow,
                         const TNotifyEvent& closeClick)
{
    auto* form = new TTechForm(owner);
    form->setObjectName(QStringLiteral("TechForm"));
    form->setWindowTitle(QStringLiteral("Technical Support"));

    auto* memo = makeMemo(form, "TechMemo");
    memo->setPlainText(techText(companyName, callHow).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    form->TechMemo = memo;

    auto* close = makeButton(form, "CloseButton", QStringLiteral("Close"), QRect(165, 105, 73, kButtonHeight));
    connectClick(close, closeClick);
    form->CloseButton = close;
    form->setCancelButton(close);
    close->setFocus();

    fitToControls(form);
    setAnchors(memo, akLeft | akTop | akRight | akBottom);
    centreHorizontally(close);
    setAnchors(close, akBottom);
    return form;
}

// --- TPCIForm ---

TPCIForm::TPCIForm(QWidget* owner) : TSupportForm(owner) {}

TPCIForm* BuildPCIForm(QWidget* owner, const QString& cardName, const TNotifyEvent& closeClick)
{
    auto* form = new TPCIForm(owner);
    form->setObjectName(QStringLiteral("PCIForm"));
    form->setWindowTitle(cardName + QStringLiteral(" Cards installed"));

    auto* memo = makeMemo(form, "PCIMemo");
    memo->setFont(QFont(QStringLiteral("Tahoma"), 10, QFont::Bold));
    form->PCIMemo = memo;

    // Placed against the blank window's width and not centred again after the fitting.
    const int closeLeft = (kBlankFormWidth - 73) / 2;
    auto* close = makeButton(form, "CloseButton", QStringLiteral("Close"), QRect(closeLeft, 105, 73, kButtonHeight));
    connectClick(close, closeClick);
    form->CloseButton = close;
    form->setCancelButton(close);
    close->setFocus();

    fitToControls(form);
    setAnchors(memo, akLeft | akTop | akRight | akBottom);
    setAnchors(close, akBottom);
    form->show();
    return form;
}
