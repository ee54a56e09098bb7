#include "main_form.h"

#include "diagnostics_sink.h"
#include "translation.h"

#include "device_types.h"
#include "patch_file.h"
#include "service_options.h"
#include "service_serial_number.h"
#include "editor_forms.h"
#include "fault_memory.h"
#include "info_form.h"
#include "outer_size.h"
#include "parameter_set.h"
#include "reports.h"
#include "settings.h"
#include "verkomp_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <ctime>

namespace {

constexpr int kSmallFontPx = 11;  // the window's own font
constexpr int kBigFontPx = 16;
const QColor kPanelOn(0, 255, 0);
const QColor kPanelOff(0, 128, 0);

// Puts a control at its design position (96 dpi pixels) times the scale factor.
struct Placer {
    float scale;
    QFont small;
    QFont big;

    template <class W>
    W* operator()(W* widget, const char* name, int x, int y, int w, int h, bool bigFont) const
    {
        widget->setObjectName(name);
        widget->setGeometry(int(x * scale), int(y * scale), int(w * scale), int(h * scale));
        widget->setFont(bigFont ? big : small);
        return widget;
    }
};

QFont ArialPx(int px)
{
    QFont font("Arial");
    font.setPixelSize(px);
    return font;
}

void Fill(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* WhiteField(QLabel* label)
{
    Fill(label, Qt::white);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(4);
    return label;
}

QFrame* Line(QFrame* frame)
{
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QLabel* LinePanel(QLabel* panel)
{
    QFont font = panel->font();
    font.setBold(true);
    panel->setFont(font);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Fill(panel, kPanelOff);
    return panel;
}

// A progress bar at 0 % is only its frame and groove; the style draws the groove in
// the field colour, which makes it look like the white status field beneath it. Its
// groove takes the recessed grey of a progress bar's trough instead.
QProgressBar* Groove(QProgressBar* bar)
{
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window).darker(110));
    bar->setPalette(palette);
    return bar;
}

QString WithoutColon(QString text)
{
    while (text.endsWith(':') || text.endsWith(' '))
        text.chop(1);
    return text;
}

QFrame* RedPanel(QFrame* panel)
{
    Fill(panel, Qt::red);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

}  // namespace

TMainForm::TMainForm(Dialogs& dialogs, ParameterSet& params, const QStringList& arguments,
                     float scale, QWidget* parent)
    : QMainWindow(parent),
      EndProcess([](int code) { QCoreApplication::exit(code); }),
      messages_(dialogs),
      dialogs_(messages_),
      params_(params),
      scale_(scale > 0 ? scale : ScreenScaleFactor())
{
    setObjectName("TMainForm");
    setWindowTitle(TrQ("Window", "LCD Konfiguration"));
    // Customized, or Qt adds a maximise box to a window of a fixed size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(ArialPx(S(kSmallFontPx)));
    BuildControls();
    BuildMenu();
    ConnectControls();
    NameControls();
    board_ = std::make_unique<BoardConnection>(*this, BoardSetup{});

    int height = kNormalHeight;
    if (arguments.size() == 1 && arguments[0] == kServiceWord) {
        height = kServiceHeight;
        params_.ServiceMode = 1;
        ShowServiceControls();
    }
    outer_ = new OuterSize(this, QSize(S(kNormalWidth), S(height)), OuterSize::Kind::Fixed);

    params_.ProgramVersion = ProgramVersionFromBuild();
    SetCaption(MainCaption(params_.ProgramVersion));
    SetFileLabel(params_.FileName);
    params_.PatchMarks.fill(0);
    ReadSettings(params_, dialogs_);
    RefreshMainWindow();

    DeviceTypeList types = ReadDeviceTypes(dialogs_);
    deviceTypeNames_ = types.Names;
    for (const std::string& name : deviceTypeNames_)
        ComboBox1->addItem(QString::fromStdString(name));
    // The device-type row lies in the service area: in the normal-mode window it is
    // cut off, and hidden, so that a screen reader does not find it either.
    if (types.Complete && params_.ServiceMode) {
        Label1->show();
        Button1->show();
    }
    // The selection follows DeviceType now that the list is there.
    ComboBox1->setCurrentIndex(params_.DeviceType < ComboBox1->count() ? params_.DeviceType : -1);
    // Leaving the list stores its selection, so it takes the focus only from the user:
    // by a click, in the service area of the service-mode window, with names in it.
    // Tab skips it, so a button switched off during an exchange cannot hand its focus
    // over to the list (hidden below the normal-mode window, and empty without
    // GeraeteTyp.ini, where leaving it would store 255).
    ComboBox1->setFocusPolicy(params_.ServiceMode && ComboBox1->count() > 0 ? Qt::ClickFocus
                                                                            : Qt::NoFocus);

    EnableEditorControls(false);
    UnsavedFolder = UnsavedRoot();
    kept_.Keep(params_);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kStartTimerMs);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();
}

