#pragma once
// Builds a window's components from its layout text (format in LayoutParser.h).
//
// Order of work: each component is created inside its layout parent, named and given its
// properties in layout order; once all exist, references to other components are filled
// in; then events are bound to the root's handlers, so no handler runs while properties are
// applied; then each component's loaded() slot runs (the root's last); then the focus chain
// is built, each parent's children in TabOrder. Any fault throws LayoutError naming the line, and every component
// created so far is deleted again (the root itself keeps what was set on it, so a caller
// discards it).

#include "LayoutParser.h"

#include <QHash>
#include <QString>
#include <QWidget>
#include <functional>
#include <type_traits>

class LayoutLoader
{
public:
    // Creates a component inside its layout parent; the owner is the root of the layout.
    // A factory may throw std::exception to refuse the parent it was given.
    using Factory = std::function<QObject*(QObject* parent, QObject* owner)>;

    // Widgets are created inside their layout parent's widget; other components belong
    // to the owner.
    template <class T>
    void registerClass(const char* name)
    {
        if constexpr (std::is_base_of_v<QWidget, T>)
            registerClass(QString::fromLatin1(name), [](QObject* parent, QObject*) -> QObject* {
                return new T(containerOf(parent));
            });
        else
            registerClass(QString::fromLatin1(name), [](QObject*, QObject* owner) -> QObject* { return new T(owner); });
    }
    void registerClass(const QString& name, Factory factory);

    // The first object's class must be the root's class; the root's own properties come
    // from it. Throws LayoutError; `source` names the text in its messages.
    void load(QObject* root, const QString& text, const QString& source = QStringLiteral("layout")) const;
    // Reads a UTF-8 file (or resource) and loads it, naming it by its file name.
    void loadFile(QObject* root, const QString& path) const;

    // The widget that holds children placed inside `parent`: a main window's central widget
    // when it has one. Throws std::runtime_error when `parent` is no widget.
    static QWidget* containerOf(QObject* parent);

private:
    QHash<QString, Factory> m_factories;
};
