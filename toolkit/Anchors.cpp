#include "Anchors.h"

#include "Rounding.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <vector>

using namespace Setup;

namespace {

// One per parent: keeps the anchored children in place whenever the parent is resized.
class AnchorKeeper : public QObject
{
public:
    explicit AnchorKeeper(QWidget* parent) : QObject(parent), m_parent(parent) { parent->installEventFilter(this); }

    static AnchorKeeper* of(QWidget* parent)
    {
        for (QObject* child : parent->children())
            if (auto* keeper = dynamic_cast<AnchorKeeper*>(child))
                return keeper;
        return new AnchorKeeper(parent);
    }

    void set(QWidget* child, TAnchors anchors)
    {
        std::erase_if(m_entries, [child](const Entry& e) { return e.child == child || !e.child; });
        if (anchors != (akLeft | akTop))
            m_entries.push_back({child, anchors, child->geometry(), m_parent->size()});
    }

    TAnchors anchorsOf(const QWidget* child) const
    {
        for (const Entry& e : m_entries)
            if (e.child == child)
                return e.anchors;
        return akLeft | akTop;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_parent && event->type() == QEvent::Resize)
            for (const Entry& e : m_entries)
                if (e.child)
                    e.child->setGeometry(place(e, m_parent->size()));
        return false;
    }

private:
    struct Entry
    {
        QPointer<QWidget> child;
        TAnchors anchors;
        QRect base;
        QSize baseParent;
    };

    struct Span
    {
        int pos, length;
    };

    static Span follow(int pos, int length, int baseParent, int parent, bool nearSide, bool farSide)
    {
        const int grow = parent - baseParent;
        if (nearSide && farSide) return {pos, length + grow};
        if (farSide) return {pos + grow, length};
        if (nearSide || baseParent <= 0) return {pos, length};
        const double centre = (pos + length / 2.0) * parent / baseParent;
        return {roundHalfEven(centre - length / 2.0), length};
    }

    static QRect place(const Entry& e, QSize parent)
    {
        const Span h = follow(e.base.x(), e.base.width(), e.baseParent.width(), parent.width(),
                              e.anchors & akLeft, e.anchors & akRight);
        const Span v = follow(e.base.y(), e.base.height(), e.baseParent.height(), parent.height(),
                              e.anchors & akTop, e.anchors & akBottom);
        return QRect(h.pos, v.pos, qMax(0, h.length), qMax(0, v.length));
    }

    QWidget* m_parent;
    std::vector<Entry> m_entries;
};

} // namespace

void setAnchors(QWidget* child, TAnchors anchors)
{
    if (QWidget* parent = child->parentWidget())
        AnchorKeeper::of(parent)->set(child, anchors);
}

TAnchors anchorsOf(const QWidget* child)
{
    QWidget* parent = child->parentWidget();
    if (!parent)
        return akLeft | akTop;
    for (QObject* object : parent->children())
        if (auto* keeper = dynamic_cast<AnchorKeeper*>(object))
            return keeper->anchorsOf(child);
    return akLeft | akTop;
}
