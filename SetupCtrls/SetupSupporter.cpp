#include "SetupSupporter.h"

#include "driver/CardDriver.h"
#include "toolkit/Anchors.h"
#include "toolkit/Application.h"
#include "toolkit/Menu.h"
#include "toolkit/MessageBox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <stdexcept>

using namespace Setup;

namespace {

constexpr int kTimerPeriod = 100;

TSetupSupporter::TimerStarter& timerStarter()
{
    static TSetupSupporter::TimerStarter starter;
    return starter;
}

std::function<int()>& cardCounter()
{
    static std::function<int()> counter;
    return counter;
}

// The number of installed cards; a library or entry point that is missing counts none.
int countCards()
{
    if (cardCounter())
        return cardCounter()();
    BindCardDriver();
    return GetNumCardsBound() ? GetNumCards() : 0;
}

// The hidden object that receives the timer's ticks.
class TimerWindow : public QObject
{
public:
    explicit TimerWindow(std::function<bool(QEvent*)> handler) : m_handler(std::move(handler)) {}

protected:
    bool event(QEvent* event) override { return m_handler(event) || QObject::event(event); }

private:
    std::function<bool(QEvent*)> m_handler;
};

// The one click handler of a button, kept in a child of the button.
class ClickBinding : public QObject
{
public:
    explicit ClickBinding(QAbstractButton* button) : QObject(button)
    {
        connect(button, &QAbstractButton::clicked, this, [this, button] { runGuarded([&] { handler(button); }); });
    }

    static ClickBinding* of(QAbstractButton* button)
    {
        for (QObject* child : button->children())
            if (auto* binding = dynamic_cast<ClickBinding*>(child))
                return binding;
        return new ClickBinding(button);
    }

    TNotifyEvent handler;
};

// Replaces the text of item `row` of a list view or combo box; a missing item is left alone.
void replaceItem(QWidget* list, int row, const QString& text)
{
    QAbstractItemModel* model = nullptr;
    if (auto* view = qobject_cast<QAbstractItemView*>(list))
        model = view->model();
    else if (auto* combo = qobject_cast<QComboBox*>(list))
        model = combo->model();
    if (model && row < model->rowCount())
        model->setData(model->index(row, 0), text);
}

template <typename T>
T* fetch(const std::function<T*()>& accessor)
{
    return accessor ? accessor() : nullptr;
}

// The first top-level item of the main window's menu whose caption is exactly "&File".
TMenuItem* fileMenuOf(const QWidget* main)
{
    const auto* menu = qobject_cast<TMainMenu*>(main->property("Menu").value<QObject*>());
    if (!menu)
        return nullptr;
    for (int i = 0; i < menu->count(); ++i)
        if (menu->item(i)->caption() == QLatin1String("&File"))
            return menu->item(i);
    return nullptr;
}

// Where the page's controls sit: the central area of a main window that has one.
QWidget* clientArea(QWidget* main)
{
    const auto* frame = qobject_cast<QMainWindow*>(main);
    return frame && frame->centralWidget() ? frame->centralWidget() : main;
}

QLabel* makeHeaderLabel(QWidget* main)
{
    QWidget* area = clientArea(main);
    auto* label = new QLabel(area);
    label->setObjectName(QStringLiteral("HeaderLabel"));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(QFont(QStringLiteral("Tahoma"), 18, QFont::Bold));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    // Across the top edge at the height of its text, following the width.
    label->setGeometry(0, 0, area->width(), label->fontMetrics().height());
    setAnchors(label, akLeft | akTop | akRight);
    label->show();
    return label;
}

} // namespace

void setButtonClickHandler(QAbstractButton* button, const TNotifyEvent& handler)
{
    ClickBinding::of(button)->handler = handler;
}

TSetupSupporter::TSetupSupporter(QObject* owner)
    : QObject(owner), m_timerWindow(std::make_unique<TimerWindow>([this](QEvent* e) { return TimerWndProc(e); }))
{
}

TSetupSupporter::~TSetupSupporter()
{
    m_polling = false;
    // Only stopped here, never started: a destructor must not fail on a refused timer.
    stopTimer();
}

void TSetupSupporter::setTimerStarter(TimerStarter starter) { timerStarter() = std::move(starter); }
void TSetupSupporter::setCardCounter(std::function<int()> counter) { cardCounter() = std::move(counter); }

void TSetupSupporter::setOnBeginCalib(const TNotifyEvent& value)
{
    m_onBeginCalib = value;
    UpdateTimer();
}

QWidget* TSetupSupporter::mainWindow() const { return qobject_cast<QWidget*>(parent()); }

void TSetupSupporter::ApplicationIdle(QObject* Sender, bool&)
{
    if (auto* application = qobject_cast<TApplication*>(Sender))
        application->setOnIdle({});
    BuildSupport();
}

void TSetupSupporter::BuildSupport()
{
    QWidget* main = mainWindow();
    if (!main || m_helpForm)
        return;
    const QString card = cardName();
    m_headerLabel = makeHeaderLabel(main);
    m_helpForm = BuildHelpForm(main, {m_companyName, card, m_series, m_multiPort, m_onGetCardString.assigned()});
    m_techForm = BuildTechForm(main, m_companyName, m_callHow, [this](QObject* sender) { CloseButtonClick(sender); });
    const bool found = !m_onGetCardString || fillCardList(main);
    if (!found)
        m_pciForm->PCIMemo->setPlainText(QStringLiteral("No Card Found"));
    m_headerLabel->setText(headerText(found));
    m_helpShowPending = true;
    UpdateTimer();
}

