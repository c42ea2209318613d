// The yardstick for Settings' start-up: the least a Qt program does to show the board
// photograph. One bare window, maximised, with the photograph decoded from the program's
// resources as Settings decodes it and stretched to 400 x 399.

#include "toolkit/Jpeg.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace {

class PhotographWindow : public QWidget
{
public:
    explicit PhotographWindow(QImage photograph) : m_photograph(std::move(photograph))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawImage(0, 0, m_photograph);
    }

private:
    QImage m_photograph;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFile file(QStringLiteral(":/board.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    PhotographWindow window(
        Jpeg::decode(file.readAll()).scaled(400, 399, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    window.setWindowTitle(QStringLiteral("Reference"));
    window.showMaximized();
    return app.exec();
}