void TMainForm::BuildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName("Client");
    setCentralWidget(client);
    const Placer at{scale_, ArialPx(S(kSmallFontPx)), ArialPx(S(kBigFontPx))};

    // File name and board identity.
    Label32 = at(new QLabel(TrQ("Window", "Dateiname:"), client), "Label32", 16, 10, 100, 22, true);
    Label61 = at(WhiteField(new QLabel(client)), "Label61", 136, 8, 425, 24, true);
    Label43 = at(new QLabel(TrQ("Window", "LCD Serien-Nr.:"), client), "Label43", 16, 40, 120, 22, true);
    Label44 = at(WhiteField(new QLabel("0", client)), "Label44", 136, 38, 80, 24, true);
    Label3 = at(new QLabel(TrQ("Window", "LCD Version:"), client), "Label3", 376, 40, 100, 22, true);
    Label4 = at(WhiteField(new QLabel("0", client)), "Label4", 481, 38, 80, 24, true);
    Bevel1 = at(Line(new QFrame(client)), "Bevel1", 8, 72, 561, 2, false);

    // Transfers.
    GroupBox1 = at(new QGroupBox(TrQ("Window", "Konfiguration übertragen"), client), "GroupBox1", 16, 96, 353,
                   73, true);
    EmpfangenButton =
        at(new QPushButton(TrQ("Window", "Vom Gerät zum PC"), GroupBox1), "EmpfangenButton", 12, 28, 155, 33, true);
    Panel1 = at(RedPanel(new QFrame(GroupBox1)), "Panel1", 182, 24, 159, 41, false);
    SendenButton =
        at(new QPushButton(TrQ("Window", "Vom PC zum Gerät"), Panel1), "SendenButton", 2, 4, 155, 33, true);
    GroupBox2 = at(new QGroupBox(TrQ("Window", "Firmware übertragen"), client), "GroupBox2", 384, 96, 177, 73,
                   true);
    Panel2 = at(RedPanel(new QFrame(GroupBox2)), "Panel2", 9, 24, 159, 41, false);
    FirmwareButton =
        at(new QPushButton(TrQ("Window", "Vom PC zum Gerät"), Panel2), "FirmwareButton", 2, 4, 155, 33, true);

    // Status and port.
    GroupBox3 = at(new QGroupBox(TrQ("Window", "Status"), client), "GroupBox3", 16, 176, 353, 89, true);
    ProgressBar = at(Groove(new QProgressBar(GroupBox3)), "ProgressBar", 12, 26, 231, 20, false);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ResetPanel = at(LinePanel(new QLabel(TrQ("Window", "Reset"), GroupBox3)), "ResetPanel", 255, 24, 86, 24, true);
    ModePanel = at(LinePanel(new QLabel(TrQ("Window", "P-Mode"), GroupBox3)), "ModePanel", 255, 55, 86, 24, true);
    statusLabel = at(WhiteField(new QLabel(GroupBox3)), "statusLabel", 12, 55, 231, 24, false);
    GroupBox4 = at(new QGroupBox(TrQ("Window", "Port"), client), "GroupBox4", 384, 176, 177, 89, true);
    ComboBox = at(new QComboBox(GroupBox4), "ComboBox", 12, 24, 153, 26, true);
    SuchenButton = at(new QPushButton(TrQ("Window", "suchen"), GroupBox4), "SuchenButton", 12, 54, 153, 28, true);
    // The board buttons wait for a usable port.
    for (QPushButton* button : {EmpfangenButton, SendenButton, FirmwareButton})
        button->setEnabled(false);
    Bevel2 = at(Line(new QFrame(client)), "Bevel2", 8, 288, 561, 2, false);

    // Editor buttons.
    AllgemeinButton = at(new QPushButton(TrQ("Window", "Allgemeines"), client), "AllgemeinButton", 16, 304, 131,
                         33, false);
    TimingButton = at(new QPushButton(TrQ("Window", "Timing"), client), "TimingButton", 157, 304, 131, 33, false);
    SoftstartrelaisButton = at(new QPushButton(TrQ("Window", "Softstartrelais"), client),
                               "SoftstartrelaisButton", 298, 304, 131, 33, false);
    AnzeigebereicheButton = at(new QPushButton(TrQ("Window", "Anzeigebereiche"), client),
                               "AnzeigebereicheButton", 439, 304, 122, 33, false);
    GrenzwerteButton = at(new QPushButton(TrQ("Window", "Grenzwerte allgemein"), client), "GrenzwerteButton",
                          16, 344, 131, 33, false);
    ButtonMaxPWRDauerTr = at(new QPushButton(TrQ("Window", "Max-PWR bei Dauerträger"), client),
                             "ButtonMaxPWRDauerTr", 157, 344, 131, 33, false);
    Button_IA_MW = at(new QPushButton(TrQ("Window", "IA-Mittelwert"), client), "Button_IA_MW", 298, 344, 131,
                      33, false);
    PWRKorrekturButton = at(new QPushButton(TrQ("Window", "Korrektur PWR-Anzeige"), client),
                            "PWRKorrekturButton", 16, 384, 131, 33, false);

    // Service area: only reachable in the taller service-mode window.
    Bevel3 = at(Line(new QFrame(client)), "Bevel3", 8, 504, 561, 2, false);
    BetriebsZeitLoeButton = at(new QPushButton(TrQ("Window", "Betriebszeit löschen"), client),
                               "BetriebsZeitLoeButton", 16, 520, 170, 29, false);
    FehlerSpeicherLoeButton = at(new QPushButton(TrQ("Window", "Fehlerspeicher löschen"), client),
                                 "FehlerSpeicherLoeButton", 203, 520, 170, 29, false);
    KennungLoeButton = at(new QPushButton(TrQ("Window", "Kennung löschen"), client), "KennungLoeButton", 391,
                          520, 170, 29, false);
    Label47 = at(new QLabel(TrQ("Window", "LCD Serien-Nr.:"), client), "Label47", 16, 560, 100, 20, false);
    SerienNrEdit = at(new QLineEdit("0", client), "SerienNrEdit", 120, 557, 60, 24, false);
    SerienNrEdit->setMaxLength(4);
    Label48 = at(new QLabel(">>>", client), "Label48", 192, 560, 30, 20, false);
    SendSerienNrButton = at(new QPushButton(TrQ("Window", "übertragen"), client), "SendSerienNrButton", 228,
                            555, 100, 27, false);
    SendSerienNrButton->setEnabled(false);
    CheckBox2 = at(new QCheckBox(TrQ("Window", "Wirkungsgrad in Zeile 3 anzeigen"), client), "CheckBox2", 16,
                   592, 260, 20, false);
    CheckBox1 = at(new QCheckBox(TrQ("Window", "Überwachungen abschalten"), client), "CheckBox1", 300, 592, 260,
                   20, false);
    CheckBox3 = at(new QCheckBox(TrQ("Window", "IA-Mittelwert in Zeile 3 anzeigen"), client), "CheckBox3", 16,
                   616, 260, 20, false);
    Label2 = at(new QLabel(TrQ("Window", "Geräte-Typ"), client), "Label2", 16, 640, 100, 20, false);
    ComboBox1 = at(new QComboBox(client), "ComboBox1", 120, 637, 208, 24, false);
    Label1 = at(new QLabel(">>>", client), "Label1", 336, 640, 30, 20, false);
    Button1 = at(new QPushButton(TrQ("Window", "übertragen"), client), "Button1", 372, 635, 100, 27, false);
    Button1->setEnabled(false);
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{Bevel3, BetriebsZeitLoeButton, FehlerSpeicherLoeButton,
                                         KennungLoeButton, Label47, SerienNrEdit, Label48,
                                         SendSerienNrButton, CheckBox1, CheckBox2, CheckBox3,
                                         Label2, ComboBox1, Label1, Button1})
        hidden->hide();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFont(ArialPx(S(kSmallFontPx)));
    setStatusBar(StatusBar1);
}

