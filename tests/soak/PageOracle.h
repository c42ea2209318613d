#pragma once
// What the board page must show after any user action, worked out on its own from what the
// user did (the texts the base-address edit went through) and checked against the widgets:
// settings and jumpers in step, and rings, popups and menu check marks in agreement.

#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/PopupForm.h"
#include "SetupCtrls/RadioPanel.h"
#include "template/MainForm.h"
#include "toolkit/Colour.h"
#include "toolkit/Menu.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <optional>

class PageOracle
{
public:
    explicit PageOracle(TMainForm& form) : m_form(form)
    {
        m_edit = get<QLineEdit>("BaseEdit");
        m_feedback = get<QLabel>("BaseLabelFeedback");
        m_board = get<TBoardImage>("BoardImage1");
        // Every text the edit goes through counts, also the ones in the middle of a typed string.
        QObject::connect(m_edit, &QLineEdit::textChanged, m_edit, [this](const QString& text) { textSeen(text); });
        textSeen(m_edit->text());
    }

    // The address a text stands for: hex digits only, at most eight after the leading zeros.
    static std::optional<quint32> address(const QString& text)
    {
        if (text.isEmpty())
            return std::nullopt;
        for (QChar c : text)
            if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
                return std::nullopt;
        const QString digits = significant(text);
        if (digits.size() > 8)
            return std::nullopt;
        return quint32(digits.toULongLong(nullptr, 16));
    }

    // A popup entered from its ring closes once the pointer, having been over it, moves
    // outside its rectangle. (A ring of its group under the pointer may open it again, but
    // then it is no longer waiting for the pointer to leave.)
    // While a menu or drop-down list holds the pointer, the windows beneath hear nothing.
    void pointerLeaving(QWidget* from)
    {
        auto* popup = QApplication::activePopupWidget() ? nullptr : qobject_cast<TPopupForm*>(from);
        m_leaving = popup && popup->isVisible() && popup->closeOnLeave() ? popup : nullptr;
    }

    // Outside every window nothing hears the pointer.
    void pointerMoved(QPoint to, const QWidget* over)
    {
        if (m_leaving && over && m_leaving->isVisible() && m_leaving->closeOnLeave()
            && !m_leaving->frameGeometry().contains(to))
            m_moveFaults << QStringLiteral("the popup \"%1\" stayed open when the pointer left it for (%2, %3)")
                                .arg(m_leaving->windowTitle()).arg(to.x()).arg(to.y());
        m_leaving = nullptr;
    }

    // Empty when everything agrees; otherwise what disagrees, one line each. Faults seen
    // during pointer moves are reported once.
    QString check()
    {
        QStringList faults;
        faults.swap(m_moveFaults);
        checkBase(faults);
        checkIrq(faults);
        checkRange(faults);
        checkInversion(faults);
        checkX12(faults);
        checkRings(faults);
        return faults.join(u'\n');
    }

private:
    template <typename T>
    T* get(const char* name) const
    {
        T* found = m_form.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("the page has no %s", name);
        return found;
    }
    bool closed(const char* name) const { return get<TTwoJumper>(name)->closed(); }
    Setup::TJumperState state(const char* name) const { return get<TThreeJumper>(name)->jumperState(); }

    static QString significant(const QString& text)
    {
        qsizetype zeros = 0;
        while (zeros + 1 < text.size() && text[zeros] == u'0')
            ++zeros;
        return text.mid(zeros).toUpper();
    }

    void textSeen(const QString& text)
    {
        m_lastTextValid = false;
        const auto value = address(text);
        if (!value)
            return;
        m_lastTextValid = true;
        m_jumperAddress = *value & 0x3E0;
        const QString expressible = QString::number(m_jumperAddress, 16).toUpper();
        m_expectedFeedback = significant(text) == expressible ? QString() : expressible;
    }

    void checkBase(QStringList& faults) const
    {
        for (int bit = 5; bit <= 9; ++bit) {
            const QByteArray name = "BaseJumper" + QByteArray::number(bit);
            if (closed(name.constData()) != !(m_jumperAddress & (1u << bit)))
                faults << QStringLiteral("%1 does not show the address %2 (edit \"%3\")")
                              .arg(QString::fromLatin1(name), QString::number(m_jumperAddress, 16), m_edit->text());
        }
        if (m_feedback->text() != m_expectedFeedback)
            faults << QStringLiteral("feedback \"%1\", expected \"%2\" (edit \"%3\")")
                          .arg(m_feedback->text(), m_expectedFeedback, m_edit->text());
        const auto* panel = qobject_cast<const TRadioPanel*>(m_edit->parentWidget());
        const QColor wanted = QColor::fromRgb(toQRgb(m_lastTextValid ? clWindow : (panel ? panel->color() : clBtnFace)));
        if (m_edit->palette().color(QPalette::Base) != wanted)
            faults << QStringLiteral("the edit's colour says %1 for \"%2\"")
                          .arg(m_lastTextValid ? "invalid" : "valid", m_edit->text());
    }

    void checkIrq(QStringList& faults) const
    {
        static const char* const jumpers[] = {"IRQJumper3",  "IRQJumper4",  "IRQJumper5",  "IRQJumper6",
                                              "IRQJumper7",  "IRQJumper9",  "IRQJumper10", "IRQJumper11",
                                              "IRQJumper12", "IRQJumper14", "IRQJumper15"};
        const int entry = get<QComboBox>("IRQCombo")->currentIndex();
        // Before the first pick or panel entry the list shows nothing and IRQ 5 is closed.
        const int wantedClosed = entry < 0 ? 2 : entry - 1;
        QString states;
        for (int i = 0; i < 11; ++i)
            states += closed(jumpers[i]) ? u'1' : u'0';
        QString wanted(11, u'0');
        if (wantedClosed >= 0)
            wanted[wantedClosed] = u'1';
        if (states != wanted)
            faults << QStringLiteral("IRQ jumpers %1 for list entry %2").arg(states).arg(entry);
    }

