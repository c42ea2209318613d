#pragma once
// The main window of the VT-4400 page: built from its layout, it holds the page's components
// and runs the rules that keep each setting and its jumpers in step.

#include "toolkit/Colour.h"
#include "toolkit/Event.h"
#include "toolkit/Menu.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class TRadioPanel;
class TSetupSupporter;
class TThreeJumper;
class TTwoJumper;

class TMainForm : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)
    Q_PROPERTY(TAlign Align MEMBER m_align)
    Q_PROPERTY(TWindowState WindowState MEMBER m_windowState)
    Q_PROPERTY(TPosition Position MEMBER m_position)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TMainMenu* Menu READ menu WRITE setMenu)
    Q_PROPERTY(TNotifyEvent OnCreate READ onCreate WRITE setOnCreate)
    Q_PROPERTY(int PixelsPerInch MEMBER m_pixelsPerInch)
    Q_PROPERTY(int TextHeight MEMBER m_textHeight)

public:
    enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
    Q_ENUM(TAlign)
    enum TWindowState { wsNormal, wsMinimized, wsMaximized };
    Q_ENUM(TWindowState)
    enum TPosition { poDesigned, poDefault, poScreenCenter };
    Q_ENUM(TPosition)

    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Builds the page from the embedded layout, then runs OnCreate. Throws with one message
    // naming the line and the fault when the layout is broken; nothing is left half-built.
    void loadLayout();
    void loadLayout(const QString& text);

    // Shows the window as its layout says: centred, and maximised over the work area.
    void showAsDesigned();

    TColor color() const { return m_color; }
    void setColor(TColor color);
    TMainMenu* menu() const { return m_menu; }
    void setMenu(TMainMenu* menu);

    const TNotifyEvent& onCreate() const { return m_onCreate; }
    void setOnCreate(const TNotifyEvent& handler) { m_onCreate = handler; }

    TSetupSupporter* setupSupporter() const { return SetSup; }

public slots:
    void FormCreate(QObject* Sender);
    void Exit2Click(QObject* Sender);
    void Howtousethisprogram1Click(QObject* Sender);
    void TechnicalSupport1Click(QObject* Sender);

    void BaseEditChange(QObject* Sender);
    void BaseJumperClick(QObject* Sender);
    void IRQComboChange(QObject* Sender);
    void IRQJumperClick(QObject* Sender);
    void IRQPanelEnter(QObject* Sender);
    void RangeComboChange(QObject* Sender);
    void RangeJumper5Click(QObject* Sender);
    void RangeJumperUClick(QObject* Sender);
    void RangeJumperBClick(QObject* Sender);
    void RangePanelEnter(QObject* Sender);
    void InvertCheck1Click(QObject* Sender);
    void InvertCheck2Click(QObject* Sender);
    void InvertCheck5Click(QObject* Sender);
    void InvertCheck6Click(QObject* Sender);
    void InvertJumper1Click(QObject* Sender);
    void InvertJumper2Click(QObject* Sender);
    void InvertJumper5Click(QObject* Sender);
    void InvertJumper6Click(QObject* Sender);
    void X12ComboChange(QObject* Sender);
    void X12JumperClick(QObject* Sender);
    void X12PanelEnter(QObject* Sender);

signals:
    // The window was closed: the program ends, whatever other windows are open.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finishLoading();
    void bindComponents();
    template <typename T>
    T* component(const char* name);
    void rangeJumperClicked(QObject* sender, int kind);
    void invertCheckClicked(QCheckBox* check, TThreeJumper* jumper);
    void invertJumperClicked(TThreeJumper* jumper, QCheckBox* check);
    void selectOnFirstEntry(QComboBox* combo, int entry);

    TAlign m_align = alNone;
    TWindowState m_windowState = wsNormal;
    TPosition m_position = poDesigned;
    TColor m_color = clBtnFace;
    QPointer<TMainMenu> m_menu; // a page refused while loading takes its menu with it
    TNotifyEvent m_onCreate;
    int m_pixelsPerInch = 96;
    int m_textHeight = 13;

    // The page's components, looked up once after the layout is built.
    QLineEdit* BaseEdit = nullptr;
    QLabel* BaseLabelFeedback = nullptr;
    std::array<TTwoJumper*, 5> FBaseJumpers{};
    QComboBox* IRQCombo = nullptr;
    std::array<TTwoJumper*, 11> FIRQJumpers{};
    QComboBox* RangeCombo = nullptr;
    TTwoJumper *RangeJumperAC5 = nullptr, *RangeJumperACU = nullptr, *RangeJumperACB = nullptr;
    TTwoJumper *RangeJumperBD5 = nullptr, *RangeJumperBDU = nullptr, *RangeJumperBDB = nullptr;
    QCheckBox *InvertCheck1 = nullptr, *InvertCheck2 = nullptr, *InvertCheck5 = nullptr,
              *InvertCheck6 = nullptr;
    TThreeJumper *InvertJumper1 = nullptr, *InvertJumper2 = nullptr, *InvertJumper5 = nullptr,
                 *InvertJumper6 = nullptr;
    QComboBox* X12Combo = nullptr;
    TThreeJumper *X12JumperTop = nullptr, *X12JumperBot = nullptr;
    TSetupSupporter* SetSup = nullptr;

    bool m_firstPaintSeen = false;
};
