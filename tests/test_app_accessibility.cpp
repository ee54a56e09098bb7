// Every window and dialog of the program as a screen reader sees it through Qt's
// accessibility interfaces (what AT-SPI passes on to Orca), on the offscreen platform:
// each control that takes the focus has a name, no two controls of one window share a
// name, the line panels and the fields' marks say their state in words, and controls
// nobody can see are hidden for real. Fixed-size windows offer no maximising.
#include "editor_dialog.h"
#include "fake_discovery.h"
#include "field_binder.h"
#include "main_form.h"
#include "parameter_set.h"
#include "scripted_dialogs.h"
#include "start_up.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <map>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Control {
    QString name;
    QString object;  // the widget's object name, for the failure message
};

// What a screen reader says a control is. On Linux a drop-down list's name is its
// current item; it is introduced by the label it is labelled by.
QString SpokenName(QAccessibleInterface* node)
{
    if (node->role() == QAccessible::ComboBox) {
        const auto labels = node->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
    return node->text(QAccessible::Name);
}

// The controls a screen reader user reaches: everything focusable and not hidden. A
// table's cells are its data, not controls; a hidden subtree is skipped whole.
void Collect(QAccessibleInterface* node, std::vector<Control>& out, int depth = 0)
{
    if (!node || depth > 30)
        return;
    const QAccessible::State state = node->state();
    if (state.invisible)
        return;
    const QAccessible::Role role = node->role();
    if (state.focusable && role != QAccessible::Cell && role != QAccessible::ColumnHeader
        && role != QAccessible::RowHeader) {
        QObject* object = node->object();
        out.push_back({SpokenName(node), object ? object->objectName() : QString("<item>")});
    }
    if (role == QAccessible::Table)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        Collect(node->child(i), out, depth + 1);
}

std::vector<Control> ControlsOf(QWidget* window)
{
    std::vector<Control> controls;
    Collect(QAccessible::queryAccessibleInterface(window), controls);
    return controls;
}

// No focusable control without a name, and no name twice in one window.
void ExpectNamedOnce(QWidget* window, size_t atLeast)
{
    const std::vector<Control> controls = ControlsOf(window);
    EXPECT_GE(controls.size(), atLeast) << window->objectName().toStdString();
    std::map<QString, QString> seen;
    for (const Control& c : controls) {
        EXPECT_FALSE(c.name.trimmed().isEmpty())
            << window->objectName().toStdString() << ": " << c.object.toStdString() << " has no name";
        if (c.name.isEmpty())
            continue;
        const auto [it, fresh] = seen.emplace(c.name, c.object);
        EXPECT_TRUE(fresh) << window->objectName().toStdString() << ": " << c.object.toStdString() << " and "
                           << it->second.toStdString() << " are both \"" << c.name.toStdString() << "\"";
    }
}

QString NameOf(QWidget* widget) { return SpokenName(QAccessible::queryAccessibleInterface(widget)); }

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder = QDir::currentPath();
        dir = fs::temp_directory_path() / ("a11y_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        QDir::setCurrent(QString::fromStdString(dir.string()));
        std::string types;
        for (int k = 0; k < 256; ++k)
            types += "Typ" + std::to_string(k) + "\t;Kommentar\r\n";
        std::ofstream((dir / "GeraeteTyp.ini").string(), std::ios::binary) << types;
    }
    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(previousFolder);
        fs::remove_all(dir);
    }
    void Start(QStringList arguments = {})
    {
        form = CreateProgramForms(dialogs, params, arguments, 1.0f);
        form->EndProcess = [](int) {};
        BoardSetup setup;
        setup.Discovery = std::make_unique<NoPorts>();
        setup.NoVirtualBoard = true;
        setup.Trace = false;
        form->UseBoard(std::move(setup));
        form->show();
        QApplication::processEvents();
        dialogs.Clear();
    }
    // Shows a dialog without its modal loop, runs `check`, hides it again.
    void WhileShown(QDialog* dialog, const std::function<void()>& check)
    {
        dialog->show();
        QApplication::processEvents();
        check();
        dialog->hide();
    }

    QString previousFolder;
    fs::path dir;
    ParameterSet params;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;
};

}  // namespace

TEST_F(AccessibilityTest, EveryWindowNamesEachOfItsControlsOnce)
{
    for (const QStringList& arguments : {QStringList{}, QStringList{"Wq3Zb5"}}) {
        Start(arguments);
        form->EnableEditorControls(true);
        form->EnableLinkControls(true);
        SCOPED_TRACE(arguments.isEmpty() ? "normal mode" : "service mode");
        // Transfer, port and editor controls; the service area adds 10.
        ExpectNamedOnce(form.get(), arguments.isEmpty() ? 13 : 23);
        for (QDialog* dialog : form->Forms())
            WhileShown(dialog, [&] { ExpectNamedOnce(dialog, 0); });
        form.reset();
    }
}

TEST_F(AccessibilityTest, ControlsNamedByTheirPlace)
{
    Start({"Wq3Zb5"});
    const std::pair<QWidget*, const char*> table[] = {
        {form->SendenButton, "Konfiguration übertragen: Vom PC zum Gerät"},
        {form->FirmwareButton, "Firmware übertragen: Vom PC zum Gerät"},
        {form->SendSerienNrButton, "LCD Serien-Nr.: übertragen"},
        {form->Button1, "Geräte-Typ: übertragen"},
        {form->ComboBox, "Port"},
        {form->ComboBox1, "Geräte-Typ"},
        {form->SerienNrEdit, "LCD Serien-Nr."},
        {form->EmpfangenButton, "Vom Gerät zum PC"},
    };
    for (const auto& [widget, name] : table)
        EXPECT_EQ(NameOf(widget).toStdString(), name) << widget->objectName().toStdString();
}