// Adds the card-list item to "&File", builds the card-list window and lists the cards the
// page describes; true when at least one line was listed.
bool TSetupSupporter::fillCardList(QWidget* main)
{
    const QString card = cardName();
    if (TMenuItem* file = fileMenuOf(main)) {
        auto* item = new TMenuItem(file);
        item->setObjectName(QStringLiteral("DisplayPCI"));
        item->setCaption(QStringLiteral("Display ") + card + QStringLiteral(" Cards Installed"));
        item->setOnClick([this](QObject* sender) { DisplayPCIClick(sender); });
        file->insert(0, item);
    }
    m_pciForm = BuildPCIForm(main, card, [this](QObject* sender) { CloseButtonClick(sender); });
    const int count = countCards();
    if (count <= 0)
        return false;
    QPlainTextEdit* memo = m_pciForm->PCIMemo;
    memo->clear();
    bool listed = false;
    for (int index = 0; index < count; ++index) {
        const QString line = m_onGetCardString(this, index);
        if (line.isEmpty())
            continue;
        memo->appendPlainText(line);
        listed = true;
    }
    return listed;
}

QString TSetupSupporter::headerText(bool found) const
{
    if (found)
        return cardName() + (m_series ? QStringLiteral(" Series") : QString()) + QStringLiteral(" Settings Program");
    return QStringLiteral("No ") + cardName() + (m_series ? QStringLiteral(" Series Card") : QString())
         + QStringLiteral(" Found");
}

void TSetupSupporter::DisplayPCIClick(QObject*)
{
    if (m_pciForm)
        m_pciForm->showInFront();
}

void TSetupSupporter::CloseButtonClick(QObject* Sender)
{
    if (auto* control = qobject_cast<QWidget*>(Sender))
        control->window()->hide();
}

void TSetupSupporter::showHelp()
{
    if (m_helpForm)
        m_helpForm->showInFront();
}

void TSetupSupporter::showTech()
{
    if (m_techForm)
        m_techForm->showInFront();
}

void TSetupSupporter::SetPolling(bool Value)
{
    if (Value == m_polling)
        return;
    m_polling = Value;
    UpdateTimer();
}

void TSetupSupporter::stopTimer()
{
    if (m_timerId)
        m_timerWindow->killTimer(m_timerId);
    m_timerId = 0;
}

void TSetupSupporter::UpdateTimer()
{
    stopTimer();
    if (!m_polling && !m_helpShowPending)
        return;
    m_timerId = timerStarter() ? timerStarter()(m_timerWindow.get(), kTimerPeriod)
                               : m_timerWindow->startTimer(kTimerPeriod);
    if (m_timerId == 0)
        throw std::runtime_error("Not enough timers available");
}

bool TSetupSupporter::TimerWndProc(QEvent* message)
{
    if (message->type() != QEvent::Timer)
        return false;
    runGuarded([this] { TimerTick(); });
    return true;
}

void TSetupSupporter::TimerTick()
{
    if (m_helpShowPending) {
        showHelp();
        m_helpShowPending = false;
        UpdateTimer();
        return;
    }
    m_onBeginCalib(this);
    if (!m_onGetCalibString) {
        SetPolling(false);
        MessageBox::show(QStringLiteral("Error: calibration begun, but OnGetCalibString isn't assigned."),
                         QStringLiteral("OnGetCalibString Not Assigned"),
                         MessageBox::MB_OK | MessageBox::MB_ICONEXCLAMATION | MessageBox::MB_SETFOREGROUND
                             | MessageBox::MB_TOPMOST);
        StopCalibration();
        return;
    }
    for (const TChannelControls& entry : m_channelControls)
        if (QWidget* hidden = fetch(entry.hidden))
            hidden->hide();
    bool itsAllBad = true;
    for (int channel = 0; channel < m_channels; ++channel)
        ShowChannelString(quint8(channel), m_onGetCalibString(this, quint8(channel), itsAllBad));
    if (!itsAllBad)
        return;
    SetPolling(false);
    const int answer = MessageBox::show(
        QStringLiteral("Total A/D failure. The card may not be installed, or it may be installed at a different "
                       "base address."),
        QStringLiteral("Total A/D failure"),
        MessageBox::MB_RETRYCANCEL | MessageBox::MB_ICONEXCLAMATION | MessageBox::MB_DEFBUTTON2
            | MessageBox::MB_SETFOREGROUND | MessageBox::MB_TOPMOST);
    if (answer == MessageBox::IDRETRY)
        SetPolling(true);
    else
        StopCalibration();
}

void TSetupSupporter::ShowChannelString(quint8 Channel, const QString& S)
{
    const QString line = QStringLiteral("Channel ") + QString::number(Channel) + u'\t' + S;
    for (const TChannelControls& entry : m_channelControls)
        if (QWidget* list = fetch(entry.list))
            replaceItem(list, Channel, line);
}

void TSetupSupporter::StopCalibration()
{
    if (m_changeButtons) {
        for (const TChannelControls& entry : m_channelControls) {
            if (QAbstractButton* button = fetch(entry.button)) {
                setButtonClickHandler(button, m_onStartButtonClick);
                button->setText(QStringLiteral("Start"));
            }
        }
    }
    SetPolling(false);
}
