#include "StandardControls.h"

#include "Application.h"
#include "LayoutLoader.h"
#include "Menu.h"

#include <QEvent>
#include <stdexcept>

void registerStandardControls(LayoutLoader& loader)
{
    loader.registerClass<TLabel>("TLabel");
    loader.registerClass<TEdit>("TEdit");
    loader.registerClass<TComboBox>("TComboBox");
    loader.registerClass<TCheckBox>("TCheckBox");
    loader.registerClass<TMainMenu>("TMainMenu");
    loader.registerClass(QStringLiteral("TMenuItem"), [](QObject* parent, QObject* owner) -> QObject* {
        auto* bar = qobject_cast<TMainMenu*>(parent);
        auto* menu = qobject_cast<TMenuItem*>(parent);
        if (!bar && !menu)
            throw std::runtime_error("a menu item must sit inside a TMainMenu or a TMenuItem");
        auto* item = new TMenuItem(owner);
        if (bar)
            bar->add(item);
        else
            menu->add(item);
        return item;
    });
}

// ---- TLabel

TLabel::TLabel(QWidget* parent) : QLabel(parent)
{
    // Captions are shown as written, never as rich text.
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    align();
}

void TLabel::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    fit();
}

void TLabel::setTextAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    align();
}

void TLabel::setTextLayout(TTextLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    align();
}

void TLabel::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    fit();
}

void TLabel::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    // The background comes from the palette, which a label inherits from its parent.
    setAutoFillBackground(!transparent);
    update();
}

void TLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fit();
}

void TLabel::fit()
{
    if (m_autoSize)
        resize(sizeHint());
}

void TLabel::align()
{
    static constexpr Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    static constexpr Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    setAlignment(horizontal[m_alignment] | vertical[m_layout]);
}

// ---- TEdit

TEdit::TEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { runGuarded([this] { m_onChange(this); }); });
}

void TEdit::setColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::Base, toQRgb(color));
    setPalette(p);
}

// ---- TComboBox

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    connect(this, &QComboBox::activated, this, [this] { runGuarded([this] { m_onChange(this); }); });
}

void TComboBox::setComboStyle(TComboBoxStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    setEditable(style == csDropDown);
}

QStringList TComboBox::items() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << itemText(i);
    return out;
}

void TComboBox::setItems(const QStringList& entries)
{
    if (entries == items())
        return;
    clear();
    addItems(entries);
    // Adding to an empty list selects its first entry; a new list starts without a selection.
    setCurrentIndex(-1);
}

// ---- TCheckBox

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent)
{
    connect(this, &QAbstractButton::toggled, this, [this] { runGuarded([this] { m_onClick(this); }); });
}
