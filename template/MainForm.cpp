#include "MainForm.h"

#include "CardRules.h"
#include "PageClasses.h"
#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/RadioPanel.h"
#include "SetupCtrls/SetupSupporter.h"
#include "toolkit/Application.h"
#include "toolkit/Component.h"
#include "toolkit/LayoutLoader.h"
#include "toolkit/Menu.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QPointer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <stdexcept>

using namespace Setup;

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    auto* clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("ClientArea"));
    clientArea->setAutoFillBackground(true);
    clientArea->installEventFilter(this);
    setCentralWidget(clientArea);
    setColor(m_color);
}

TMainForm::~TMainForm() = default;

void TMainForm::loadLayout()
{
    LayoutLoader loader;
    registerPageClasses(loader);
    loader.loadFile(this, QStringLiteral(":/MainForm.layout"));
    finishLoading();
}

void TMainForm::loadLayout(const QString& text)
{
    LayoutLoader loader;
    registerPageClasses(loader);
    loader.load(this, text);
    finishLoading();
}

void TMainForm::finishLoading()
{
    bindComponents();
    m_onCreate(this);
}

void TMainForm::showAsDesigned()
{
    if (m_position == poScreenCenter)
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    if (m_windowState == wsMaximized || m_align == alClient)
        showMaximized();
    else
        show();
}

void TMainForm::setColor(TColor color)
{
    m_color = color;
    QPalette palette = centralWidget()->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(toQRgb(color)));
    centralWidget()->setPalette(palette);
}

void TMainForm::setMenu(TMainMenu* menu)
{
    m_menu = menu;
    if (menu)
        menu->attach(menuBar());
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // The supporter's first idle moment must come after the page has been painted once.
    if (!m_firstPaintSeen && watched == centralWidget() && event->type() == QEvent::Paint) {
        m_firstPaintSeen = true;
        if (TApplication* app = TApplication::instance())
            app->openIdleGate();
    }
    return QMainWindow::eventFilter(watched, event);
}

template <typename T>
T* TMainForm::component(const char* name)
{
    T* found = findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("The page layout has no component ") + name + ".");
    return found;
}

void TMainForm::bindComponents()
{
    BaseEdit = component<QLineEdit>("BaseEdit");
    BaseLabelFeedback = component<QLabel>("BaseLabelFeedback");
    for (int i = 0; i < CardRules::kBaseJumperCount; ++i)
        FBaseJumpers[i] = component<TTwoJumper>(
            QByteArray("BaseJumper" + QByteArray::number(CardRules::kFirstBaseBit + i)).constData());
    IRQCombo = component<QComboBox>("IRQCombo");
    RangeCombo = component<QComboBox>("RangeCombo");
    RangeJumperAC5 = component<TTwoJumper>("RangeJumperAC5");
    RangeJumperACU = component<TTwoJumper>("RangeJumperACU");
    RangeJumperACB = component<TTwoJumper>("RangeJumperACB");
    RangeJumperBD5 = component<TTwoJumper>("RangeJumperBD5");
    RangeJumperBDU = component<TTwoJumper>("RangeJumperBDU");
    RangeJumperBDB = component<TTwoJumper>("RangeJumperBDB");
    InvertCheck1 = component<QCheckBox>("InvertCheck1");
    InvertCheck2 = component<QCheckBox>("InvertCheck2");
    InvertCheck5 = component<QCheckBox>("InvertCheck5");
    InvertCheck6 = component<QCheckBox>("InvertCheck6");
    InvertJumper1 = component<TThreeJumper>("InvertJumper1");
    InvertJumper2 = component<TThreeJumper>("InvertJumper2");
    InvertJumper5 = component<TThreeJumper>("InvertJumper5");
    InvertJumper6 = component<TThreeJumper>("InvertJumper6");
    X12Combo = component<QComboBox>("X12Combo");
    X12JumperTop = component<TThreeJumper>("X12JumperTop");
    X12JumperBot = component<TThreeJumper>("X12JumperBot");
    SetSup = component<TSetupSupporter>("SetSup");
}

