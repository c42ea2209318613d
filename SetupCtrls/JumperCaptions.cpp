#include "JumperCaptions.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// The most space between two captions stacked in one column.
constexpr int kStackGap = 4;

bool hasWords(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

QStringList wordsOf(const QString& text) { return text.split(u' ', Qt::SkipEmptyParts); }

// The distance between the spans [a, a + aLength) and [b, b + bLength); 0 where they overlap.
int gapBetween(int a, int aLength, int b, int bLength)
{
    return std::max({0, b - (a + aLength), a - (b + bLength)});
}

qsizetype pairedByName(const QString& jumper, const QList<TPanelItem>& captions)
{
    static const QString kJumper = QStringLiteral("Jumper");
    const qsizetype at = jumper.lastIndexOf(kJumper);
    if (at < 0)
        return -1;
    const QString stem = jumper.left(at), key = jumper.mid(at + kJumper.size());
    for (qsizetype i = 0; i < captions.size(); ++i)
        if (captions[i].name == stem + QLatin1StringView("Label") + key || captions[i].name == stem + QLatin1StringView("Check") + key)
            return i;
    return -1;
}

// A caption diagonally off the jumper is not beside it; of the others the nearest wins, the
// first in child order on a tie.
qsizetype nearestBeside(const QRect& jumper, const QList<TPanelItem>& captions)
{
    qsizetype best = -1;
    int bestGap = INT_MAX;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        const QRect& r = captions[i].bounds;
        const int dx = gapBetween(jumper.x(), jumper.width(), r.x(), r.width());
        const int dy = gapBetween(jumper.y(), jumper.height(), r.y(), r.height());
        if (dx > 0 && dy > 0)
            continue;
        if (std::max(dx, dy) < bestGap) {
            best = i;
            bestGap = std::max(dx, dy);
        }
    }
    return best;
}

// The captions stacked in one column with captions[index]: the same left edge, each one
// starting at most kStackGap below the end of the one above.
QList<qsizetype> columnOf(qsizetype index, const QList<TPanelItem>& captions)
{
    QList<qsizetype> column;
    for (qsizetype i = 0; i < captions.size(); ++i)
        if (captions[i].bounds.x() == captions[index].bounds.x())
            column.append(i);
    std::sort(column.begin(), column.end(),
              [&](qsizetype a, qsizetype b) { return captions[a].bounds.y() < captions[b].bounds.y(); });
    QList<qsizetype> run;
    for (qsizetype i : column) {
        const bool apart = !run.isEmpty()
                           && captions[i].bounds.y() - (captions[run.last()].bounds.bottom() + 1) > kStackGap;
        if (apart && run.contains(index))
            break;
        if (apart)
            run.clear();
        run.append(i);
    }
    return run;
}

QString readInColumn(qsizetype index, const QList<TPanelItem>& captions)
{
    const QString& text = captions[index].text;
    if (wordsOf(text).size() != 1)
        return text;
    QString group;
    int headings = 0;
    for (qsizetype i : columnOf(index, captions)) {
        QStringList words = wordsOf(captions[i].text);
        if (words.size() < 2)
            continue;
        ++headings;
        words.removeLast();
        group = words.join(u' ');
    }
    return headings == 1 ? group + u' ' + text : text;
}

// Appends to the names of the jumpers in `sharing` where each one sits among them.
void tellApart(QStringList& names, QList<qsizetype> sharing, const QList<TPanelItem>& jumpers)
{
    const auto centre = [&](qsizetype i) { return jumpers[i].bounds.center(); };
    if (sharing.size() == 2) {
        const QPoint a = centre(sharing[0]), b = centre(sharing[1]);
        const bool stacked = std::abs(b.y() - a.y()) >= std::abs(b.x() - a.x());
        const bool inOrder = stacked ? a.y() <= b.y() : a.x() <= b.x();
        names[sharing[inOrder ? 0 : 1]] += QLatin1StringView(stacked ? " top" : " left");
        names[sharing[inOrder ? 1 : 0]] += QLatin1StringView(stacked ? " bottom" : " right");
        return;
    }
    std::sort(sharing.begin(), sharing.end(), [&](qsizetype a, qsizetype b) {
        const QPoint p = jumpers[a].bounds.topLeft(), q = jumpers[b].bounds.topLeft();
        return p.y() != q.y() ? p.y() < q.y() : p.x() < q.x();
    });
    for (qsizetype k = 0; k < sharing.size(); ++k)
        names[sharing[k]] += u' ' + QString::number(k + 1);
}

} // namespace

QStringList jumperCaptions(const QList<TPanelItem>& jumpers, const QList<TPanelItem>& allCaptions)
{
    QList<TPanelItem> captions;
    std::copy_if(allCaptions.begin(), allCaptions.end(), std::back_inserter(captions),
                 [](const TPanelItem& c) { return hasWords(c.text); });

    QList<qsizetype> chosen;
    QStringList names;
    for (const TPanelItem& jumper : jumpers) {
        qsizetype c = pairedByName(jumper.name, captions);
        if (c < 0)
            c = nearestBeside(jumper.bounds, captions);
        chosen.append(c);
        names.append(c < 0 ? QString() : readInColumn(c, captions));
    }
    for (qsizetype c = 0; c < captions.size(); ++c) {
        QList<qsizetype> sharing;
        for (qsizetype i = 0; i < chosen.size(); ++i)
            if (chosen[i] == c)
                sharing.append(i);
        if (sharing.size() > 1)
            tellApart(names, sharing, jumpers);
    }
    return names;
}

QString jumperName(const QString& field, const QString& caption)
{
    if (caption.isEmpty())
        return field;
    if (field.isEmpty() || caption.startsWith(field))
        return caption;
    return field + u' ' + caption;
}
