#include "LayoutLoader.h"

#include "Application.h"
#include "CommonProperties.h"
#include "Event.h"
#include "LayoutValues.h"

#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMetaMethod>
#include <QPointer>
#include <QStringDecoder>
#include <algorithm>
#include <exception>
#include <limits>
#include <vector>

namespace {

QString className(const QObject* object) { return QString::fromLatin1(object->metaObject()->className()); }

// The message of whatever a component's own code threw.
QString messageOf(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("unknown error");
    }
}

// A property whose value names another component or a handler; filled in after all exist.
struct Deferred
{
    QPointer<QObject> object;
    QMetaProperty property;
    QString name;
    int line = 0;
};

class Builder
{
public:
    Builder(const QHash<QString, LayoutLoader::Factory>& factories, QObject* root, const QString& source)
        : m_factories(factories), m_root(root), m_source(source)
    {
    }

    void build(const LayoutObject& tree)
    {
        if (tree.className != className(m_root))
            fail(tree.line, QStringLiteral("the layout is for %1, but the window is %2").arg(tree.className, className(m_root)));
        m_root->setObjectName(tree.name);
        m_names.insert(tree.name.toLower(), m_root);
        applyProperties(m_root, tree);
        for (const LayoutObject& child : tree.children)
            create(child, m_root);
        resolveReferences();
        bindHandlers();
        runLoaded(tree);
        applyTabOrders();
    }

    // Undoes the build after a fault: children go before their parents.
    void deleteCreated()
    {
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it)
            delete it->object.data();
        m_created.clear();
    }

