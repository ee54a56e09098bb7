#include "e2e_session.h"
#include "info_form.h"
#include "main_form.h"
#include "outer_size.h"
#include "parameter_set.h"
#include "scripted_dialogs.h"
#include "settings.h"
#include "start_up.h"
#include "text_file.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <tuple>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

// Readable QString values in failure messages.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

const char* const kNoPortMessage = "error:Keinen ComPort auf dem PC gefunden!";

void Offline(TMainForm& form)
{
    BoardSetup setup;
    setup.Discovery = std::make_unique<NoPorts>();
    setup.NoVirtualBoard = true;
    setup.Trace = false;
    form.UseBoard(std::move(setup));
}

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder = QDir::currentPath();
        dir = fs::temp_directory_path()
            / ("mainform_" + std::to_string(getpid()) + "_"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        // The settings and the device-type list are read from the working folder.
        QDir::setCurrent(QString::fromStdString(dir.string()));
    }
    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(previousFolder);
        fs::remove_all(dir);
    }
    void Start(QStringList arguments = {}, float scale = 1.0f)
    {
        form = CreateProgramForms(dialogs, params, arguments, scale);
        form->EndProcess = [this](int code) { exitCodes.push_back(code); };
        Offline(*form);
    }
    void Put(const std::string& name, const std::string& bytes) const
    {
        std::ofstream((dir / name).string(), std::ios::binary) << bytes;
    }
    void PutDeviceTypes(int lines) const
    {
        std::string text;
        for (int k = 0; k < lines; ++k)
            text += "Typ" + std::to_string(k) + "\t;Kommentar\r\n";
        Put("GeraeteTyp.ini", text);
    }
    // Runs a handler that opens a modal dialog; returns the dialog's object name and
    // whether it was visible, then closes it.
    QString ModalOpenedBy(const std::function<void()>& handler)
    {
        QString opened = "<none>";
        QTimer::singleShot(0, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->objectName();
                modal->close();
            }
        });
        handler();
        return opened;
    }
    std::vector<QPushButton*> EditorButtons() const
    {
        return {form->AllgemeinButton, form->TimingButton, form->SoftstartrelaisButton,
                form->AnzeigebereicheButton, form->GrenzwerteButton, form->ButtonMaxPWRDauerTr,
                form->Button_IA_MW, form->PWRKorrekturButton};
    }
    std::vector<QWidget*> ServiceControls() const
    {
        return {form->FehlerSpeicherLoeButton, form->BetriebsZeitLoeButton,
                form->KennungLoeButton, form->CheckBox1, form->CheckBox2, form->CheckBox3,
                form->Label47, form->Label48, form->SerienNrEdit, form->SendSerienNrButton};
    }

    QString previousFolder;
    fs::path dir;
    ParameterSet params;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    std::vector<int> exitCodes;
};

QString Text(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(w)) return group->title();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    return "<?>";
}

}  // namespace

