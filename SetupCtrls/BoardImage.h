#pragma once
// The photograph of the card on the board page, carrying the highlight rings as children.
// It keeps itself centred in the window that holds it, remembers where the layout put it
// (the popups are placed from that), and on WM_STARTTOUR opens and holds its First ring.

#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class TBoardHighlight;
class TMainMenu;

// The start-tour message, sent (not posted) by the help window's Start button.
constexpr int WM_STARTTOUR = 0x04A2;

// A window message delivered at once with QCoreApplication::sendEvent: its event type is
// QEvent::User + the message number.
class TWindowMessage : public QEvent
{
public:
    TWindowMessage(int msg, quintptr wParam, qintptr lParam)
        : QEvent(typeOf(msg)), Msg(msg), WParam(wParam), LParam(lParam) {}

    static QEvent::Type typeOf(int msg) { return QEvent::Type(QEvent::User + msg); }

    const int Msg;
    const quintptr WParam;
    const qintptr LParam;
    qintptr Result = 0;
};

// Sends the message to target at once and returns its result.
qintptr sendWindowMessage(QObject* target, int msg, quintptr wParam = 0, qintptr lParam = 0);

// The position that centres a control of size `own` in a holder whose outer size is
// `outer`; the division truncates toward zero, so a holder smaller by one gives 0.
QPoint centredPosition(QSize outer, QSize own);

class TBoardImage : public QWidget
{
    Q_OBJECT
    Q_MOC_INCLUDE("SetupCtrls/BoardHighlight.h")
    Q_MOC_INCLUDE("toolkit/Menu.h")
    // A resource or file name of a JPEG photograph; setting it decodes the file and throws
    // std::runtime_error when it cannot be read or decoded.
    Q_PROPERTY(QString Picture READ pictureSource WRITE setPictureSource)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)
    Q_PROPERTY(bool Center READ Center WRITE setCenter)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(bool Scale READ Scale WRITE setScale)
    Q_PROPERTY(bool CenterOnForm READ CenterOnForm WRITE setCenterOnForm)
    Q_PROPERTY(TBoardHighlight* First READ First WRITE setFirst)
    Q_PROPERTY(TMainMenu* Menu READ Menu WRITE setMenu)

public:
    Q_INVOKABLE explicit TBoardImage(QWidget* parent = nullptr);

    QString pictureSource() const { return FPictureSource; }
    void setPictureSource(const QString& name);
    const QImage& picture() const { return FPicture; }
    // Takes a copy of the image as the picture (an empty image clears it).
    void setPicture(const QImage& image);

    bool Stretch() const { return FStretch; }
    void setStretch(bool value);
    bool Center() const { return FCenter; }
    void setCenter(bool value);
    bool Transparent() const { return FTransparent; }
    void setTransparent(bool value);
    bool Scale() const { return FScale; }
    void setScale(bool value);
    bool AutoSize() const { return FAutoSize; }
    void setAutoSize(bool value);
    bool CenterOnForm() const { return FCenterOnForm; }
    void setCenterOnForm(bool value) { FCenterOnForm = value; }
    TBoardHighlight* First() const { return FFirst; }
    void setFirst(TBoardHighlight* value);
    TMainMenu* Menu() const { return FMenu; }
    void setMenu(TMainMenu* value);

    // The rectangle the picture is drawn into, in the control's coordinates.
    QRect PictureBounds() const;
    // The picture's height over its width; 1.0 until a picture has given one.
    double aspect() const { return FAspect; }
    // Whether the control paints every pixel itself (Qt::WA_OpaquePaintEvent).
    bool opaque() const { return testAttribute(Qt::WA_OpaquePaintEvent); }

    // The layout position, recorded at the first paint before any centring.
    bool designRecorded() const { return FDesignRecorded; }
    int designLeft() const { return FDesignLeft; }
    int designTop() const { return FDesignTop; }

    // The size AutoSize gives the control: the picture's. Always true. An empty picture
    // leaves the size alone.
    bool CanAutoSize(int& newWidth, int& newHeight) const;

    // Paints the picture as the control shows it, limited to `area` (both in the control's
    // coordinates), onto a painter whose origin is the control's top-left corner. The rings
    // take the pixels beneath them from here.
    void paintPictureInto(QPainter& painter, const QRect& area) const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RefreshPicture();
    void applyAutoSize();
    void recordDesignPlace();
    void centreInHolder();
    void drawPicture(QPainter& painter) const;
    void startTour(TWindowMessage& message);

    QImage FPicture;
    QString FPictureSource;
    mutable QImage FScaledCache; // the picture in the device pixels of PictureBounds, made on demand
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
    bool FAutoSize = false;
    bool FScale = false;
    bool FCenterOnForm = false;
    QPointer<TBoardHighlight> FFirst;
    QPointer<TMainMenu> FMenu;
    double FAspect = 1.0;
    bool FDesignRecorded = false;
    int FDesignLeft = 0;
    int FDesignTop = 0;
};
