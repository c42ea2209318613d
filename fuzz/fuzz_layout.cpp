// Arbitrary text loaded as a page layout onto a main window with every class a page may
// name. The loader must build it or refuse it with LayoutError; a crash, a leak or any other
// exception is a fault. The page's own window class is the root so that layouts derived from
// the real one get past their first line and reach the components.

#include "FuzzApplication.h"
#include "template/MainForm.h"
#include "template/PageClasses.h"
#include "toolkit/LayoutLoader.h"
#include "toolkit/MessageBox.h"

#include <QEvent>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startFuzzApplication();
    // Nothing may wait for a user while fuzzing.
    MessageBox::setHandler([](const QString&, const QString&, unsigned) { return int(MessageBox::IDCANCEL); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const LayoutLoader loader = [] {
        LayoutLoader l;
        registerPageClasses(l);
        return l;
    }();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        const auto root = std::make_unique<TMainForm>();
        try {
            loader.load(root.get(), text, QStringLiteral("fuzz"));
        } catch (const LayoutError&) {
            // A refused layout is a correct answer.
        } catch (const std::exception& e) {
            std::fprintf(stderr, "the loader let through: %s\n", e.what());
            std::abort();
        }
    }
    // What the program's event loop does between inputs: deliver posted events and run Qt's
    // housekeeping timers (the font cache drops unused fonts in one). Left undone, both
    // pile up input by input.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