void TMainForm::BuildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto add = [this](QWidget* menu, QAction*& action, const char* name, const QString& text,
                      void (TMainForm::*handler)()) {
        action = new QAction(text, this);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        menu->addAction(action);
    };
    QMenu* datei = bar->addMenu(TrQ("Window", "&Datei"));
    datei->setObjectName("Datei1");
    add(datei, Neu1, "Neu1", TrQ("Window", "Neu"), &TMainForm::Neu1Click);
    add(datei, ffnen1, "ffnen1", TrQ("Window", "Öffnen..."), &TMainForm::ffnen1Click);
    add(datei, Speichern1, "Speichern1", TrQ("Window", "Speichern"), &TMainForm::Speichern1Click);
    add(datei, Speichernunter1, "Speichernunter1", TrQ("Window", "Speichern unter..."),
        &TMainForm::Speichernunter1Click);
    datei->addSeparator();
    add(datei, Protokolldrucken1, "Protokolldrucken1", TrQ("Window", "&Protokoll drucken"),
        &TMainForm::Protokolldrucken1Click);
    datei->addSeparator();
    add(datei, PatchDateierstellen1, "PatchDateierstellen1", TrQ("Window", "Patch-Datei erstellen"),
        &TMainForm::PatchDateierstellen1Click);
    datei->addSeparator();
    add(datei, Beenden1, "Beenden1", TrQ("Window", "&Beenden"), &TMainForm::Beenden1Click);
    add(bar, Fehlerspeicher1, "Fehlerspeicher1", TrQ("Window", "&Fehlerspeicher"),
        &TMainForm::Fehlerspeicher1Click);
    QMenu* extras = bar->addMenu(TrQ("Window", "&Extras"));
    extras->setObjectName("Extras1");
    add(extras, Info1, "Info1", TrQ("Window", "&Info"), &TMainForm::Info1Click);
}