// Window and menu -------------------------------------------------------------------------

void TMainForm::FormCreate(QObject*)
{
    static constexpr const char* irqJumperNames[CardRules::kIrqJumperCount] = {
        "IRQJumper3", "IRQJumper4",  "IRQJumper5",  "IRQJumper6",  "IRQJumper7", "IRQJumper9",
        "IRQJumper10", "IRQJumper11", "IRQJumper12", "IRQJumper14", "IRQJumper15"};
    for (int i = 0; i < CardRules::kIrqJumperCount; ++i)
        FIRQJumpers[i] = component<TTwoJumper>(irqJumperNames[i]);
    if (TApplication* app = TApplication::instance()) {
        QPointer<TSetupSupporter> supporter = SetSup;
        app->setOnIdle([supporter](QObject* sender, bool& done) {
            if (supporter)
                supporter->ApplicationIdle(sender, done);
        });
    }
}

void TMainForm::Exit2Click(QObject*) { close(); }

void TMainForm::Howtousethisprogram1Click(QObject*) { SetSup->showHelp(); }

void TMainForm::TechnicalSupport1Click(QObject*) { SetSup->showTech(); }

// Base address ----------------------------------------------------------------------------

void TMainForm::BaseEditChange(QObject*)
{
    auto* panel = qobject_cast<TRadioPanel*>(BaseEdit->parentWidget());
    const auto view = CardRules::viewBaseAddress(BaseEdit->text());
    QPalette palette = BaseEdit->palette();
    if (!view) {
        palette.setColor(QPalette::Base, QColor::fromRgb(toQRgb(panel ? panel->color() : clBtnFace)));
        BaseEdit->setPalette(palette);
        return;
    }
    BaseLabelFeedback->setText(view->feedback);
    for (int i = 0; i < CardRules::kBaseJumperCount; ++i)
        FBaseJumpers[i]->setClosed(view->closed[i]);
    palette.setColor(QPalette::Base, QColor::fromRgb(toQRgb(clWindow)));
    BaseEdit->setPalette(palette);
}

void TMainForm::BaseJumperClick(QObject*)
{
    CardRules::BaseJumpers closed;
    for (int i = 0; i < CardRules::kBaseJumperCount; ++i)
        closed[i] = FBaseJumpers[i]->closed();
    // The edit reports the new text, and its change rule takes it from there.
    BaseEdit->setText(CardRules::baseAddressText(closed));
}

// Interrupt -------------------------------------------------------------------------------

void TMainForm::IRQComboChange(QObject*)
{
    const int closed = CardRules::closedIrqJumper(IRQCombo->currentIndex());
    for (int i = 0; i < CardRules::kIrqJumperCount; ++i)
        FIRQJumpers[i]->setClosed(i == closed);
}

void TMainForm::IRQJumperClick(QObject* Sender)
{
    auto* jumper = qobject_cast<TTwoJumper*>(Sender);
    if (!jumper)
        return;
    IRQCombo->setCurrentIndex(CardRules::irqEntryAfterClick(tagOf(jumper), jumper->closed()));
    IRQComboChange(Sender);
}

void TMainForm::IRQPanelEnter(QObject*) { selectOnFirstEntry(IRQCombo, 3); }

// DAC range -------------------------------------------------------------------------------

void TMainForm::RangeComboChange(QObject*)
{
    if (RangeCombo->currentIndex() < 0)
        RangeCombo->setCurrentIndex(0);
    const CardRules::RangeJumpers jumpers = CardRules::rangeJumpers(RangeCombo->currentIndex());
    RangeJumperAC5->setClosed(jumpers.fiveVolt);
    RangeJumperBD5->setClosed(jumpers.fiveVolt);
    RangeJumperACB->setClosed(jumpers.bipolar);
    RangeJumperBDB->setClosed(jumpers.bipolar);
    RangeJumperACU->setClosed(jumpers.unipolar);
    RangeJumperBDU->setClosed(jumpers.unipolar);
}

