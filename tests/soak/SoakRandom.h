#pragma once
// The soak's one source of chance: everything random follows from the seed, so a run can be
// replayed. Besides numbers it makes the texts a user might type as a base address.

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <random>

class SoakRandom
{
public:
    explicit SoakRandom(quint64 seed) : m_engine(seed) {}

    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }
    bool chance(int percent) { return number(1, 100) <= percent; }

    template <typename T>
    T* oneOf(const QList<T*>& list)
    {
        return list.isEmpty() ? nullptr : list.at(number(0, int(list.size()) - 1));
    }

    // A point of the widget's rectangle, in screen coordinates.
    QPoint somewhereIn(const QWidget* widget)
    {
        return widget->mapToGlobal(QPoint(number(0, widget->width() - 1), number(0, widget->height() - 1)));
    }

    // Valid addresses short and long, with leading zeros, too many digits, blanks, signs,
    // prefixes, letters beyond F, digits of other scripts, full-width letters, and an emoji.
    QString addressText()
    {
        switch (number(0, 5)) {
        case 0: return hexDigits(number(1, 3));
        case 1: return QString(number(0, 12), u'0') + hexDigits(number(1, 8));
        case 2: return hexDigits(number(9, 12));
        case 3: return oddPiece();
        case 4: {
            QString text;
            for (int i = number(10, 40); i > 0; --i)
                text += chance(80) ? hexDigits(1) : oddPiece();
            return text;
        }
        default: return hexDigits(number(1, 2)) + oddPiece() + hexDigits(1);
        }
    }

private:
    QString hexDigits(int count)
    {
        static const QString digits = QStringLiteral("0123456789abcdefABCDEF");
        QString text;
        for (int i = 0; i < count; ++i)
            text += digits[number(0, int(digits.size()) - 1)];
        return text;
    }

    QString oddPiece()
    {
        static const QStringList pieces = {
            QStringLiteral(" "),  QStringLiteral("-"), QStringLiteral("+"),  QStringLiteral("$"),
            QStringLiteral("0x"), QStringLiteral("G"), QStringLiteral("z"),  QStringLiteral("é"),
            QStringLiteral("ß"),  QStringLiteral("Ｆ"), QStringLiteral("١٢"), QStringLiteral("😀"),
            QStringLiteral("\t"), QStringLiteral("٣"), QStringLiteral("²"),  QStringLiteral("ｆ0")};
        return pieces[number(0, int(pieces.size()) - 1)];
    }

    std::mt19937_64 m_engine;
};
