// The layout loader against small fixture classes: values and their order, late references and
// handlers, the standard controls, tab order, and every kind of broken layout.

#include "toolkit/Colour.h"
#include "toolkit/Component.h"
#include "toolkit/LayoutLoader.h"
#include "toolkit/Menu.h"
#include "toolkit/MessageBox.h"
#include "toolkit/StandardControls.h"
#include "toolkit/Types.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <stdexcept>

// A root with handlers. Its loaded() runs OnCreate, as a main window does.
class FixtureForm : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TNotifyEvent OnCreate READ onCreate WRITE setOnCreate)
public:
    QStringList calls; // "Handler:Sender" in call order

    const TNotifyEvent& onCreate() const { return m_onCreate; }
    void setOnCreate(const TNotifyEvent& handler) { m_onCreate = handler; }

public slots:
    void loaded() { m_onCreate(this); }
    void FormCreate(QObject* sender) { record("FormCreate", sender); }
    void EditChange(QObject* sender) { record("EditChange", sender); }
    void ComboChange(QObject* sender) { record("ComboChange", sender); }
    void CheckClick(QObject* sender) { record("CheckClick", sender); }
    void GadgetPoke(QObject* sender) { record("GadgetPoke", sender); }
    void Explode(QObject*) { throw std::runtime_error("handler exploded"); }

private:
    void record(const char* handler, QObject* sender) { calls << QStringLiteral("%1:%2").arg(handler, sender->objectName()); }
    TNotifyEvent m_onCreate;
};

// A widget with one property of each kind the loader converts; it logs the order of setters.
class FixtureGadget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Count MEMBER count WRITE setCount)
    Q_PROPERTY(bool Flag MEMBER flag WRITE setFlag)
    Q_PROPERTY(QString Title MEMBER title WRITE setTitle)
    Q_PROPERTY(QStringList Lines MEMBER lines WRITE setLines)
    Q_PROPERTY(Setup::TJumperState State MEMBER state WRITE setState)
    Q_PROPERTY(Setup::TAnchors Sides MEMBER sides WRITE setSides)
    Q_PROPERTY(TColor Shade MEMBER shade WRITE setShade)
    Q_PROPERTY(quint8 Small MEMBER small WRITE setSmall)
    Q_PROPERTY(FixtureGadget* Partner MEMBER partner WRITE setPartner)
    Q_PROPERTY(TNotifyEvent OnPoke MEMBER onPoke WRITE setOnPoke)
    Q_PROPERTY(QString Picture MEMBER picture WRITE setPicture)
    Q_PROPERTY(int Fixed READ fixed)

public:
    using QWidget::QWidget;

    int count = 0;
    bool flag = false;
    QString title;
    QStringList lines;
    Setup::TJumperState state = Setup::jsOpen;
    Setup::TAnchors sides = Setup::akLeft | Setup::akTop;
    TColor shade = clBtnFace;
    quint8 small = 0;
    FixtureGadget* partner = nullptr;
    TNotifyEvent onPoke;
    QString picture;

    QStringList log;               // property names in the order they were set
    bool partnerWhenLoaded = false; // what loaded() found
    bool pokeWhenLoaded = false;

    void setCount(int v) { count = v; log << "Count"; }
    void setFlag(bool v) { flag = v; log << "Flag"; }
    void setTitle(const QString& v) { title = v; log << "Title"; }
    void setLines(const QStringList& v) { lines = v; log << "Lines"; }
    void setState(Setup::TJumperState v) { state = v; log << "State"; }
    void setSides(Setup::TAnchors v) { sides = v; log << "Sides"; }
    void setShade(TColor v) { shade = v; log << "Shade"; }
    void setSmall(quint8 v) { small = v; log << "Small"; }
    void setPartner(FixtureGadget* v) { partner = v; log << "Partner"; }
    void setOnPoke(const TNotifyEvent& v) { onPoke = v; log << "OnPoke"; }
    void setPicture(const QString& v)
    {
        if (v == u"corrupt")
            throw std::runtime_error("corrupt picture data");
        picture = v;
    }
    int fixed() const { return 1; }

public slots:
    void loaded()
    {
        partnerWhenLoaded = partner != nullptr;
        pokeWhenLoaded = onPoke.assigned();
        if (title == u"refuse")
            throw std::runtime_error("refused to load");
    }
};