void TMainForm::ConnectControls()
{
    auto click = [this](QPushButton* button, auto handler) {
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    click(EmpfangenButton, &TMainForm::EmpfangenButtonClick);
    click(SendenButton, &TMainForm::SendenButtonClick);
    click(FirmwareButton, &TMainForm::FirmwareButtonClick);
    click(SuchenButton, &TMainForm::SuchenButtonClick);
    click(AllgemeinButton, &TMainForm::AllgemeinButtonClick);
    click(TimingButton, &TMainForm::TimingButtonClick);
    click(SoftstartrelaisButton, &TMainForm::SoftstartrelaisButtonClick);
    click(AnzeigebereicheButton, &TMainForm::AnzeigebereicheButtonClick);
    click(GrenzwerteButton, &TMainForm::GrenzwerteButtonClick);
    click(ButtonMaxPWRDauerTr, &TMainForm::ButtonMaxPWRDauerTrClick);
    click(Button_IA_MW, &TMainForm::Button_IA_MWClick);
    click(PWRKorrekturButton, &TMainForm::PWRKorrekturButtonClick);
    click(BetriebsZeitLoeButton, &TMainForm::BetriebsZeitLoeButtonClick);
    click(FehlerSpeicherLoeButton, &TMainForm::FehlerSpeicherLoeButtonClick);
    click(KennungLoeButton, &TMainForm::KennungLoeButtonClick);
    click(SendSerienNrButton, &TMainForm::SendSerienNrButtonClick);
    click(Button1, &TMainForm::Button1Click);
    // Setting a box from the program runs its handler as a click would.
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connect(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connect(CheckBox3, &QCheckBox::toggled, this, [this] { CheckBox3Click(); });
    SerienNrEdit->installEventFilter(this);
    CheckBox1->installEventFilter(this);
    CheckBox2->installEventFilter(this);
    CheckBox3->installEventFilter(this);
    connect(ComboBox, &QComboBox::activated, this, [this] { ComboBoxChange(); });
    // activated also fires when the same entry is chosen again.
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    ComboBox1->installEventFilter(this);
    ResetPanel->installEventFilter(this);
    ModePanel->installEventFilter(this);
}

void TMainForm::ShowServiceControls()
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             Bevel3, FehlerSpeicherLoeButton, BetriebsZeitLoeButton, KennungLoeButton, CheckBox1,
             CheckBox2, CheckBox3, Label47, Label48, SerienNrEdit, SendSerienNrButton, Label2,
             ComboBox1})
        w->show();
}

