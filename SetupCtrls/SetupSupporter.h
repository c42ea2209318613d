#pragma once
// TSetupSupporter, the non-visual component that frames a board page. At the first idle
// moment it builds the header label naming the card, the help and technical-support windows
// and, when the page can describe installed cards, the card list; then a 100 ms timer opens
// the help window once and drives calibration polling for pages that calibrate.

#include "SupportForms.h"
#include "toolkit/Event.h"

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;

// The text line for installed card number CardIndex (from 0), or an empty string.
using TPCIEvent = TEvent<QString(QObject* Sender, int CardIndex)>;
// The display text for calibration channel Channel; a handler whose channel works clears
// ItsAllBad, one flag shared by all channels of a tick.
using TCalibEvent = TEvent<QString(QObject* Sender, quint8 Channel, bool& ItsAllBad)>;
Q_DECLARE_METATYPE(TPCIEvent)
Q_DECLARE_METATYPE(TCalibEvent)

// One calibration display of a page. Each control is fetched at every use, so the control
// the page holds at that moment is the one used; an accessor may be empty or give nullptr.
struct TChannelControls
{
    std::function<QWidget*()> list;           // item i shows channel i: a list view or combo box
    std::function<QAbstractButton*()> button; // starts and stops polling
    std::function<QWidget*()> hidden;         // hidden while polling runs
};

// Gives a button its one click handler, replacing the one given before through this call.
void setButtonClickHandler(QAbstractButton* button, const TNotifyEvent& handler);

class TSetupSupporter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString CompanyName READ companyName WRITE setCompanyName)
    Q_PROPERTY(QString CardNameA READ cardNameA WRITE setCardNameA)
    Q_PROPERTY(QString CardNameB READ cardNameB WRITE setCardNameB)
    Q_PROPERTY(bool UseCardNameB READ useCardNameB WRITE setUseCardNameB)
    Q_PROPERTY(QString CallHow READ callHow WRITE setCallHow)
    Q_PROPERTY(bool MultiPort READ multiPort WRITE setMultiPort)
    Q_PROPERTY(quint8 Channels READ channels WRITE setChannels)
    Q_PROPERTY(bool ChangeButtons READ changeButtons WRITE setChangeButtons)
    Q_PROPERTY(bool bSeries READ series WRITE setSeries)
    Q_PROPERTY(TNotifyEvent OnBeginCalib READ onBeginCalib WRITE setOnBeginCalib)
    Q_PROPERTY(TPCIEvent OnGetCardString READ onGetCardString WRITE setOnGetCardString)
    Q_PROPERTY(TCalibEvent OnGetCalibString READ onGetCalibString WRITE setOnGetCalibString)
    Q_PROPERTY(TNotifyEvent OnStopButtonClick READ onStopButtonClick WRITE setOnStopButtonClick)
    Q_PROPERTY(TNotifyEvent OnStartButtonClick READ onStartButtonClick WRITE setOnStartButtonClick)

