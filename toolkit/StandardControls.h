#pragma once
// The standard controls a layout names (TLabel, TEdit, TComboBox, TCheckBox) as thin Qt
// widgets with the layout's property names, and the registration of them and of the menu
// classes with a loader. Events run inside runGuarded.

#include "Colour.h"
#include "Event.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

class LayoutLoader;

// Registers TLabel, TEdit, TComboBox, TCheckBox, TMainMenu and TMenuItem. A TMenuItem
// must sit inside a TMainMenu or another TMenuItem, which it is appended to.
void registerStandardControls(LayoutLoader& loader);

class TLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TAlignment Alignment READ textAlignment WRITE setTextAlignment)
    Q_PROPERTY(TTextLayout Layout READ textLayout WRITE setTextLayout)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TTextLayout { tlTop, tlCenter, tlBottom };
    Q_ENUM(TTextLayout)

    explicit TLabel(QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption);
    TAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(TAlignment alignment);
    TTextLayout textLayout() const { return m_layout; }
    void setTextLayout(TTextLayout layout);
    // An auto-sized label fits itself to its caption.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    // An opaque label fills its background with its parent's colour.
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

protected:
    void changeEvent(QEvent* event) override;

private:
    void fit();
    void align();

    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_autoSize = true;
    bool m_transparent = false;
};

class TEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TNotifyEvent OnChange READ onChange WRITE setOnChange)

public:
    explicit TEdit(QWidget* parent = nullptr);

    // The background behind the text.
    TColor color() const { return m_color; }
    void setColor(TColor color);

    // Runs on every change of the text, whether typed or set.
    const TNotifyEvent& onChange() const { return m_onChange; }
    void setOnChange(const TNotifyEvent& handler) { m_onChange = handler; }

private:
    TColor m_color = clWindow;
    TNotifyEvent m_onChange;
};

class TComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(TComboBoxStyle Style READ comboStyle WRITE setComboStyle)
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(int ItemHeight READ itemHeight WRITE setItemHeight)
    Q_PROPERTY(TNotifyEvent OnChange READ onChange WRITE setOnChange)

public:
    // csDropDown lets the user type; csDropDownList only lets the user pick an entry.
    enum TComboBoxStyle { csDropDown, csDropDownList };
    Q_ENUM(TComboBoxStyle)

    explicit TComboBox(QWidget* parent = nullptr);

    TComboBoxStyle comboStyle() const { return m_style; }
    void setComboStyle(TComboBoxStyle style);
    QStringList items() const;
    // Replaces the entries; no entry is selected afterwards.
    void setItems(const QStringList& items);
    // The design height of an entry; entries take the height of the list's font.
    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height) { m_itemHeight = height; }

    // Runs when the user picks an entry; selecting one in code does not run it.
    const TNotifyEvent& onChange() const { return m_onChange; }
    void setOnChange(const TNotifyEvent& handler) { m_onChange = handler; }

private:
    TComboBoxStyle m_style = csDropDown;
    int m_itemHeight = 16;
    TNotifyEvent m_onChange;
};

class TCheckBox : public QCheckBox
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
    Q_PROPERTY(TNotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    explicit TCheckBox(QWidget* parent = nullptr);

    // Runs whenever the tick changes, whether clicked or set.
    const TNotifyEvent& onClick() const { return m_onClick; }
    void setOnClick(const TNotifyEvent& handler) { m_onClick = handler; }

private:
    TNotifyEvent m_onClick;
};
