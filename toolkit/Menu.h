#pragma once
// The main menu as a model of items (caption, component name, check mark, click handler,
// sub-items) mirrored onto a real menu bar. Items are QActions; an item with sub-items
// carries a QMenu for them.

#include "Event.h"

#include <QAction>
#include <QList>
#include <QPointer>

class QMenu;
class QMenuBar;
class QWidget;

class TMenuItem : public QAction
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ checkMark WRITE setCheckMark)
    Q_PROPERTY(TNotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    explicit TMenuItem(QObject* owner);
    ~TMenuItem() override;

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // The model's check mark; the toolkit's own toggling on a click never changes it.
    bool checkMark() const { return m_checked; }
    void setCheckMark(bool checked);

    const TNotifyEvent& onClick() const { return m_onClick; }
    void setOnClick(const TNotifyEvent& handler) { m_onClick = handler; }

    int count() const { return int(m_items.size()); }
    TMenuItem* item(int index) const { return m_items.value(index); }
    void add(TMenuItem* item) { insert(count(), item); }
    void insert(int index, TMenuItem* item);

    // Runs OnClick with this item as Sender, as choosing it does.
    void click();

private:
    QString m_caption;
    bool m_checked = false;
    TNotifyEvent m_onClick;
    QList<TMenuItem*> m_items;
    QMenu* m_subMenu = nullptr;
};

class TMainMenu : public QObject
{
    Q_OBJECT
public:
    explicit TMainMenu(QObject* owner);

    int count() const { return int(m_items.size()); }
    TMenuItem* item(int index) const { return m_items.value(index); }
    void add(TMenuItem* item) { insert(count(), item); }
    void insert(int index, TMenuItem* item);

    // Shows the items on a menu bar; later changes are mirrored there.
    void attach(QMenuBar* bar);

private:
    QList<TMenuItem*> m_items;
    QPointer<QMenuBar> m_bar;
};

// The owner's component of that name, compared without regard to case, or nullptr.
QObject* findComponent(const QObject* owner, const QString& name);
