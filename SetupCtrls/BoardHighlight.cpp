#include "BoardHighlight.h"

#include "toolkit/Component.h"

using namespace Setup;

namespace {

bool isLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isIdentStart(QChar c) { return isLetter(c) || c == u'_'; }
bool isIdentChar(QChar c) { return isIdentStart(c) || isDigit(c); }

// The title reduced to a component-name prefix: leading characters go until one can start
// an identifier, then every character that cannot continue one.
QString toIdentifier(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && !isIdentStart(text[start]))
        ++start;
    QString result;
    for (qsizetype i = start; i < text.size(); ++i)
        if (i == start || isIdentChar(text[i]))
            result += text[i];
    return result;
}

} // namespace

TBoardHighlight::TBoardHighlight(QWidget* parent) : QWidget(parent)
{
    resize(65, 65);
    // The stored type starts at htOptions, so this call installs the htSettings colours.
    setHighlightType(htSettings);
}

void TBoardHighlight::setHighlightType(THighlightType value)
{
    if (value == FHighlightType)
        return;
    FHighlightType = value;
    switch (value) {
    case htOptions: FRingColor = 0xFF0000; FIdleStrength = 0.25f; FLitStrength = 0.5f; FActiveStrength = 1.0f; break;
    case htSettings: FRingColor = 0x00FFFF; FIdleStrength = 0.5f; FLitStrength = 0.75f; FActiveStrength = 1.0f; break;
    case htCalibration: FRingColor = 0x0000FF; FIdleStrength = 0.5f; FLitStrength = 0.75f; FActiveStrength = 1.0f; break;
    }
    update();
}

void TBoardHighlight::setTitle(const QString& value)
{
    if (value == FTitle)
        return;
    FTitle = value;
    FPopupCaption = QString(value).remove(u'&');
    FMenuName = toIdentifier(value);
}

bool TBoardHighlight::parentIsBoard() const { return isExactly(parentWidget(), "TBoardImage"); }

bool TBoardHighlight::isLinkedWith(const TBoardHighlight* other) const
{
    return isExactly(other, "TBoardHighlight") && other->FTitle == FTitle && other->FHighlightType == FHighlightType;
}

QList<TBoardHighlight*> TBoardHighlight::linkedHighlights() const
{
    QList<TBoardHighlight*> linked;
    if (!parentIsBoard())
        return linked;
    for (QObject* child : parentWidget()->children())
        if (auto* h = qobject_cast<TBoardHighlight*>(child); h && isLinkedWith(h))
            linked.append(h);
    return linked;
}

void TBoardHighlight::CMMouseEnter(int wParam)
{
    if (FLit)
        return;
    FLit = true;
    update();
    if (wParam == 1)
        return;
    for (TBoardHighlight* h : linkedHighlights())
        h->CMMouseEnter(1);
}

void TBoardHighlight::CMMouseLeave(int wParam)
{
    if (!FLit || wParam == 1)
        return;
    for (TBoardHighlight* h : linkedHighlights())
        h->CMMouseLeave(1);
}

void TBoardHighlight::Click()
{
    FOnClick(this);
    HoldPopup();
}

void TBoardHighlight::HoldPopup()
{
    for (TBoardHighlight* h : linkedHighlights())
        h->HoldAndFocusPopup();
}

void TBoardHighlight::HoldAndFocusPopup() {}

void TBoardHighlight::SetPopupActive(bool Value, bool Propagate)
{
    FPopupActive = Value;
    raise();
    update();
    if (!Propagate || !parentIsBoard())
        return;
    QWidget* board = parentWidget();
    // Each linked sibling moves to the end of the live list when raised, so the walk stays
    // at the same index and looks at one child fewer.
    for (int i = 0, n = int(board->children().size()); i < n;) {
        auto* h = qobject_cast<TBoardHighlight*>(board->children().at(i));
        if (h && h != this && isLinkedWith(h)) {
            h->SetPopupActive(Value, false);
            --n;
        } else {
            ++i;
        }
    }
}

void TBoardHighlight::Unlight()
{
    FLit = false;
    update();
}
