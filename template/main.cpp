// Settings: shows the VT-4400 board and helps set its jumpers.

#include "MainForm.h"
#include "toolkit/Application.h"
#include "toolkit/MessageBox.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Settings"));

    TMainForm form;
    try {
        form.loadLayout();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Settings: %s\n", error.what());
        MessageBox::show(QString::fromUtf8(error.what()), QStringLiteral("Settings"),
                         MessageBox::MB_OK | MessageBox::MB_ICONERROR);
        return 1;
    }
    // Help, support and popup windows do not keep the program alive once the page is closed.
    TApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&form, &TMainForm::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    form.showAsDesigned();
    return app.exec();
}