// Names for screen readers where the window shows a control's meaning only by its
// place: the two "Vom PC zum Gerät" and the two "übertragen" buttons by their group or
// row, the lists and the serial-number field by their labels, the line panels with
// their state (their colour says it to the eye).
void TMainForm::NameControls()
{
    auto within = [](const QString& where, QWidget* control, const QString& what) {
        control->setAccessibleName(where + ": " + what);
    };
    within(GroupBox1->title(), SendenButton, SendenButton->text());
    within(GroupBox2->title(), FirmwareButton, FirmwareButton->text());
    within(WithoutColon(Label47->text()), SendSerienNrButton, SendSerienNrButton->text());
    within(Label2->text(), Button1, Button1->text());
    // On Linux a list is read with the label it is labelled by (its group's title for
    // the port list) and its current item.
    ComboBox->setAccessibleName(GroupBox4->title());
    ComboBox1->setAccessibleName(Label2->text());
    Label2->setBuddy(ComboBox1);
    SerienNrEdit->setAccessibleName(WithoutColon(Label47->text()));
    ShowLineState(ResetPanel, "Reset", false);
    ShowLineState(ModePanel, "P-Mode", false);
}

void TMainForm::ShowLineState(QLabel* panel, const char* line, bool on)
{
    const std::string state = on ? Tr("Window", "%1: ein") : Tr("Window", "%1: aus");
    const QString name = QString::fromStdString(Fill(state, {Tr("Window", line)}));
    // Setting a new name is what tells the screen reader that the state changed.
    if (panel->accessibleName() != name)
        panel->setAccessibleName(name);
}

void TMainForm::CreateForms(TInfoForm* info)
{
    infoForm_ = info;
    if (info) {
        info->setParent(this, info->windowFlags());
        forms_.push_back(info);
    }
    const EditorContext context{params_, dialogs_, scale_};
    auto editor = [&](EditorForm which) {
        QDialog* dialog = CreateEditorForm(which, context, this);
        editorForms_[static_cast<int>(which)] = dialog;
        forms_.push_back(dialog);
    };
    editor(EditorForm::GrenzwerteMaxPWR);
    editor(EditorForm::PWR_Korrektur);
    editor(EditorForm::Softstartrelais);
    editor(EditorForm::Timing);
    forms_.push_back(new TVerKompForm(this));
    editor(EditorForm::Allgemeines);
    editor(EditorForm::Anzeigebereiche);
    editor(EditorForm::Grenzwerte);
    editor(EditorForm::Grenzwerte_IA_Mittelwert);
    fehlerSpeicherForm_ =
        CreateFehlerSpeicherForm(params_, TheFaultMemory(), dialogs_, scale_, this);
    forms_.push_back(fehlerSpeicherForm_);
}

QDialog* TMainForm::Form(const QString& objectName) const
{
    for (QDialog* form : forms_)
        if (form && form->objectName() == objectName)
            return form;
    return nullptr;
}

// ---- LinkHost -------------------------------------------------------------------

void TMainForm::Sleep(int ms)
{
    if (ended_)
        return;  // an exchange cut off by the end unwinds without waiting
    if (SleepFunction)
        SleepFunction(ms);
    else
        QThread::msleep(static_cast<unsigned long>(ms));
}

void TMainForm::ProcessMessages()
{
    if (!ended_)
        QCoreApplication::processEvents();
}

void TMainForm::SetProgress(int percent) { ProgressBar->setValue(percent); }

void TMainForm::SetStatus(const std::string& text)
{
    statusLabel->setText(QString::fromStdString(text));
    statusLabel->repaint();
}