TEST_F(MainFormTest, StartsHiddenWithTheStartValuesShown)
{
    Start();
    EXPECT_EQ(form->size(), QSize(593, 570));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "LCD Konfiguration v7.9");
    EXPECT_EQ(params.ProgramVersion, "7.9");
    EXPECT_EQ(params.ValueCount, 120);
    EXPECT_EQ(params.ServiceMode, 0);
    EXPECT_EQ(params.SettingsLoaded, 0);
    EXPECT_TRUE(dialogs.Events().empty());

    const std::vector<std::pair<const char*, const char*>> texts = {
        {"Label32", "Dateiname:"}, {"Label61", "unbenannt"}, {"Label43", "LCD Serien-Nr.:"},
        {"Label44", "...."}, {"Label3", "LCD Version:"}, {"Label4", "..."},
        {"GroupBox1", "Konfiguration übertragen"}, {"EmpfangenButton", "Vom Gerät zum PC"},
        {"SendenButton", "Vom PC zum Gerät"}, {"GroupBox2", "Firmware übertragen"},
        {"FirmwareButton", "Vom PC zum Gerät"}, {"GroupBox3", "Status"}, {"ResetPanel", "Reset"},
        {"ModePanel", "P-Mode"}, {"statusLabel", ""}, {"GroupBox4", "Port"},
        {"SuchenButton", "suchen"}, {"AllgemeinButton", "Allgemeines"},
        {"TimingButton", "Timing"}, {"SoftstartrelaisButton", "Softstartrelais"},
        {"AnzeigebereicheButton", "Anzeigebereiche"}, {"GrenzwerteButton", "Grenzwerte allgemein"},
        {"ButtonMaxPWRDauerTr", "Max-PWR bei Dauerträger"}, {"Button_IA_MW", "IA-Mittelwert"},
        {"PWRKorrekturButton", "Korrektur PWR-Anzeige"},
        {"BetriebsZeitLoeButton", "Betriebszeit löschen"},
        {"FehlerSpeicherLoeButton", "Fehlerspeicher löschen"},
        {"KennungLoeButton", "Kennung löschen"}, {"Label47", "LCD Serien-Nr.:"},
        {"SerienNrEdit", "...."}, {"Label48", ">>>"}, {"SendSerienNrButton", "übertragen"},
        {"CheckBox2", "Wirkungsgrad in Zeile 3 anzeigen"},
        {"CheckBox1", "Überwachungen abschalten"},
        {"CheckBox3", "IA-Mittelwert in Zeile 3 anzeigen"}, {"Label2", "Geräte-Typ"},
        {"Label1", ">>>"}, {"Button1", "übertragen"}};
    for (const auto& [name, text] : texts) {
        auto* w = form->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(Text(w), QString(text)) << name;
    }
    EXPECT_EQ(form->SerienNrEdit->maxLength(), 4);
    EXPECT_EQ(form->ProgressBar->value(), 0);
    EXPECT_EQ(form->ProgressBar->maximum(), 100);

    for (QPushButton* b : EditorButtons())
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    for (QWidget* w : ServiceControls())
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    // The device-type row lies in the cut-off service area: hidden, for screen readers too.
    EXPECT_TRUE(form->Label2->isHidden());
    EXPECT_TRUE(form->ComboBox1->isHidden());
    EXPECT_EQ(form->ComboBox1->count(), 0);
    EXPECT_TRUE(form->Label1->isHidden());
    EXPECT_TRUE(form->Button1->isHidden());
    EXPECT_FALSE(form->EmpfangenButton->isEnabled());
    EXPECT_FALSE(form->SendenButton->isEnabled());
    EXPECT_FALSE(form->FirmwareButton->isEnabled());
    EXPECT_TRUE(form->SuchenButton->isEnabled());
    EXPECT_EQ(form->ResetPanel->palette().color(QPalette::Window), QColor(0, 128, 0));

    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 1000);
}

// The idle bar is told apart from the white status field beneath it: a groove of its
// own inside its frame.
TEST_F(MainFormTest, IdleProgressBarShowsItsGrooveNotAWhiteField)
{
    Start();
    ASSERT_EQ(form->ProgressBar->value(), 0);
    const QImage bar = form->ProgressBar->grab().toImage();
    const QImage status = form->statusLabel->grab().toImage();
    const QColor groove = bar.pixelColor(bar.width() / 2, bar.height() / 2);
    const QColor field = status.pixelColor(status.width() / 2, status.height() / 2);
    EXPECT_EQ(field, QColor(Qt::white));
    EXPECT_LT(groove.lightness(), field.lightness() - 10) << groove.name().toStdString();
    const QColor edge = bar.pixelColor(bar.width() / 2, 0);
    EXPECT_NE(edge, groove) << "a frame around the groove";
    // Running, the bar fills with its chunk.
    form->SetProgress(100);
    const QImage full = form->ProgressBar->grab().toImage();
    EXPECT_NE(full.pixelColor(full.width() / 2, full.height() / 2), groove);
}

TEST_F(MainFormTest, MenuEntriesAndTheirOrder)
{
    Start();
    QStringList entries;
    for (QAction* top : form->menuBar()->actions()) {
        entries << top->text();
        if (top->menu())
            for (QAction* a : top->menu()->actions())
                entries << "  " + (a->isSeparator() ? QString("-") : a->text());
    }
    EXPECT_EQ(entries, (QStringList{"&Datei", "  Neu", "  Öffnen...", "  Speichern",
                                    "  Speichern unter...", "  -", "  &Protokoll drucken", "  -",
                                    "  Patch-Datei erstellen", "  -", "  &Beenden",
                                    "&Fehlerspeicher", "&Extras", "  &Info"}));
}