// A component without a place on the screen; it belongs to the root.
class FixtureThing : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Size MEMBER size)
public:
    using QObject::QObject;
    int size = 0;
};

// A main window root: controls go into its central widget.
class FixtureWindow : public QMainWindow
{
    Q_OBJECT
public:
    FixtureWindow() { setCentralWidget(new QWidget(this)); }
};

namespace {

LayoutLoader fixtureLoader()
{
    LayoutLoader loader;
    registerStandardControls(loader);
    loader.registerClass<FixtureGadget>("FixtureGadget");
    loader.registerClass<FixtureThing>("FixtureThing");
    return loader;
}

template <class T>
T* child(QObject* root, const char* name)
{
    T* found = root->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no component %s", name);
    return found;
}

// The widget that Tab moves to from w: the focus chain is a ring, and Tab skips the
// widgets that take no focus.
QWidget* nextFocusable(QWidget* w)
{
    QWidget* next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

// Written without a raw string: the escapes inside would confuse the meta-object compiler.
const char* const valuesLayout =
    "# every kind of value\n"
    "object Form: FixtureForm\n"
    "  Tag = 7\n"
    "  OnCreate = FormCreate\n"
    "  object Gadget: FixtureGadget\n"
    "    Left = 10\n"
    "    Top = 20\n"
    "    Width = 30\n"
    "    Height = 40\n"
    "    Small = 255\n"
    "    Count = -12\n"
    "    Flag = True\n"
    "    Title = \"say \\\"±\\\" \\\\ here\"   # escapes; a comment after a value\n"
    "    Lines = (\n"
    "      \"first\"\n"
    "      \"\"\n"
    "      \"third\" \"fourth\"\n"
    "    )\n"
    "    State = jsRight\n"
    "    Sides = [akLeft, akBottom]\n"
    "    Shade = 0x00FF8000\n"
    "    Tag = 0x10\n"
    "    Visible = False\n"
    "    Enabled = False\n"
    "    Color = clWhite\n"
    "    Font.Name = \"Sans\"\n"
    "    Font.Height = -11\n"
    "    Font.Color = 0x0000FF\n"
    "    Font.Style = [fsBold, fsItalic]\n"
    "    Font.Charset = DEFAULT_CHARSET\n"
    "    Constraints.MaxWidth = 400\n"
    "    Constraints.MaxHeight = 0\n"
    "  end\n"
    "  object Named: FixtureGadget\n"
    "    Shade = clWindowText\n"
    "    Sides = []\n"
    "    Lines = ()\n"
    "  end\n"
    "  object Thing: FixtureThing\n"
    "    Size = 3\n"
    "    Tag = 2\n"
    "  end\n"
    "end\n"
    "\n";

} // namespace

class tst_LayoutLoader : public QObject
{
    Q_OBJECT

private slots:
    void valuesOfEveryKindAreAppliedInLayoutOrder()
    {
        FixtureForm form;
        fixtureLoader().load(&form, QString::fromUtf8(valuesLayout), "t.layout");

        QCOMPARE(form.objectName(), QStringLiteral("Form"));
        QCOMPARE(tagOf(&form), 7);
        auto* g = child<FixtureGadget>(&form, "Gadget");
        QCOMPARE(g->log, QStringList({"Small", "Count", "Flag", "Title", "Lines", "State", "Sides", "Shade"}));
        QCOMPARE(g->geometry(), QRect(10, 20, 30, 40));
        QCOMPARE(g->small, quint8(255));
        QCOMPARE(g->count, -12);
        QVERIFY(g->flag);
        QCOMPARE(g->title, QStringLiteral("say \"±\" \\ here"));
        QCOMPARE(g->lines, QStringList({"first", "", "third", "fourth"}));
        QCOMPARE(g->state, Setup::jsRight);
        QCOMPARE(g->sides, Setup::akLeft | Setup::akBottom);
        QCOMPARE(g->shade, TColor(0x00FF8000));
        QCOMPARE(tagOf(g), 16);
        QVERIFY(g->isHidden());
        QVERIFY(!g->isEnabled());
        QVERIFY(g->autoFillBackground());
        QCOMPARE(g->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(g->font().family(), QStringLiteral("Sans"));
        QCOMPARE(g->font().pixelSize(), 11);
        QVERIFY(g->font().bold() && g->font().italic() && !g->font().underline());
        QCOMPARE(g->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(g->maximumWidth(), 400);
        QCOMPARE(g->maximumHeight(), QWIDGETSIZE_MAX);

        auto* named = child<FixtureGadget>(&form, "Named");
        QCOMPARE(named->shade, clWindowText);
        QCOMPARE(named->sides, Setup::TAnchors());
        QVERIFY(named->lines.isEmpty());
        QCOMPARE(named->log, QStringList({"Shade", "Sides", "Lines"}));

        auto* thing = child<FixtureThing>(&form, "Thing");
        QCOMPARE(thing->parent(), &form);
        QCOMPARE(thing->size, 3);
        QCOMPARE(tagOf(thing), 2);
    }

    void componentsAreCreatedInLayoutOrderInsideTheirParents()
    {
        FixtureForm form;
        fixtureLoader().load(&form, R"(
object Form: FixtureForm
  object A: FixtureGadget
    object A1: TLabel
    end
    object A2: FixtureGadget
      object A21: TEdit
      end
    end
  end
  object B: TCheckBox
  end
  object C: FixtureThing
  end
end)");
        auto names = [](QObject* parent) {
            QStringList out;
            for (QObject* c : parent->children())
                out << c->objectName();
            return out;
        };
        QCOMPARE(names(&form), QStringList({"A", "B", "C"}));
        QCOMPARE(names(child<QObject>(&form, "A")), QStringList({"A1", "A2"}));
        QCOMPARE(child<QWidget>(&form, "A21")->parentWidget(), child<QWidget>(&form, "A2"));
    }

    void aMainWindowHoldsItsControlsInItsCentralWidget()
    {
        FixtureWindow window;
        fixtureLoader().load(&window, R"(
object Main: FixtureWindow
  object Label: TLabel
  end
  object Thing: FixtureThing
  end
end)");
        QCOMPARE(child<QWidget>(&window, "Label")->parentWidget(), window.centralWidget());
        QCOMPARE(child<QObject>(&window, "Thing")->parent(), &window);
    }

    void handlersAreBoundOnlyAfterEveryPropertyIsSet()
    {
        FixtureForm form;
        fixtureLoader().load(&form, R"(
object Form: FixtureForm
  OnCreate = FormCreate
  object Edit: TEdit
    OnChange = EditChange
    Text = "300"
  end
  object Check: TCheckBox
    OnClick = CheckClick
    Checked = True
  end
  object Gadget: FixtureGadget
    OnPoke = GadgetPoke
  end
end)");
        // Setting the text and the tick during the load ran nothing; the root's own handler
        // ran once, from its loaded(), after every component's loaded().
        QCOMPARE(form.calls, QStringList({"FormCreate:Form"}));
        auto* gadget = child<FixtureGadget>(&form, "Gadget");
        QVERIFY(gadget->pokeWhenLoaded);
        QCOMPARE(gadget->log, QStringList({"OnPoke"}));

        gadget->onPoke(gadget);
        auto* edit = child<TEdit>(&form, "Edit");
        QCOMPARE(edit->text(), QStringLiteral("300"));
        edit->setText(QStringLiteral("301"));
        edit->setText(QStringLiteral("301")); // the same text is no change
        QCOMPARE(form.calls, QStringList({"FormCreate:Form", "GadgetPoke:Gadget", "EditChange:Edit"}));
    }

    void referencesAreResolvedOnceEveryComponentExists()
    {
        FixtureForm form;
        fixtureLoader().load(&form, R"(
object Form: FixtureForm
  object Early: FixtureGadget
    Partner = late        # later in the layout, and names ignore case
    Count = 1
  end
  object Late: FixtureGadget
    Partner = Early
  end
end)");
        auto* early = child<FixtureGadget>(&form, "Early");
        auto* late = child<FixtureGadget>(&form, "Late");
        QCOMPARE(early->partner, late);
        QCOMPARE(late->partner, early);
        QCOMPARE(early->log, QStringList({"Count", "Partner"}));
        QVERIFY(early->partnerWhenLoaded);
    }

    void aHandlerThatThrowsIsShownAndDoesNotEscape()
    {
        QStringList shown;
        MessageBox::setHandler([&](const QString& text, const QString&, unsigned) {
            shown << text;
            return int(MessageBox::IDOK);
        });
        FixtureForm form;
        fixtureLoader().load(&form, R"(
object Form: FixtureForm
  object Check: TCheckBox
    OnClick = Explode
  end
end)");
        child<TCheckBox>(&form, "Check")->setChecked(true);
        MessageBox::setHandler({});
        QCOMPARE(shown, QStringList({"handler exploded"}));
    }

    void labelsMapCaptionAlignmentAndBackground()
    {
        FixtureForm form;
        fixtureLoader().load(&form, R"(
object Form: FixtureForm
  object Plain: TLabel
    Caption = "A much longer caption"
  end
  object Fixed: TLabel
    Width = 49
    Height = 17
    Alignment = taRightJustify
    AutoSize = False
    Caption = "JP13 <b>x</b>"
    Layout = tlCenter
  end
  object Centred: TLabel
    Alignment = taCenter
    Layout = tlBottom
    Transparent = True
  end
end)");
        auto* plain = child<TLabel>(&form, "Plain");
        QCOMPARE(plain->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QVERIFY(plain->autoFillBackground());
        QCOMPARE(plain->size(), plain->sizeHint()); // fitted to its caption

        auto* fixed = child<TLabel>(&form, "Fixed");
        QCOMPARE(fixed->text(), QStringLiteral("JP13 <b>x</b>"));
        QCOMPARE(fixed->textFormat(), Qt::PlainText);
        QCOMPARE(fixed->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(fixed->size(), QSize(49, 17));

        auto* centred = child<TLabel>(&form, "Centred");
        QCOMPARE(centred->alignment(), Qt::AlignHCenter | Qt::AlignBottom);
        QVERIFY(!centred->autoFillBackground());
    }

    void aPickOnlyListStartsEmptyAndReportsOnlyTheUsersPick()
    {
        FixtureForm form;
        fixtureLoader().load(&form, R"(
object Form: FixtureForm
  object Combo: TComboBox
    Style = csDropDownList
    ItemHeight = 13
    Items = ("IRQs Disabled" "IRQ 3" "IRQ 4")
    OnChange = ComboChange
  end
end)");
        auto* combo = child<TComboBox>(&form, "Combo");
        QVERIFY(!combo->isEditable());
        QCOMPARE(combo->items(), QStringList({"IRQs Disabled", "IRQ 3", "IRQ 4"}));
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(combo->itemHeight(), 13);

        combo->setCurrentIndex(1);
        QVERIFY(form.calls.isEmpty());

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(form.calls, QStringList({"ComboChange:Combo"}));
    }

    void aCheckBoxReportsEveryChangeOfItsTick()
    {
        FixtureForm form;
        fixtureLoader().load(&form, R"(
object Form: FixtureForm
  object Check: TCheckBox
    Caption = "Bit 1"
    OnClick = CheckClick
  end
end)");
        auto* check = child<TCheckBox>(&form, "Check");
        QCOMPARE(check->text(), QStringLiteral("Bit 1"));
        QVERIFY(!check->isChecked());
        check->setChecked(true);
        check->setChecked(true); // no change, no report
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
        QVERIFY(!check->isChecked());
        QCOMPARE(form.calls, QStringList({"CheckClick:Check", "CheckClick:Check"}));
    }

    void menuItemsJoinTheMenuOrItemTheySitIn()
    {
        FixtureForm form;
        fixtureLoader().load(&form, R"(
object Form: FixtureForm
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = "&File"
      object Exit2: TMenuItem
        Caption = "&Exit"
        OnClick = GadgetPoke
      end
    end
    object Help1: TMenuItem
      Caption = "&Help"
    end
  end
end)");
        auto* menu = child<TMainMenu>(&form, "MainMenu1");
        QCOMPARE(menu->count(), 2);
        QCOMPARE(menu->item(0)->caption(), QStringLiteral("&File"));
        QCOMPARE(menu->item(1)->objectName(), QStringLiteral("Help1"));
        QCOMPARE(menu->item(0)->count(), 1);
        TMenuItem* exit = menu->item(0)->item(0);
        QCOMPARE(exit->objectName(), QStringLiteral("Exit2"));
        exit->click();
        QCOMPARE(form.calls, QStringList({"GadgetPoke:Exit2"}));
    }

    void tabOrderPlacesControlsInTheirParentsFocusChain()
    {
        FixtureForm form;
        fixtureLoader().load(&form, R"(
object Form: FixtureForm
  object Second: FixtureGadget
    TabOrder = 1
    object Edit2: TEdit
    end
  end
  object First: FixtureGadget
    TabOrder = 0
    object C: TCheckBox
      TabOrder = 2
    end
    object A: TCheckBox
      TabOrder = 0
    end
    object B: TCheckBox
      TabOrder = 1
    end
  end
end)");
        QList<QWidget*> among;
        for (const char* name : {"A", "B", "C", "Edit2"})
            among << child<QWidget>(&form, name);
        for (qsizetype i = 0; i < among.size(); ++i)
            QCOMPARE(nextFocusable(among[i]), among[(i + 1) % among.size()]);
        QCOMPARE(child<QWidget>(&form, "C")->property("TabOrder").toInt(), 2);
        QCOMPARE(child<QWidget>(&form, "Second")->property("TabOrder").toInt(), 1);
    }

    void aLayoutFileIsReadAsUtf8AndNamedInMessages()
    {
        QTemporaryFile file(QDir::tempPath() + "/XXXXXX.layout");
        QVERIFY(file.open());
        file.write("object Form: FixtureForm\n  object L: TLabel\n    Caption = \"\xC2\xB1" "12V\"\n  end\nend\n");
        file.close();
        FixtureForm form;
        fixtureLoader().loadFile(&form, file.fileName());
        QCOMPARE(child<TLabel>(&form, "L")->text(), QStringLiteral("±12V"));

        QVERIFY(file.open());
        file.resize(0);
        file.write("object Form: FixtureForm\n  Nope = 1\nend\n");
        file.close();
        FixtureForm other;
        const QString name = QFileInfo(file.fileName()).fileName();
        QVERIFY_THROWS_EXCEPTION(LayoutError, fixtureLoader().loadFile(&other, file.fileName()));
        try {
            fixtureLoader().loadFile(&other, file.fileName());
        } catch (const LayoutError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), name + " line 2: unknown property 'Nope' of FixtureForm");
        }
    }

    void unreadableFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("not UTF-8") << QByteArray("object Form: FixtureForm\n  Caption = \"\xB1\"\nend\n") << "Page.layout is not valid UTF-8";
        QTest::newRow("missing") << QByteArray() << "cannot read PATH: No such file or directory";
    }

    void unreadableFilesAreRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("Page.layout");
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        FixtureForm form;
        try {
            fixtureLoader().loadFile(&form, path);
            QFAIL("no error");
        } catch (const LayoutError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message.replace("PATH", path));
        }
    }