private:
    [[noreturn]] void fail(int line, const QString& fault) const { failLayout(m_source, line, fault); }

    void create(const LayoutObject& node, QObject* parent)
    {
        const auto factory = m_factories.find(node.className);
        if (factory == m_factories.end())
            fail(node.line, QStringLiteral("unknown class '%1'").arg(node.className));
        if (m_names.contains(node.name.toLower()))
            fail(node.line, QStringLiteral("duplicate component name '%1'").arg(node.name));
        QObject* object = nullptr;
        try {
            object = (*factory)(parent, m_root);
        } catch (...) {
            fail(node.line, QStringLiteral("cannot create '%1': %2").arg(node.name, messageOf(std::current_exception())));
        }
        if (!object)
            fail(node.line, QStringLiteral("cannot create '%1'").arg(node.name));
        m_created.push_back({object, parent, &node});
        object->setObjectName(node.name);
        m_names.insert(node.name.toLower(), object);
        applyProperties(object, node);
        for (const LayoutObject& child : node.children)
            create(child, object);
    }

    void applyProperties(QObject* object, const LayoutObject& node)
    {
        for (const LayoutProperty& p : node.properties) {
            try {
                applyProperty(object, p);
            } catch (const LayoutFault& fault) {
                fail(p.line, fault.message);
            }
        }
    }

    void applyProperty(QObject* object, const LayoutProperty& p)
    {
        // Published properties are capitalised; Qt's own (objectName, geometry...) are not.
        const int index = p.name.front().isUpper() ? object->metaObject()->indexOfProperty(p.name.toLatin1()) : -1;
        if (index >= 0)
            return applyDeclared(object, object->metaObject()->property(index), p);
        // Kept as given, like Tag; the focus chain is built from it once all components exist.
        if (p.name == u"TabOrder" && object->isWidgetType()) {
            object->setProperty("TabOrder", intValue(p.value, describeProperty(object, p.name)));
            return;
        }
        if (!applyCommonProperty(object, p.name, p.value))
            throw LayoutFault{QStringLiteral("unknown property '%1' of %2").arg(p.name, className(object))};
    }

    void applyDeclared(QObject* object, const QMetaProperty& property, const LayoutProperty& p)
    {
        const QMetaType type = property.metaType();
        const bool isEvent = type == QMetaType::fromType<TNotifyEvent>();
        if (isEvent || type.flags().testFlag(QMetaType::PointerToQObject)) {
            if (p.value.kind != LayoutValue::Name)
                throw LayoutFault{QStringLiteral("%1 takes %2, not %3")
                                      .arg(describeProperty(object, p.name),
                                           isEvent ? QStringLiteral("a handler name") : QStringLiteral("a component name"),
                                           describeKind(p.value.kind))};
            (isEvent ? m_handlers : m_references).push_back({object, property, p.value.text, p.line});
            return;
        }
        write(object, property, propertyValue(object, property, p.value), p.line);
    }

    // Setters of components may refuse a value by throwing (a corrupt picture, say).
    void write(QObject* object, const QMetaProperty& property, const QVariant& value, int line)
    {
        const QString what = describeProperty(object, QString::fromLatin1(property.name()));
        if (!property.isWritable())
            fail(line, QStringLiteral("%1 cannot be set").arg(what));
        bool written = false;
        try {
            written = property.write(object, value);
        } catch (...) {
            fail(line, QStringLiteral("setting %1 failed: %2").arg(what, messageOf(std::current_exception())));
        }
        if (!written)
            fail(line, QStringLiteral("setting %1 failed").arg(what));
    }

    void resolveReferences()
    {
        for (const Deferred& d : m_references) {
            const QString what = describeProperty(d.object, QString::fromLatin1(d.property.name()));
            QObject* target = m_names.value(d.name.toLower());
            if (!target)
                fail(d.line, QStringLiteral("unknown component '%1' for %2").arg(d.name, what));
            const QMetaObject* wanted = d.property.metaType().metaObject();
            if (!wanted || !target->metaObject()->inherits(wanted))
                fail(d.line, QStringLiteral("'%1' is a %2, but %3 takes a %4")
                                 .arg(d.name, className(target), what,
                                      wanted ? QString::fromLatin1(wanted->className()) : QStringLiteral("?")));
            write(d.object, d.property, QVariant(d.property.metaType(), &target), d.line);
        }
    }

    void bindHandlers()
    {
        for (const Deferred& d : m_handlers) {
            const int index = m_root->metaObject()->indexOfMethod((d.name + QStringLiteral("(QObject*)")).toLatin1());
            if (index < 0)
                fail(d.line, QStringLiteral("unknown handler '%1' for %2: %3 has no slot %1(QObject* Sender)")
                                 .arg(d.name, describeProperty(d.object, QString::fromLatin1(d.property.name())),
                                      className(m_root)));
            const QMetaMethod method = m_root->metaObject()->method(index);
            const TNotifyEvent handler = [root = QPointer<QObject>(m_root), method](QObject* sender) {
                runGuarded([&] {
                    if (root)
                        method.invoke(root.data(), Qt::DirectConnection, Q_ARG(QObject*, sender));
                });
            };
            write(d.object, d.property, QVariant::fromValue(handler), d.line);
        }
    }

    // Components finish their loading in creation order; the root last, when all are done.
    void runLoaded(const LayoutObject& rootSpec)
    {
        for (const Created& c : m_created)
            if (c.object)
                runLoaded(c.object, c.node->line);
        runLoaded(m_root, rootSpec.line);
    }

    void runLoaded(QObject* object, int line)
    {
        const int index = object->metaObject()->indexOfMethod("loaded()");
        if (index < 0)
            return;
        try {
            object->metaObject()->method(index).invoke(object, Qt::DirectConnection);
        } catch (...) {
            fail(line, QStringLiteral("'%1' failed to finish loading: %2").arg(object->objectName(), messageOf(std::current_exception())));
        }
    }

    // The focus chain visits the components depth first; the children of each parent in
    // ascending TabOrder, then those without one, each group in creation order.
    void applyTabOrders()
    {
        std::vector<QWidget*> chain;
        appendFocusOrder(m_root, chain);
        for (std::size_t i = 1; i < chain.size(); ++i)
            QWidget::setTabOrder(chain[i - 1], chain[i]);
    }

    void appendFocusOrder(const QObject* parent, std::vector<QWidget*>& chain) const
    {
        std::vector<QWidget*> children;
        for (const Created& c : m_created)
            if (c.layoutParent == parent && c.object && c.object->isWidgetType())
                children.push_back(static_cast<QWidget*>(c.object.data()));
        std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
            return tabOrderOf(a) < tabOrderOf(b);
        });
        for (QWidget* w : children) {
            if (w->focusPolicy() & Qt::TabFocus)
                chain.push_back(w);
            appendFocusOrder(w, chain);
        }
    }

    static int tabOrderOf(const QWidget* w)
    {
        const QVariant order = w->property("TabOrder");
        return order.isValid() ? order.toInt() : std::numeric_limits<int>::max();
    }

    struct Created
    {
        QPointer<QObject> object;
        const QObject* layoutParent;
        const LayoutObject* node;
    };

    const QHash<QString, LayoutLoader::Factory>& m_factories;
    QObject* m_root;
    const QString& m_source;
    std::vector<Created> m_created;
    QHash<QString, QObject*> m_names; // lower-cased: component names ignore case
    std::vector<Deferred> m_references;
    std::vector<Deferred> m_handlers;
};

} // namespace

void LayoutLoader::registerClass(const QString& name, Factory factory) { m_factories.insert(name, std::move(factory)); }

void LayoutLoader::load(QObject* root, const QString& text, const QString& source) const
{
    const LayoutObject tree = parseLayout(text, source);
    Builder builder(m_factories, root, source);
    try {
        builder.build(tree);
    } catch (...) {
        builder.deleteCreated();
        throw;
    }
}

void LayoutLoader::loadFile(QObject* root, const QString& path) const
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw LayoutError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()).toStdString());
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(file.readAll());
    if (decode.hasError())
        throw LayoutError(QStringLiteral("%1 is not valid UTF-8").arg(name).toStdString());
    load(root, text, name);
}

QWidget* LayoutLoader::containerOf(QObject* parent)
{
    if (auto* window = qobject_cast<QMainWindow*>(parent); window && window->centralWidget())
        return window->centralWidget();
    if (auto* widget = qobject_cast<QWidget*>(parent))
        return widget;
    throw std::runtime_error(QStringLiteral("a control cannot be placed inside %1").arg(className(parent)).toStdString());
}