TEST_F(MainFormTest, ServiceWordAndScaleDecideTheSize)
{
    Start({"Wq3Zb5"});
    EXPECT_EQ(form->size(), QSize(593, 756));
    EXPECT_EQ(params.ServiceMode, 1);
    for (QWidget* w : ServiceControls())
        EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(form->SendSerienNrButton->isEnabled());

    for (const QStringList& args :
         {QStringList{"wq3zb5"}, QStringList{"Wq3Zb5", "x"}, QStringList{"Wq3Zb"}}) {
        ParameterSet fresh;
        auto normal = CreateProgramForms(dialogs, fresh, args, 1.0f);
        EXPECT_EQ(normal->size(), QSize(593, 570)) << args.join(' ').toStdString();
        EXPECT_EQ(fresh.ServiceMode, 0);
        EXPECT_TRUE(normal->CheckBox1->isHidden());
    }

    ParameterSet at120;
    auto scaled = CreateProgramForms(dialogs, at120, {}, 1.25f);
    EXPECT_EQ(scaled->size(), QSize(741, 712));
    EXPECT_EQ(scaled->GroupBox1->geometry(), QRect(20, 120, 441, 91));
    ParameterSet at120Service;
    EXPECT_EQ(CreateProgramForms(dialogs, at120Service, {"Wq3Zb5"}, 1.25f)->size(),
              QSize(741, 945));
    EXPECT_TRUE(dialogs.Events().empty());
}

// 593 x 570 and the others are outer sizes: shown with a frame, the window keeps them
// and sits centred as a whole.
TEST_F(MainFormTest, ShownWindowHasItsOuterSizeCentred)
{
    for (const auto& [arguments, scale, outer] :
         {std::tuple{QStringList{}, 1.0f, QSize(593, 570)},
          std::tuple{QStringList{"Wq3Zb5"}, 1.25f, QSize(741, 945)}}) {
        params = ParameterSet{};
        Start(arguments, scale);
        form->Timer1Timer();
        QApplication::processEvents();
        EXPECT_EQ(form->frameGeometry().size(), outer);
        EXPECT_LT(form->width(), outer.width());  // the frame is outside the client area
        SCOPED_TRACE(scale);
        const QRect available = form->screen()->availableGeometry();
        if (available.height() >= outer.height()) {  // taller ones the platform may push down
            EXPECT_EQ(form->frameGeometry().topLeft(), CentredFramePosition(available, outer));
        }
        form.reset();
    }
}

TEST_F(MainFormTest, SettingsAndDeviceTypesAreReadWhileHidden)
{
    Put("Tavrix.ini", "/daten/amp\t\t;Aktueller Pfad\r\n800\t\t;Bildbreite\r\n600\t\t;Bildh\xF6he\r\n");
    PutDeviceTypes(256);
    Start();
    EXPECT_EQ(params.DataFolder, "/daten/amp");
    EXPECT_EQ(params.FaultWindowWidth, 800);
    EXPECT_EQ(params.FaultWindowHeight, 600);
    ASSERT_EQ(form->ComboBox1->count(), 256);
    EXPECT_EQ(form->ComboBox1->itemText(17), "Typ17");
    EXPECT_EQ(form->ComboBox1->currentIndex(), 255);  // DeviceType 255 at start
    EXPECT_EQ(form->DeviceTypeNames().size(), 256u);
    // Loaded, but the row is shown only in the service-mode window.
    EXPECT_TRUE(form->Label1->isHidden());
    EXPECT_TRUE(form->Button1->isHidden());
    EXPECT_FALSE(form->Button1->isEnabled());
    EXPECT_TRUE(dialogs.Events().empty());

    form->Timer1Timer();
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(params.StartFolder, QDir::currentPath().toStdString());
    EXPECT_EQ(params.DataFolder, "/daten/amp");  // loaded: the default rule does not run
}

TEST_F(MainFormTest, FaultyFilesAreReportedBeforeTheWindowShows)
{
    Put("Tavrix.ini", "/daten/amp\t\t;Aktueller Pfad\r\n800\t\t;Bildbreite\r\n");
    PutDeviceTypes(255);
    Start();
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>{
                  "beep",
                  "error:LCD Konfiguration.ini  ist fehlerhaft!\n\nEs werden "
                  "Standard-Einstellungen verwendet.",
                  "beep",
                  "error:LCD Gerätetyp.ini  ist fehlerhaft!\n\nTyp-Erkennung ist nicht verfügbar."}));
    EXPECT_EQ(form->ComboBox1->count(), 255);
    EXPECT_EQ(form->ComboBox1->currentIndex(), -1);
    EXPECT_TRUE(form->Label1->isHidden());
    EXPECT_TRUE(form->Button1->isHidden());
    EXPECT_EQ(params.FaultWindowWidth, 800);
    EXPECT_EQ(params.FaultWindowHeight, 766);

    form->Timer1Timer();
    EXPECT_EQ(params.DataFolder, DefaultDataFolder(SharedDocumentsFolder(), dir.string()));
    EXPECT_NE(params.DataFolder, "/daten/amp");
    EXPECT_EQ(params.DataFolder.substr(params.DataFolder.size() - 12), "/TavrixDaten");
}