void TMainForm::EnableLinkControls(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             EmpfangenButton, ResetPanel, ModePanel, ProgressBar, BetriebsZeitLoeButton,
             FehlerSpeicherLoeButton, KennungLoeButton, Label47, SerienNrEdit, SuchenButton,
             ComboBox, SendenButton, FirmwareButton})
        w->setEnabled(on);
    SendSerienNrButton->setEnabled(on && SendSerialButtonEnabled(SerienNrEdit->text().toStdString(),
                                                                 params_.DeviceMark));
    // The device-type row starts an exchange of its own (and changes the set that an
    // upload is sending): off with the link controls, back as it was.
    if (!on && !deviceRowHeld_) {
        deviceRowHeld_ = true;
        deviceTypeButtonWas_ = Button1->isEnabled();
        deviceTypeListWas_ = ComboBox1->isEnabled();
        Button1->setEnabled(false);
        ComboBox1->setEnabled(false);
    } else if (on && deviceRowHeld_) {
        deviceRowHeld_ = false;
        Button1->setEnabled(deviceTypeButtonWas_);
        ComboBox1->setEnabled(deviceTypeListWas_);
    }
}

void TMainForm::EnableDeviceTypeButton()
{
    if (deviceRowHeld_)
        deviceTypeButtonWas_ = true;
    else
        Button1->setEnabled(true);
}

void TMainForm::EnableEditorControls(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             AllgemeinButton, AnzeigebereicheButton, GrenzwerteButton, TimingButton,
             SoftstartrelaisButton, PWRKorrekturButton, ButtonMaxPWRDauerTr, Button_IA_MW,
             CheckBox1, CheckBox2, CheckBox3})
        w->setEnabled(on);
}

void TMainForm::PaintResetPanel(bool on)
{
    Fill(ResetPanel, on ? kPanelOn : kPanelOff);
    ShowLineState(ResetPanel, "Reset", on);
}

void TMainForm::PaintModePanel(bool on)
{
    Fill(ModePanel, on ? kPanelOn : kPanelOff);
    ShowLineState(ModePanel, "P-Mode", on);
}

// ---- ConfigFileHost and the shown parameter set ------------------------------------

void TMainForm::SetCaption(const std::string& text) { setWindowTitle(QString::fromStdString(text)); }

void TMainForm::SetFileLabel(const std::string& text)
{
    Label61->setText(QString::fromStdString(text == kUntitled ? Tr("Files", kUntitled) : text));
}

void TMainForm::RefreshMainWindow()
{
    const QString serial = QString::fromStdString(params_.SerialNumber);
    SerienNrEdit->setText(serial);
    Label44->setText(serial);
    Label44->repaint();
    // Ticking a box runs its click handler, which may clear the value behind the next
    // box: each box is set from the set as the one before left it.
    CheckBox1->setChecked(OptionBoxesFrom(params_).Box1);
    CheckBox2->setChecked(OptionBoxesFrom(params_).Box2);
    CheckBox3->setChecked(OptionBoxesFrom(params_).Box3);
    ComboBox1->setCurrentIndex(params_.DeviceType < ComboBox1->count() ? params_.DeviceType : -1);
    Label4->setText(QString::fromStdString(params_.BoardVersionText));
    params_.ValueCount = kValueCount;
}

// ---- Start and end ----------------------------------------------------------------

void TMainForm::Timer1Timer()
{
    Timer1->stop();
    outer_->Centre();
    show();
    params_.StartFolder = QDir::currentPath().toStdString();
    if (params_.SettingsLoaded == 0)
        params_.DataFolder = DefaultDataFolder(SharedDocumentsFolder(), params_.StartFolder);
    SearchBoardPort();
}

void TMainForm::ComboBox1Change()
{
    params_.DeviceType = static_cast<uint8_t>(ComboBox1->currentIndex());
    Button1->setEnabled(true);
}

void TMainForm::ComboBox1Exit() { ComboBox1Change(); }