    void aBrokenLayoutIsRefusedWithOneMessageAndLeavesNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        auto row = [](const char* name, const char* text, const char* message) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(message);
        };
        const char* const good = "object Form: FixtureForm\n  object G: FixtureGadget\n    Count = 1\n  end\n";

        // Shape of the text.
        row("empty", "", "t.layout line 1: expected 'object', found end of text");
        row("not an object", "\n\nCount = 1\n", "t.layout line 3: expected 'object', found 'Count'");
        row("missing end", "object Form: FixtureForm\n  object G: FixtureGadget\n    Count = 1\nend\n",
            "t.layout line 1: object 'Form' has no matching 'end'");
        row("extra end", "object Form: FixtureForm\nend\nend\n", "t.layout line 3: 'end' without a matching 'object'");
        row("text after root", "object Form: FixtureForm\nend\nobject X: TLabel\nend\n",
            "t.layout line 3: 'object' after the end of the root object");
        row("no class", "object Form FixtureForm\nend\n", "t.layout line 1: expected ':', found 'FixtureForm'");
        row("no equals", "object Form: FixtureForm\n  Tag 1\nend\n", "t.layout line 2: expected '=', found '1'");
        row("two values", "object Form: FixtureForm\n  Tag = 1 2\nend\n", "t.layout line 2: unexpected '2' at the end of the line");
        row("missing value", "object Form: FixtureForm\n  Tag =\nend\n", "t.layout line 2: expected a value, found end of line");
        row("property after children", "object Form: FixtureForm\n  object G: FixtureGadget\n  end\n  Tag = 1\nend\n",
            "t.layout line 4: property 'Tag' of 'Form' after its child objects");
        row("unterminated string", "object Form: FixtureForm\n  object L: TLabel\n    Caption = \"abc\n  end\nend\n",
            "t.layout line 3: unterminated string");
        row("unknown escape", "object Form: FixtureForm\n  object L: TLabel\n    Caption = \"a\\n\"\n  end\nend\n",
            "t.layout line 3: unknown escape '\\n' in a string");
        row("bad number", "object Form: FixtureForm\n  Tag = 12abc\nend\n", "t.layout line 2: '12abc' is not a number");
        row("stray character", "object Form: FixtureForm\n  Tag = @\nend\n", "t.layout line 2: unexpected character '@'");
        row("list of names", "object Form: FixtureForm\n  object G: FixtureGadget\n    Lines = (a)\n  end\nend\n",
            "t.layout line 3: expected a string in the list, found 'a'");

        // Classes, names and places.
        row("root class mismatch", "object Form: OtherForm\nend\n", "t.layout line 1: the layout is for OtherForm, but the window is FixtureForm");
        row("unknown class", (std::string(good) + "  object X: TNope\n  end\nend\n").c_str(), "t.layout line 5: unknown class 'TNope'");
        row("duplicate name", (std::string(good) + "  object g: TLabel\n  end\nend\n").c_str(), "t.layout line 5: duplicate component name 'g'");
        row("root name again", "object Form: FixtureForm\n  object Form: TLabel\n  end\nend\n", "t.layout line 2: duplicate component name 'Form'");
        row("menu item outside a menu", "object Form: FixtureForm\n  object Item: TMenuItem\n  end\nend\n",
            "t.layout line 2: cannot create 'Item': a menu item must sit inside a TMainMenu or a TMenuItem");
        row("control inside a menu", "object Form: FixtureForm\n  object M: TMainMenu\n    object L: TLabel\n    end\n  end\nend\n",
            "t.layout line 3: cannot create 'L': a control cannot be placed inside TMainMenu");

        // Properties and values.
        row("unknown property", "object Form: FixtureForm\n  object L: TLabel\n    Captoin = \"x\"\n  end\nend\n",
            "t.layout line 3: unknown property 'Captoin' of TLabel");
        row("Qt's own property", "object Form: FixtureForm\n  objectName = \"x\"\nend\n", "t.layout line 2: unknown property 'objectName' of FixtureForm");
        row("bounds of a non-visual component", "object Form: FixtureForm\n  object T: FixtureThing\n    Left = 8\n  end\nend\n",
            "t.layout line 3: unknown property 'Left' of FixtureThing");
        row("text for an integer", (std::string(good) + "  object H: FixtureGadget\n    Count = \"3\"\n  end\nend\n").c_str(),
            "t.layout line 6: 'Count' of FixtureGadget takes an integer, not a string");
        row("integer for a bool", "object Form: FixtureForm\n  object G: FixtureGadget\n    Flag = 1\n  end\nend\n",
            "t.layout line 3: 'Flag' of FixtureGadget takes True or False, not an integer");
        row("out of range", "object Form: FixtureForm\n  object G: FixtureGadget\n    Small = 256\n  end\nend\n",
            "t.layout line 3: 256 is out of range for 'Small' of FixtureGadget");
        row("unknown enum value", "object Form: FixtureForm\n  object G: FixtureGadget\n    State = jsUp\n  end\nend\n",
            "t.layout line 3: unknown value 'jsUp' for 'State' of FixtureGadget (one of jsOpen, jsLeft, jsRight)");
        row("unknown flag", "object Form: FixtureForm\n  object G: FixtureGadget\n    Sides = [akLeft, akMiddle]\n  end\nend\n",
            "t.layout line 3: unknown value 'akMiddle' for 'Sides' of FixtureGadget (one of akLeft, akTop, akRight, akBottom)");
        row("name for a set", "object Form: FixtureForm\n  object G: FixtureGadget\n    Sides = akLeft\n  end\nend\n",
            "t.layout line 3: 'Sides' of FixtureGadget takes a set, not a name");
        row("unknown colour", "object Form: FixtureForm\n  object G: FixtureGadget\n    Shade = clPurple\n  end\nend\n",
            "t.layout line 3: unknown colour 'clPurple' for 'Shade' of FixtureGadget");
        row("string for a list", "object Form: FixtureForm\n  object G: FixtureGadget\n    Lines = \"a\"\n  end\nend\n",
            "t.layout line 3: 'Lines' of FixtureGadget takes a list, not a string");
        row("read-only property", "object Form: FixtureForm\n  object G: FixtureGadget\n    Fixed = 2\n  end\nend\n",
            "t.layout line 3: 'Fixed' of FixtureGadget cannot be set");
        row("setter refuses", "object Form: FixtureForm\n  object G: FixtureGadget\n    Picture = \"corrupt\"\n  end\nend\n",
            "t.layout line 3: setting 'Picture' of FixtureGadget failed: corrupt picture data");
        row("common property of the wrong kind", "object Form: FixtureForm\n  object G: FixtureGadget\n    Left = \"x\"\n  end\nend\n",
            "t.layout line 3: 'Left' of FixtureGadget takes an integer, not a string");
        row("unknown font style", "object Form: FixtureForm\n  Font.Style = [fsBlink]\nend\n",
            "t.layout line 2: unknown value 'fsBlink' for 'Font.Style' of FixtureForm (one of fsBold, fsItalic, fsUnderline, fsStrikeOut)");
        row("other design resolution", "object Form: FixtureForm\n  PixelsPerInch = 120\nend\n",
            "t.layout line 2: 'PixelsPerInch' of FixtureForm must be 96: the layout's positions are pixels at that resolution");
        row("design value of a control", "object Form: FixtureForm\n  object G: FixtureGadget\n    TextHeight = 13\n  end\nend\n",
            "t.layout line 3: unknown property 'TextHeight' of FixtureGadget");
        row("tab order not a number", "object Form: FixtureForm\n  object E: TEdit\n    TabOrder = True\n  end\nend\n",
            "t.layout line 3: 'TabOrder' of TEdit takes an integer, not a name");

        // References and handlers, checked once everything exists.
        row("unresolved reference", (std::string(good) + "  object H: FixtureGadget\n    Partner = Nobody\n  end\nend\n").c_str(),
            "t.layout line 6: unknown component 'Nobody' for 'Partner' of FixtureGadget");
        row("wrongly typed reference", (std::string(good) + "  object H: FixtureGadget\n    Partner = L\n  end\n  object L: TLabel\n  end\nend\n").c_str(),
            "t.layout line 6: 'L' is a TLabel, but 'Partner' of FixtureGadget takes a FixtureGadget");
        row("string for a reference", "object Form: FixtureForm\n  object G: FixtureGadget\n    Partner = \"G\"\n  end\nend\n",
            "t.layout line 3: 'Partner' of FixtureGadget takes a component name, not a string");
        row("unknown handler", (std::string(good) + "  object E: TEdit\n    OnChange = EditChanged\n  end\nend\n").c_str(),
            "t.layout line 6: unknown handler 'EditChanged' for 'OnChange' of TEdit: FixtureForm has no slot EditChanged(QObject* Sender)");
        row("string for a handler", "object Form: FixtureForm\n  OnCreate = \"FormCreate\"\nend\n",
            "t.layout line 2: 'OnCreate' of FixtureForm takes a handler name, not a string");
        row("loading refused", (std::string(good) + "  object H: FixtureGadget\n    Title = \"refuse\"\n  end\nend\n").c_str(),
            "t.layout line 5: 'H' failed to finish loading: refused to load");
    }

    void aBrokenLayoutIsRefusedWithOneMessageAndLeavesNothing()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        FixtureForm form;
        try {
            fixtureLoader().load(&form, text, "t.layout");
            QFAIL("the layout was accepted");
        } catch (const LayoutError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
        QCOMPARE(form.findChildren<QObject*>(), QList<QObject*>());
        QVERIFY(form.calls.isEmpty());
    }
};

QTEST_MAIN(tst_LayoutLoader)
#include "tst_layoutloader.moc"