TEST_F(MainFormTest, DeviceTypeSelector)
{
    PutDeviceTypes(256);
    Start({"Wq3Zb5"});
    form->ComboBox1->setCurrentIndex(3);
    emit form->ComboBox1->activated(3);
    EXPECT_EQ(params.DeviceType, 3);
    EXPECT_TRUE(form->Button1->isEnabled());

    // The same type again still enables the button.
    form->Button1->setEnabled(false);
    emit form->ComboBox1->activated(3);
    EXPECT_TRUE(form->Button1->isEnabled());

    // Leaving the selector without a selection gives 255.
    form->ComboBox1->setCurrentIndex(-1);
    form->ComboBox1Exit();
    EXPECT_EQ(params.DeviceType, 255);
}

TEST_F(MainFormTest, DeviceTypeListTakesTheFocusOnlyWhereTheUserReachesIt)
{
    Start();  // normal mode, no list: below the window and empty
    EXPECT_EQ(form->ComboBox1->focusPolicy(), Qt::NoFocus);
    form.reset();
    params = ParameterSet{};
    Start({"Wq3Zb5"});  // service mode, still no names
    EXPECT_EQ(form->ComboBox1->focusPolicy(), Qt::NoFocus);
    form.reset();
    params = ParameterSet{};
    PutDeviceTypes(256);
    Start({"Wq3Zb5"});
    EXPECT_EQ(form->ComboBox1->focusPolicy(), Qt::ClickFocus);  // by a click, never by Tab
    form.reset();
    params = ParameterSet{};
    Start();  // normal mode with the names: the list lies below the window
    EXPECT_EQ(form->ComboBox1->focusPolicy(), Qt::NoFocus);
}

TEST_F(MainFormTest, RefreshShowsTheParameterSet)
{
    PutDeviceTypes(256);
    Start({"Wq3Zb5"});
    params.Values[29] = 1;
    params.Values[8] = 0;
    params.Values[31] = 5;
    params.SerialNumber = "0815";
    params.BoardVersionText = "V7.5 12.03.2024";
    params.DeviceType = 2;
    params.ValueCount = 0;
    form->RefreshMainWindow();
    EXPECT_TRUE(form->CheckBox1->isChecked());
    EXPECT_FALSE(form->CheckBox2->isChecked());
    EXPECT_TRUE(form->CheckBox3->isChecked());
    EXPECT_EQ(form->Label44->text(), "0815");
    EXPECT_EQ(form->SerienNrEdit->text(), "0815");
    EXPECT_EQ(form->Label4->text(), "V7.5 12.03.2024");
    EXPECT_EQ(form->ComboBox1->currentIndex(), 2);
    EXPECT_EQ(params.ValueCount, 120);
}

TEST_F(MainFormTest, LinkAndEditorControlSwitches)
{
    Start({"Wq3Zb5"});
    const std::vector<QWidget*> link = {
        form->EmpfangenButton, form->ResetPanel, form->ModePanel, form->ProgressBar,
        form->BetriebsZeitLoeButton, form->FehlerSpeicherLoeButton, form->KennungLoeButton,
        form->Label47, form->SerienNrEdit, form->SuchenButton, form->ComboBox,
        form->SendenButton, form->FirmwareButton};
    form->EnableLinkControls(true);
    for (QWidget* w : link)
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(form->SendSerienNrButton->isEnabled());  // DeviceMark still "..."

    params.DeviceMark = "ABC";
    form->SerienNrEdit->setText("1234");
    form->EnableLinkControls(true);
    EXPECT_TRUE(form->SendSerienNrButton->isEnabled());
    form->SerienNrEdit->setText("...");
    form->EnableLinkControls(true);
    EXPECT_FALSE(form->SendSerienNrButton->isEnabled());

    form->SerienNrEdit->setText("1234");
    form->EnableLinkControls(false);
    for (QWidget* w : link)
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(form->SendSerienNrButton->isEnabled());

    form->EnableEditorControls(true);
    for (QPushButton* b : EditorButtons())
        EXPECT_TRUE(b->isEnabled());
    for (QCheckBox* c : {form->CheckBox1, form->CheckBox2, form->CheckBox3})
        EXPECT_TRUE(c->isEnabled());
    form->EnableEditorControls(false);
    EXPECT_FALSE(form->CheckBox3->isEnabled());
    EXPECT_FALSE(form->TimingButton->isEnabled());
}