void TMainForm::rangeJumperClicked(QObject* sender, int kind)
{
    auto* jumper = qobject_cast<TTwoJumper*>(sender);
    if (!jumper)
        return;
    const int entry = CardRules::rangeEntryAfterClick(CardRules::RangeJumperKind(kind), jumper->closed(),
                                                      RangeCombo->currentIndex());
    RangeCombo->setCurrentIndex(entry);
    RangeComboChange(sender);
}

void TMainForm::RangeJumper5Click(QObject* Sender)
{
    rangeJumperClicked(Sender, int(CardRules::RangeJumperKind::FiveVolt));
}

void TMainForm::RangeJumperUClick(QObject* Sender)
{
    rangeJumperClicked(Sender, int(CardRules::RangeJumperKind::Unipolar));
}

void TMainForm::RangeJumperBClick(QObject* Sender)
{
    rangeJumperClicked(Sender, int(CardRules::RangeJumperKind::Bipolar));
}

void TMainForm::RangePanelEnter(QObject*) { selectOnFirstEntry(RangeCombo, 0); }

// Port C inversion ------------------------------------------------------------------------

void TMainForm::invertCheckClicked(QCheckBox* check, TThreeJumper* jumper)
{
    jumper->setJumperState(check->isChecked() ? jsRight : jsLeft);
}

void TMainForm::invertJumperClicked(TThreeJumper* jumper, QCheckBox* check)
{
    check->setChecked(jumper->jumperState() == jsRight);
}

void TMainForm::InvertCheck1Click(QObject*) { invertCheckClicked(InvertCheck1, InvertJumper1); }
void TMainForm::InvertCheck2Click(QObject*) { invertCheckClicked(InvertCheck2, InvertJumper2); }
void TMainForm::InvertCheck5Click(QObject*) { invertCheckClicked(InvertCheck5, InvertJumper5); }
void TMainForm::InvertCheck6Click(QObject*) { invertCheckClicked(InvertCheck6, InvertJumper6); }
void TMainForm::InvertJumper1Click(QObject*) { invertJumperClicked(InvertJumper1, InvertCheck1); }
void TMainForm::InvertJumper2Click(QObject*) { invertJumperClicked(InvertJumper2, InvertCheck2); }
void TMainForm::InvertJumper5Click(QObject*) { invertJumperClicked(InvertJumper5, InvertCheck5); }
void TMainForm::InvertJumper6Click(QObject*) { invertJumperClicked(InvertJumper6, InvertCheck6); }

// ±12 V source ----------------------------------------------------------------------------

void TMainForm::X12ComboChange(QObject*)
{
    switch (X12Combo->currentIndex()) {
    case 0:
        X12JumperTop->setJumperState(jsLeft);
        X12JumperBot->setJumperState(jsLeft);
        break;
    case 1:
        X12JumperTop->setJumperState(jsRight);
        X12JumperBot->setJumperState(jsRight);
        break;
    default:
        X12Combo->setCurrentIndex(0);
        break;
    }
}

void TMainForm::X12JumperClick(QObject* Sender)
{
    auto* jumper = qobject_cast<TThreeJumper*>(Sender);
    if (!jumper)
        return;
    if (jumper->jumperState() == jsLeft)
        X12Combo->setCurrentIndex(0);
    else if (jumper->jumperState() == jsRight)
        X12Combo->setCurrentIndex(1);
    X12ComboChange(Sender);
}

void TMainForm::X12PanelEnter(QObject*) { selectOnFirstEntry(X12Combo, 0); }

// A list starts without a selection; the first entry into its panel gives it the entry that
// matches the starting jumpers. Later entries leave the user's choice alone, so the list
// always agrees with its jumpers.
void TMainForm::selectOnFirstEntry(QComboBox* combo, int entry)
{
    if (combo->currentIndex() < 0)
        combo->setCurrentIndex(entry);
}