    void checkRange(QStringList& faults) const
    {
        const int entry = get<QComboBox>("RangeCombo")->currentIndex();
        const int k = entry < 0 ? 0 : entry;
        const bool ac5 = closed("RangeJumperAC5"), acu = closed("RangeJumperACU"), acb = closed("RangeJumperACB");
        const bool bd5 = closed("RangeJumperBD5"), bdu = closed("RangeJumperBDU"), bdb = closed("RangeJumperBDB");
        if (ac5 != bd5 || acu != bdu || acb != bdb)
            faults << QStringLiteral("the DAC groups differ: A/C %1%2%3, B/D %4%5%6")
                          .arg(ac5).arg(acu).arg(acb).arg(bd5).arg(bdu).arg(bdb);
        if (acu == acb)
            faults << QStringLiteral("UNIPOLAR and BIPOLAR both %1").arg(acu ? "closed" : "open");
        if (ac5 != !(k & 2) || acb != !(k & 1))
            faults << QStringLiteral("range jumpers 5V %1, BIPOLAR %2 for list entry %3").arg(ac5).arg(acb).arg(entry);
    }

    void checkInversion(QStringList& faults) const
    {
        for (int bit : {1, 2, 5, 6}) {
            const QByteArray check = "InvertCheck" + QByteArray::number(bit);
            const QByteArray jumper = "InvertJumper" + QByteArray::number(bit);
            if (get<QCheckBox>(check.constData())->isChecked() != (state(jumper.constData()) == Setup::jsRight))
                faults << QStringLiteral("inversion bit %1: box and jumper differ").arg(bit);
        }
    }

    void checkX12(QStringList& faults) const
    {
        const Setup::TJumperState top = state("X12JumperTop"), bottom = state("X12JumperBot");
        const int entry = get<QComboBox>("X12Combo")->currentIndex();
        const Setup::TJumperState wanted = entry == 1 ? Setup::jsRight : Setup::jsLeft;
        if (top != wanted || bottom != wanted)
            faults << QStringLiteral("±12 V jumpers %1 and %2 for list entry %3").arg(top).arg(bottom).arg(entry);
    }

    // Rings of one group are lit exactly while the group's popup is visible, and look active
    // exactly while it is the active window; its menu item is checked exactly while that
    // popup is held and visible; a popup that is not held has the pointer on one of its
    // rings; a group never has two popups.
    void checkRings(QStringList& faults) const
    {
        const auto rings = m_board->findChildren<TBoardHighlight*>(Qt::FindDirectChildrenOnly);
        QList<TPopupForm*> popups;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* popup = qobject_cast<TPopupForm*>(w))
                popups.append(popup);
        for (const TBoardHighlight* ring : rings) {
            const QList<TBoardHighlight*> group = ring->linkedHighlights();
            int windows = 0;
            bool visible = false, held = false, active = false, pointed = false;
            for (const TBoardHighlight* linked : group)
                pointed = pointed || linked->underMouse();
            for (const TPopupForm* popup : popups) {
                if (!group.contains(popup->highlight()))
                    continue;
                ++windows;
                visible = visible || popup->isVisible();
                held = held || (popup->isVisible() && popup->highlight()->popupHeld());
                active = active || popup->isActiveWindow();
            }
            const QString name = ring->objectName();
            if (windows > 1)
                faults << QStringLiteral("%1: %2 popups for one group").arg(name).arg(windows);
            if (ring->lit() != visible)
                faults << QStringLiteral("%1 is %2 while its popup is %3")
                              .arg(name, ring->lit() ? "lit" : "dark", visible ? "visible" : "not visible");
            if (ring->popupActive() != active)
                faults << QStringLiteral("%1 looks %2 while its popup is %3")
                              .arg(name, ring->popupActive() ? "active" : "inactive", active ? "active" : "not active");
            if (visible && !held && !pointed)
                faults << QStringLiteral("%1: its popup is open, not held, and the pointer is on none of its rings").arg(name);
            if (const TMenuItem* item = menuItemOf(ring); !item)
                faults << QStringLiteral("%1 has no menu item").arg(name);
            else if (item->checkMark() != held)
                faults << QStringLiteral("%1: menu item %2 while the popup is %3")
                              .arg(name, item->checkMark() ? "checked" : "unchecked", held ? "held" : "not held");
        }
    }

    const TMenuItem* menuItemOf(const TBoardHighlight* ring) const
    {
        const QString caption = ring->HighlightType() == Setup::htOptions ? QStringLiteral("&Options")
                                                                          : QStringLiteral("&Settings");
        const TMainMenu* menu = m_form.menu();
        for (int i = 0; i < menu->count(); ++i)
            if (menu->item(i)->caption() == caption)
                for (int j = 0; j < menu->item(i)->count(); ++j)
                    if (menu->item(i)->item(j)->caption() == ring->Title())
                        return menu->item(i)->item(j);
        return nullptr;
    }

    TMainForm& m_form;
    QLineEdit* m_edit = nullptr;
    QLabel* m_feedback = nullptr;
    TBoardImage* m_board = nullptr;
    bool m_lastTextValid = true;
    quint32 m_jumperAddress = 0;
    QString m_expectedFeedback;
    QPointer<TPopupForm> m_leaving;
    QStringList m_moveFaults;
};
