#include "Menu.h"

#include "Application.h"

#include <QMenu>
#include <QMenuBar>

TMenuItem::TMenuItem(QObject* owner) : QAction(owner)
{
    connect(this, &QAction::triggered, this, [this] {
        // A checkable action toggles itself before it reports the click; the model decides.
        QAction::setChecked(m_checked);
        click();
    });
}

TMenuItem::~TMenuItem() { delete m_subMenu; }

void TMenuItem::setCaption(const QString& caption)
{
    m_caption = caption;
    setText(caption);
    if (m_subMenu)
        m_subMenu->setTitle(caption);
}

void TMenuItem::setCheckMark(bool checked)
{
    m_checked = checked;
    setCheckable(checked);
    QAction::setChecked(checked);
}

void TMenuItem::insert(int index, TMenuItem* item)
{
    if (!m_subMenu) {
        m_subMenu = new QMenu(m_caption);
        setMenu(m_subMenu);
    }
    index = qBound(0, index, count());
    m_subMenu->insertAction(index < count() ? m_items[index] : nullptr, item);
    m_items.insert(index, item);
}

void TMenuItem::click()
{
    runGuarded([this] { m_onClick(this); });
}

TMainMenu::TMainMenu(QObject* owner) : QObject(owner) {}

void TMainMenu::insert(int index, TMenuItem* item)
{
    index = qBound(0, index, count());
    if (m_bar)
        m_bar->insertAction(index < count() ? m_items[index] : nullptr, item);
    m_items.insert(index, item);
}

void TMainMenu::attach(QMenuBar* bar)
{
    m_bar = bar;
    bar->clear();
    for (TMenuItem* item : std::as_const(m_items))
        bar->addAction(item);
}

QObject* findComponent(const QObject* owner, const QString& name)
{
    const auto components = owner->findChildren<QObject*>();
    for (QObject* component : components)
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}