// A control is left when the focus moves to another control of the window. Opening a
// menu or a drop-down list, or another window becoming active (a message box, another
// program), takes the focus only for a while: it comes back to the same control.
static bool LeavesTheControl(const QEvent* event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    // A drop-down list also moves the focus into its open list, for another reason.
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason
        && !QApplication::activePopupWidget();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    const bool leaves = LeavesTheControl(event);
    if (watched == SerienNrEdit) {
        if (event->type() == QEvent::MouseButtonRelease) {
            SerienNrEditClick();
        } else if (leaves) {
            SerienNrEditExit();
        } else if (event->type() == QEvent::KeyPress) {
            if (SerienNrEditKeyPress(static_cast<QKeyEvent*>(event)))
                return true;
        }
    }
    if (leaves) {
        if (watched == CheckBox1) CheckBox1Click();
        else if (watched == CheckBox2) CheckBox2Click();
        else if (watched == CheckBox3) CheckBox3Click();
    }
    if (watched == ComboBox1 && leaves)
        ComboBox1Exit();
    // A switched-off panel does nothing.
    else if (event->type() == QEvent::MouseButtonPress && watched == ResetPanel && ResetPanel->isEnabled())
        ResetPanelClick();
    else if (event->type() == QEvent::MouseButtonPress && watched == ModePanel && ModePanel->isEnabled())
        ModePanelClick();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormCloseQuery();
    event->accept();
}

void TMainForm::FormCloseQuery() { EndProgram(); }

void TMainForm::Beenden1Click() { EndProgram(); }

// Both ways of ending: no question about unsaved changes; the settings are kept.
void TMainForm::EndProgram()
{
    if (ended_)
        return;
    ended_ = true;
    // When the window is closed while an exchange processes its messages, the program
    // ends inside that exchange: it must not speak once the port is gone.
    messages_.Silence();
    ClosePort();
    WriteSettings(params_);
    KeepUnsavedSet();
    EndProcess(0);
}

// The end asks nothing and saves nothing, but a changed set is not simply gone: it is
// left in the state folder, without a word on screen; a failure is a line on stderr.
void TMainForm::KeepUnsavedSet()
{
    if (!kept_.ChangedIn(params_))
        return;
    const BackupResult stored = StoreUnsaved(UnsavedFolder, params_, BackupStamp(std::time(nullptr)));
    if (!stored.Ok)
        Diagnose("unsaved set not kept: " + stored.Error);
}

// ---- Menu -------------------------------------------------------------------------

void TMainForm::Neu1Click() { ::Neu1Click(params_, *this); }
void TMainForm::ffnen1Click()
{
    if (::ffnen1Click(params_, *this))
        kept_.Keep(params_);
}

void TMainForm::Speichern1Click()
{
    if (::Speichern1Click(params_, *this))
        kept_.Keep(params_);
}

void TMainForm::Speichernunter1Click()
{
    if (::Speichernunter1Click(params_, *this))
        kept_.Keep(params_);
}

void TMainForm::Protokolldrucken1Click()
{
    ::Protokolldrucken1Click(params_, deviceTypeNames_, dialogs_, this);
}

void TMainForm::Fehlerspeicher1Click() { OpenDialog(fehlerSpeicherForm_); }
void TMainForm::Info1Click() { OpenDialog(infoForm_); }

void TMainForm::OpenDialog(QDialog* dialog)
{
    if (dialog)
        dialog->exec();
}

void TMainForm::AllgemeinButtonClick() { OpenDialog(editorForms_[int(EditorForm::Allgemeines)]); }
void TMainForm::TimingButtonClick() { OpenDialog(editorForms_[int(EditorForm::Timing)]); }
void TMainForm::SoftstartrelaisButtonClick()
{
    OpenDialog(editorForms_[int(EditorForm::Softstartrelais)]);
}
void TMainForm::AnzeigebereicheButtonClick()
{
    OpenDialog(editorForms_[int(EditorForm::Anzeigebereiche)]);
}
void TMainForm::GrenzwerteButtonClick() { OpenDialog(editorForms_[int(EditorForm::Grenzwerte)]); }
void TMainForm::ButtonMaxPWRDauerTrClick()
{
    OpenDialog(editorForms_[int(EditorForm::GrenzwerteMaxPWR)]);
}
void TMainForm::Button_IA_MWClick()
{
    OpenDialog(editorForms_[int(EditorForm::Grenzwerte_IA_Mittelwert)]);
}
void TMainForm::PWRKorrekturButtonClick()
{
    OpenDialog(editorForms_[int(EditorForm::PWR_Korrektur)]);
}