TEST_F(MainFormTest, PanelsProgressAndStatus)
{
    Start();
    form->PaintResetPanel(true);
    form->PaintModePanel(false);
    EXPECT_EQ(form->ResetPanel->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(form->ModePanel->palette().color(QPalette::Window), QColor(0, 128, 0));
    form->PaintModePanel(true);
    form->PaintResetPanel(false);
    EXPECT_EQ(form->ModePanel->palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(form->ResetPanel->palette().color(QPalette::Window), QColor(0, 128, 0));
    form->SetProgress(40);
    form->SetStatus("Daten empfangen");
    EXPECT_EQ(form->ProgressBar->value(), 40);
    EXPECT_EQ(form->statusLabel->text(), "Daten empfangen");
}

TEST_F(MainFormTest, FileMenuThroughTheWindow)
{
    Start();
    std::string text = "2\r\n";
    for (int i = 0; i < 120; ++i)
        text += std::to_string(i == 29 ? 1 : 7) + "\r\n";
    Put("abc.lcd", text);
    dialogs.ChooseOpen((dir / "abc.lcd").string());
    form->ffnen1->trigger();
    EXPECT_EQ(form->Label61->text(), "abc.lcd");
    EXPECT_EQ(form->windowTitle(), "LCD Konfiguration v7.9");
    EXPECT_TRUE(form->AllgemeinButton->isEnabled());
    EXPECT_TRUE(form->CheckBox1->isChecked());  // refreshed from the file
    EXPECT_EQ(params.DataPresent, 1);

    form->Speichern1->trigger();
    EXPECT_EQ(form->windowTitle(), "LCD Konfiguration v7.9  -  abc.lcd");
    EXPECT_EQ(ReadFileBytes((dir / "abc.lcd").string())->substr(0, 9), "2\r\n7\r\n7\r\n");
    EXPECT_TRUE(fs::exists(dir / "abc.txt"));
    EXPECT_TRUE(dialogs.ScriptUsedUp());
    EXPECT_EQ(dialogs.Beeps(), 0);
}

TEST_F(MainFormTest, NeuSwitchesTheEditorsOn)
{
    Start();
    form->Neu1->trigger();
    EXPECT_EQ(params.DataPresent, 1);
    EXPECT_TRUE(form->PWRKorrekturButton->isEnabled());
    EXPECT_EQ(form->Label61->text(), "unbenannt");
    EXPECT_EQ(params.Values, ParameterSet::StartValues());
}

TEST_F(MainFormTest, BeendenWritesTheSettingsAndEndsWithZero)
{
    Start();
    form->Timer1Timer();
    params.DataFolder = "/daten/neu";
    params.FaultWindowWidth = 900;
    params.Values[0] = 99;  // changed and not saved: no question
    form->Beenden1->trigger();
    EXPECT_EQ(exitCodes, std::vector<int>{0});
    EXPECT_EQ(*ReadFileBytes((dir / "Tavrix.ini").string()),
              "/daten/neu\t\t;Aktueller Pfad\r\n900\t\t;Bildbreite\r\n766\t\t;Bildh\xF6he\r\n");
    // Only the port search spoke; ending asks nothing.
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", kNoPortMessage}));
    form->close();  // the window going away afterwards ends nothing twice
    EXPECT_EQ(exitCodes, std::vector<int>{0});
}

TEST_F(MainFormTest, CloseBoxEndsTheSameWay)
{
    // With the real ending: the running event loop ends with exit code 0.
    form = CreateProgramForms(dialogs, params, {}, 1.0f);
    Offline(*form);
    form->Timer1Timer();
    params.FaultWindowHeight = 640;
    QTimer::singleShot(0, [this] { form->close(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_NE(ReadFileBytes((dir / "Tavrix.ini").string())->find("640\t\t;Bildh\xF6he\r\n"),
              std::string::npos);
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", kNoPortMessage}));
}

TEST_F(MainFormTest, FormsAreCreatedInOrderAndOpenedByTheirButtons)
{
    Start();
    QStringList names;
    for (QDialog* d : form->Forms())
        names << d->objectName();
    EXPECT_EQ(names, (QStringList{"TInfoForm", "TGrenzwerteMaxPWRForm", "TPWR_KorrekturForm",
                                  "TSoftstartrelaisForm", "TTimingForm", "TVerKompForm",
                                  "TAllgemeinesForm", "TAnzeigebereicheForm", "TGrenzwerteForm",
                                  "TGrenzwerte_IA_MittelwertForm", "TFehlerSpeicherForm"}));
    for (QDialog* d : form->Forms())
        EXPECT_FALSE(d->isVisible()) << d->objectName().toStdString();
    EXPECT_EQ(form->Form("TVerKompForm")->windowTitle(), "Versionskompatibilität");

    form->EnableEditorControls(true);
    const std::vector<std::pair<QPushButton*, QString>> opens = {
        {form->AllgemeinButton, "TAllgemeinesForm"},
        {form->TimingButton, "TTimingForm"},
        {form->SoftstartrelaisButton, "TSoftstartrelaisForm"},
        {form->AnzeigebereicheButton, "TAnzeigebereicheForm"},
        {form->GrenzwerteButton, "TGrenzwerteForm"},
        {form->ButtonMaxPWRDauerTr, "TGrenzwerteMaxPWRForm"},
        {form->Button_IA_MW, "TGrenzwerte_IA_MittelwertForm"},
        {form->PWRKorrekturButton, "TPWR_KorrekturForm"}};
    // An init-capture: clang 14 cannot capture a structured binding.
    for (const auto& [button, dialog] : opens)
        EXPECT_EQ(ModalOpenedBy([b = button] { b->click(); }), dialog)
            << button->objectName().toStdString();
    EXPECT_EQ(ModalOpenedBy([this] { form->Fehlerspeicher1->trigger(); }),
              "TFehlerSpeicherForm");
    EXPECT_FALSE(form->Form("TVerKompForm")->isVisible());
}

TEST_F(MainFormTest, InfoShowsTheVersionEachTime)
{
    Start();
    auto* info = static_cast<TInfoForm*>(form->Form("TInfoForm"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "Information");
    EXPECT_EQ(info->Label1->text(), "Konfiguration LCD-Anzeige");
    EXPECT_TRUE(info->Label1->font().underline());
    EXPECT_EQ(info->Label1->font().pixelSize(), 19);
    EXPECT_EQ(info->Label2->text(), "Version");

    QString shown;
    QTimer::singleShot(0, [&] {
        shown = info->Label2->text();
        info->close();
    });
    form->Info1->trigger();
    EXPECT_EQ(shown, "Version 7.9");

    params.ProgramVersion = "";
    QTimer::singleShot(0, [&] {
        shown = info->Label2->text();
        info->close();
    });
    form->Info1Click();
    EXPECT_EQ(shown, "Version ");
}

namespace {

class EndDuringExchangeTest : public e2e::Session {};

}  // namespace

// The close box stays usable while an exchange lets the window process its messages.
// Closing then ends the program inside the exchange: the settings are written, and the
// exchange cut off by the closed port neither waits any longer nor says anything.
TEST_F(EndDuringExchangeTest, ClosingTheWindowMidDownloadEndsWithoutAMessage)
{
    Start();
    dialogs.Clear();
    int64_t closedAtUs = -1;
    size_t bytesAtClose = 0;
    OnSleep = [&](int) {
        if (closedAtUs < 0 && clock->NowUs() > 4'000'000) {
            closedAtUs = clock->NowUs();
            bytesAtClose = live->Port().BytesReceived().size();
            form->close();
        }
    };
    form->EmpfangenButton->click();
    ASSERT_GT(closedAtUs, 0);
    EXPECT_EQ(exitCodes, std::vector<int>{0});
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(clock->NowUs(), closedAtUs);
    EXPECT_EQ(live->Port().BytesReceived().size(), bytesAtClose);
    EXPECT_FALSE(live->Port().Active());
    EXPECT_EQ(Bytes("Tavrix.ini"), (dir / "daten").string()
                                       + "\t\t;Aktueller Pfad\r\n780\t\t;Bildbreite\r\n"
                                         "580\t\t;Bildh\xF6he\r\n");
    EXPECT_EQ(params.DataPresent, 0);
}