public:
    // The owner is the page's main window; everything the build makes belongs to it.
    explicit TSetupSupporter(QObject* owner = nullptr);
    ~TSetupSupporter() override;

    QString companyName() const { return m_companyName; }
    void setCompanyName(const QString& value) { m_companyName = value; }
    QString cardNameA() const { return m_cardNameA; }
    void setCardNameA(const QString& value) { m_cardNameA = value; }
    QString cardNameB() const { return m_cardNameB; }
    void setCardNameB(const QString& value) { m_cardNameB = value; }
    bool useCardNameB() const { return m_useCardNameB; }
    void setUseCardNameB(bool value) { m_useCardNameB = value; }
    QString callHow() const { return m_callHow; }
    void setCallHow(const QString& value) { m_callHow = value; }
    bool multiPort() const { return m_multiPort; }
    void setMultiPort(bool value) { m_multiPort = value; }
    quint8 channels() const { return m_channels; }
    void setChannels(quint8 value) { m_channels = value; }
    bool changeButtons() const { return m_changeButtons; }
    void setChangeButtons(bool value) { m_changeButtons = value; }
    bool series() const { return m_series; }
    void setSeries(bool value) { m_series = value; }

    const TNotifyEvent& onBeginCalib() const { return m_onBeginCalib; }
    void setOnBeginCalib(const TNotifyEvent& value);
    const TPCIEvent& onGetCardString() const { return m_onGetCardString; }
    void setOnGetCardString(const TPCIEvent& value) { m_onGetCardString = value; }
    const TCalibEvent& onGetCalibString() const { return m_onGetCalibString; }
    void setOnGetCalibString(const TCalibEvent& value) { m_onGetCalibString = value; }
    const TNotifyEvent& onStopButtonClick() const { return m_onStopButtonClick; }
    void setOnStopButtonClick(const TNotifyEvent& value) { m_onStopButtonClick = value; }
    const TNotifyEvent& onStartButtonClick() const { return m_onStartButtonClick; }
    void setOnStartButtonClick(const TNotifyEvent& value) { m_onStartButtonClick = value; }

    // The card name the windows and the header use.
    QString cardName() const { return m_useCardNameB ? m_cardNameB : m_cardNameA; }

    // The application's idle handler: empties the idle slot, then builds, so it runs once.
    void ApplicationIdle(QObject* Sender, bool& Done);
    // Builds the header, the windows and the card list, and starts the timer for the help
    // window. Does nothing without a main window or when already built.
    void BuildSupport();

    void DisplayPCIClick(QObject* Sender);
    void CloseButtonClick(QObject* Sender);

    bool polling() const { return m_polling; }
    void SetPolling(bool Value);
    // Starts the 100 ms timer while the help window is pending or polling is on, else stops
    // it. Throws std::runtime_error when no timer can be had.
    void UpdateTimer();
    void TimerTick();
    void ShowChannelString(quint8 Channel, const QString& S);
    void StopCalibration();

    // A calibrating page lists its displays here.
    void addChannelControls(TChannelControls controls) { m_channelControls.push_back(std::move(controls)); }

    // Show the window as a normal non-modal window in front; nothing before the build.
    void showHelp();
    void showTech();

    QLabel* headerLabel() const { return m_headerLabel; }
    THelpForm* helpForm() const { return m_helpForm; }
    TTechForm* techForm() const { return m_techForm; }
    TPCIForm* pciForm() const { return m_pciForm; }
    bool helpShowPending() const { return m_helpShowPending; }
    bool timerRunning() const { return m_timerId != 0; }

    // Test seams. The timer starter gets the receiving object and the period and answers a
    // timer id, 0 when refused; the card counter replaces binding the card driver and
    // asking it for the number of cards. Empty functions restore the real ones.
    using TimerStarter = std::function<int(QObject* receiver, int milliseconds)>;
    static void setTimerStarter(TimerStarter starter);
    static void setCardCounter(std::function<int()> counter);

private:
    bool TimerWndProc(QEvent* message);
    QWidget* mainWindow() const;
    QString headerText(bool found) const;
    bool fillCardList(QWidget* main);
    void stopTimer();

    QString m_companyName, m_cardNameA, m_cardNameB, m_callHow;
    bool m_useCardNameB = false;
    bool m_multiPort = false;
    quint8 m_channels = 8;
    bool m_changeButtons = true;
    bool m_series = true;
    TNotifyEvent m_onBeginCalib, m_onStopButtonClick, m_onStartButtonClick;
    TPCIEvent m_onGetCardString;
    TCalibEvent m_onGetCalibString;

    bool m_helpShowPending = false;
    bool m_polling = false;
    std::unique_ptr<QObject> m_timerWindow;
    int m_timerId = 0;
    QPointer<QLabel> m_headerLabel;
    QPointer<THelpForm> m_helpForm;
    QPointer<TTechForm> m_techForm;
    QPointer<TPCIForm> m_pciForm;
    std::vector<TChannelControls> m_channelControls;
};