// ---- Hooks of the board, port, patch and service work -----------------------------

void TMainForm::PatchDateierstellen1Click()
{
    ::PatchDateierstellen1Click(dialogs_, params_, [this] { board_->PlayFoundSound(); });
}

void TMainForm::EnableMenusBesideExchange(bool on)
{
    for (QAction* action : {Neu1, ffnen1, Speichern1, Speichernunter1, Protokolldrucken1,
                            PatchDateierstellen1, Fehlerspeicher1})
        action->setEnabled(on);
}

void TMainForm::UseBoard(BoardSetup setup)
{
    board_.reset();
    board_ = std::make_unique<BoardConnection>(*this, std::move(setup));
}

// What the board holds after a download or an upload is the set as last kept.
Outcome TMainForm::EmpfangenButtonClick()
{
    const Outcome outcome = board_->EmpfangenButtonClick();
    if (outcome == Outcome::Done)
        kept_.Keep(params_);
    return outcome;
}

Outcome TMainForm::SendenButtonClick()
{
    const Outcome outcome = board_->SendenButtonClick();
    if (outcome == Outcome::Done)
        kept_.Keep(params_);
    return outcome;
}

Outcome TMainForm::FirmwareButtonClick() { return board_->FirmwareButtonClick(); }
void TMainForm::SearchBoardPort() { board_->SearchBoardPort(); }
void TMainForm::SuchenButtonClick() { board_->SearchBoardPort(); }
void TMainForm::ComboBoxChange() { board_->ComboBoxChange(); }
void TMainForm::ResetPanelClick() { board_->ResetPanelClick(); }
void TMainForm::ModePanelClick() { board_->ModePanelClick(); }
void TMainForm::ClosePort() { board_->ClosePort(); }
Outcome TMainForm::BetriebsZeitLoeButtonClick() { return board_->BetriebsZeitLoeButtonClick(); }
Outcome TMainForm::FehlerSpeicherLoeButtonClick() { return board_->FehlerSpeicherLoeButtonClick(); }
Outcome TMainForm::KennungLoeButtonClick() { return board_->KennungLoeButtonClick(); }
Outcome TMainForm::SendSerienNrButtonClick() { return board_->SendSerienNrButtonClick(); }
Outcome TMainForm::Button1Click() { return board_->Button1Click(); }

// ---- service area: serial-number entry and option boxes ---------------------------

void TMainForm::SerienNrEditClick() { SerienNrEdit->selectAll(); }

void TMainForm::SerienNrEditExit()
{
    // The refusal's message box takes the focus away once more: accept only once.
    if (acceptingSerial_)
        return;
    acceptingSerial_ = true;
    const std::string shown =
        SerienNrEditAccept(dialogs_, params_, SerienNrEdit->text().toStdString());
    SerienNrEdit->setText(QString::fromStdString(shown));
    Label44->setText(QString::fromStdString(params_.SerialNumber));
    SerienNrEdit->selectAll();
    SendSerienNrButton->setEnabled(SendSerialButtonEnabled(shown, params_.DeviceMark));
    acceptingSerial_ = false;
}

bool TMainForm::SerienNrEditKeyPress(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        SerienNrEditExit();
        return true;
    }
    const int character = event->text().isEmpty() ? 0 : event->text().at(0).unicode();
    return SerienNrEditSwallowsKey(character);
}

void TMainForm::CheckBox1Click() { OptionCheckBox(1); }
void TMainForm::CheckBox2Click() { OptionCheckBox(2); }
void TMainForm::CheckBox3Click() { OptionCheckBox(3); }

void TMainForm::OptionCheckBox(int box)
{
    if (settingOptions_)
        return;
    settingOptions_ = true;
    const OptionBoxes now{CheckBox1->isChecked(), CheckBox2->isChecked(), CheckBox3->isChecked()};
    const OptionBoxes shown = OptionCheckBoxChanged(params_, box, now);
    CheckBox1->setChecked(shown.Box1);
    CheckBox2->setChecked(shown.Box2);
    CheckBox3->setChecked(shown.Box3);
    settingOptions_ = false;
}