TEST_F(AccessibilityTest, EditorFieldsCarryTheTablesNamesAndRangeMessages)
{
    Start();
    auto* limits = dynamic_cast<EditorDialog*>(form->Form("TGrenzwerteForm"));
    ASSERT_NE(limits, nullptr);
    int edits = 0, boxes = 0;
    for (FieldBinder* binder : limits->Binders()) {
        EXPECT_FALSE(NameOf(binder->Control()).isEmpty()) << binder->Field().Control;
        edits += binder->Edit() != nullptr;
        boxes += binder->Box() != nullptr;
    }
    // The 24 text fields and the check box a screen reader used to call "text".
    EXPECT_EQ(edits, 24);
    EXPECT_EQ(boxes, 1);
    QWidget* anode = limits->Binder("EditUAmax")->Control();
    EXPECT_EQ(NameOf(anode).toStdString(), "Anode U-max, V");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(anode)->text(QAccessible::Description).toStdString(),
              "Gültige Eingaben sind 1 V bis 65000 V !");

    auto* ranges = dynamic_cast<EditorDialog*>(form->Form("TAnzeigebereicheForm"));
    ASSERT_NE(ranges, nullptr);
    QStringList arrows;
    for (QWidget* w : ranges->findChildren<QWidget*>("UpDownMaxPwrDig"))
        for (QObject* child : w->children())
            if (auto* button = qobject_cast<QWidget*>(child))
                arrows << NameOf(button);
    EXPECT_EQ(arrows, (QStringList{"PWR, W, auf", "PWR, W, ab"}));

    // A list: its row's label, and the whole name with the unit as its description.
    QWidget* bar = ranges->Binder("ComboBoxMaxIG1")->Control();
    EXPECT_EQ(NameOf(bar).toStdString(), "Balken G1:");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Description).toStdString(),
              "Balken G1, mA");
}

TEST_F(AccessibilityTest, MarkedFieldSaysSoInItsName)
{
    Start();
    auto* timing = dynamic_cast<EditorDialog*>(form->Form("TTimingForm"));
    ASSERT_NE(timing, nullptr);
    FieldBinder* warmUp = timing->Binder("EditVorheizzeit");
    WhileShown(timing, [&] {
        EXPECT_EQ(NameOf(warmUp->Control()).toStdString(), "Vorheizzeit, sek");
        warmUp->ToggleMark();
        EXPECT_EQ(params.PatchMarks[1], 1);
        EXPECT_EQ(NameOf(warmUp->Control()).toStdString(), "Vorheizzeit, sek, markiert");
        warmUp->ToggleMark();
        EXPECT_EQ(NameOf(warmUp->Control()).toStdString(), "Vorheizzeit, sek");
    });
    // A mark set outside the dialog shows when it opens and paints.
    params.PatchMarks[44] = 1;
    WhileShown(timing, [&] {
        timing->FormPaint();
        EXPECT_EQ(NameOf(timing->Binder("EditAbkuehlzeit")->Control()).toStdString(),
                  "Abkühlzeit: (0=aus), sek, markiert");
    });
}

TEST_F(AccessibilityTest, LinePanelsSayTheirStateInWords)
{
    Start();
    EXPECT_EQ(NameOf(form->ResetPanel).toStdString(), "Reset: aus");
    EXPECT_EQ(NameOf(form->ModePanel).toStdString(), "P-Mode: aus");
    form->PaintResetPanel(true);
    EXPECT_EQ(NameOf(form->ResetPanel).toStdString(), "Reset: ein");
    EXPECT_EQ(NameOf(form->ModePanel).toStdString(), "P-Mode: aus");
    form->PaintModePanel(true);
    form->PaintResetPanel(false);
    EXPECT_EQ(NameOf(form->ResetPanel).toStdString(), "Reset: aus");
    EXPECT_EQ(NameOf(form->ModePanel).toStdString(), "P-Mode: ein");
    // The panels still read "Reset" and "P-Mode" on screen.
    EXPECT_EQ(form->ResetPanel->text(), "Reset");
}

TEST_F(AccessibilityTest, ServiceWidgetsOfTheNormalWindowAreHiddenForReal)
{
    Start();
    for (QWidget* w : std::vector<QWidget*>{form->Label2, form->ComboBox1, form->Label1, form->Button1,
                                            form->SerienNrEdit, form->CheckBox1})
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(w)->state().invisible) << w->objectName().toStdString();
    form.reset();
    Start({"Wq3Zb5"});
    for (QWidget* w : std::vector<QWidget*>{form->Label2, form->ComboBox1, form->Label1, form->Button1})
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(w)->state().invisible) << w->objectName().toStdString();
}

TEST_F(AccessibilityTest, FixedSizeWindowsOfferNoMaximising)
{
    Start();
    std::vector<QWidget*> fixed = {form.get()};
    for (QDialog* dialog : form->Forms())
        if (dialog->objectName() != "TFehlerSpeicherForm")
            fixed.push_back(dialog);
    ASSERT_EQ(fixed.size(), 11u);
    for (QWidget* window : fixed) {
        window->show();
        QApplication::processEvents();
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint) << window->objectName().toStdString();
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << window->objectName().toStdString();
        if (window != form.get())
            window->hide();
    }
}
