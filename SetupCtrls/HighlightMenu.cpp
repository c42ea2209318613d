// The highlight's entry in the main menu, its check mark, and Previous / Next between the
// entries under one top-level item.

#include "BoardHighlight.h"
#include "PopupForm.h"
#include "toolkit/Component.h"
#include "toolkit/Menu.h"

#include <QPointer>

using namespace Setup;

namespace {

struct TypeEntry
{
    QString caption;     // the top-level item of the type
    QString namePrefix;  // its component name without the number
    QStringList before;  // a new top-level item goes before the first of these
};

const TypeEntry* typeEntry(THighlightType type)
{
    static const TypeEntry options{"&Options", "Options", {"&Help"}};
    static const TypeEntry settings{"&Settings", "Settings", {"&Calibration", "&Options", "&Help"}};
    static const TypeEntry calibration{"&Calibration", "Calibration", {"&Options", "&Help"}};
    switch (type) {
    case htOptions: return &options;
    case htSettings: return &settings;
    case htCalibration: return &calibration;
    }
    return nullptr;
}

// Items belong to the main menu's owner (the main window); a menu without one keeps them.
QObject* itemOwner(TMainMenu* menu) { return menu->parent() ? menu->parent() : menu; }

// prefix1, prefix2, ...: the first that no component of the owner has, ignoring case.
QString freeComponentName(const QObject* owner, const QString& prefix)
{
    int n = 1;
    while (findComponent(owner, prefix + QString::number(n)))
        ++n;
    return prefix + QString::number(n);
}

struct ItemPlace
{
    TMenuItem* parent = nullptr;
    int index = -1;
};

// The first sub-item captioned title under the top-level items captioned caption.
ItemPlace findItem(const TMainMenu* menu, const QString& caption, const QString& title)
{
    for (int i = 0; i < menu->count(); ++i) {
        TMenuItem* top = menu->item(i);
        if (top->caption() != caption)
            continue;
        for (int j = 0; j < top->count(); ++j)
            if (top->item(j)->caption() == title)
                return {top, j};
    }
    return {};
}

} // namespace

void TBoardHighlight::addMenuItem(TMenuItem* parentItem)
{
    QObject* owner = itemOwner(FMenu);
    auto* item = new TMenuItem(owner);
    item->setCaption(FTitle);
    // A title without a letter or "_" gives no name prefix; such items are called Item1, ...
    item->setObjectName(freeComponentName(owner, FMenuName.isEmpty() ? QStringLiteral("Item") : FMenuName));
    item->setOnClick([self = QPointer<TBoardHighlight>(this)](QObject* sender) {
        if (self)
            self->MenuItemClick(sender);
    });
    parentItem->add(item);
}

void TBoardHighlight::RegisterMenuItem()
{
    const TypeEntry* entry = typeEntry(FHighlightType);
    if (!FMenu || !entry)
        return;
    const int count = FMenu->count();
    for (int i = 0; i < count; ++i) {
        TMenuItem* top = FMenu->item(i);
        if (top->caption() != entry->caption)
            continue;
        for (int j = 0; j < top->count(); ++j)
            if (top->item(j)->caption() == FTitle)
                return; // a linked highlight listed this area already
        if (!FTitle.isEmpty())
            addMenuItem(top);
        return;
    }

    QObject* owner = itemOwner(FMenu);
    auto* top = new TMenuItem(owner);
    top->setCaption(entry->caption);
    top->setObjectName(freeComponentName(owner, entry->namePrefix));
    int index = count;
    for (int i = 0; i < count; ++i)
        if (entry->before.contains(FMenu->item(i)->caption())) {
            index = i;
            break;
        }
    FMenu->insert(index, top);
    if (!FTitle.isEmpty())
        addMenuItem(top);
}

void TBoardHighlight::MenuItemClick(QObject* Sender)
{
    const auto* item = isExactly(Sender, "TMenuItem") ? static_cast<TMenuItem*>(Sender) : nullptr;
    if (!item || !item->checkMark()) {
        CMMouseEnter(0);
        HoldPopup();
        CMMouseLeave(0);
        return;
    }
    // The checked item closes the held popup, which may belong to a linked highlight.
    if (FPopup) {
        FPopup->close();
        return;
    }
    forEachLinked([](TBoardHighlight* h) {
        if (h->FPopup)
            h->FPopup->close();
    });
}

void TBoardHighlight::SetMenuCheck(bool Value)
{
    const TypeEntry* entry = typeEntry(FHighlightType);
    if (!FMenu || !entry)
        return;
    const ItemPlace place = findItem(FMenu, entry->caption, FTitle);
    if (place.parent)
        place.parent->item(place.index)->setCheckMark(Value);
}

void TBoardHighlight::PreviousButtonClick(QObject*) { navigate(-1); }

void TBoardHighlight::NextButtonClick(QObject*) { navigate(+1); }

// Closes this popup and opens (and holds) the one of the neighbouring item, wrapping round.
void TBoardHighlight::navigate(int step)
{
    const TypeEntry* entry = typeEntry(FHighlightType);
    if (!FMenu || !entry)
        return;
    const ItemPlace place = findItem(FMenu, entry->caption, FTitle);
    if (!place.parent)
        return;
    const int count = place.parent->count();
    TMenuItem* target = place.parent->item((place.index + step + count) % count);
    if (FPopup)
        FPopup->close();
    target->onClick()(this);
}
