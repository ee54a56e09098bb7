#pragma once
// The main window: file name, board identity, the transfer and firmware buttons, the
// status and port groups, the eight editor buttons and (in service mode) the service
// area. It routes every menu entry and button to the operation behind it and is the
// LinkHost of every exchange with the board.
#include "board_connection.h"
#include "config_file.h"
#include "ending_dialogs.h"
#include "link_host.h"
#include "screen_scale.h"
#include "unsaved_sets.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QKeyEvent;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class OuterSize;
class TInfoForm;
struct ParameterSet;

inline constexpr int kNormalWidth = 593;
inline constexpr int kNormalHeight = 570;
inline constexpr int kServiceHeight = 756;
inline constexpr int kStartTimerMs = 1000;

class TMainForm : public QMainWindow, public LinkHost, public ConfigFileHost {
public:
    // arguments: the command line without the program name. scale 0 takes the screen's.
    TMainForm(Dialogs& dialogs, ParameterSet& params, const QStringList& arguments,
              float scale = 0.0f, QWidget* parent = nullptr);

    // Start-up creates the other forms after this one, in this order: Info first (it is
    // created before the main window and handed over here), the editor dialogs with
    // TVerKompForm among them, and last TFehlerSpeicherForm.
    void CreateForms(TInfoForm* info);
    // Object names of the forms in the order they were created.
    std::vector<QDialog*> Forms() const { return forms_; }
    QDialog* Form(const QString& objectName) const;

    float Scale() const { return scale_; }
    const std::vector<std::string>& DeviceTypeNames() const { return deviceTypeNames_; }
    ParameterSet& Params() { return params_; }

    // Ends the process; QCoreApplication::exit by default, a recorder in tests.
    std::function<void(int)> EndProcess;
    // How the window sleeps during an exchange; a plain sleep by default, the virtual
    // board's clock in tests.
    std::function<void(int)> SleepFunction;
    // Where the end leaves a changed, unsaved set (unsaved_sets.h); the state folder's
    // "unsaved" by default.
    std::string UnsavedFolder;

    // The port, the line watchers and the board handlers. UseBoard replaces the default
    // (Linux ports, LCDKONFIG_VIRTUAL_BOARD) before the first timer tick.
    BoardConnection& Board() { return *board_; }
    void UseBoard(BoardSetup setup);

    // LinkHost and ConfigFileHost.
    Dialogs& Messages() override { return dialogs_; }
    void Sleep(int ms) override;
    void ProcessMessages() override;
    void SetProgress(int percent) override;
    void SetStatus(const std::string& text) override;
    void EnableLinkControls(bool on) override;
    void EnableEditorControls(bool on) override;
    void PaintResetPanel(bool on) override;
    void PaintModePanel(bool on) override;
    void SetCaption(const std::string& text) override;
    void SetFileLabel(const std::string& text) override;
    void RefreshMainWindow() override;

    // While an exchange with the board runs, the window keeps processing its messages;
    // the menu entries that read or change the parameter set or open a window are off
    // then, so a file opened mid-upload cannot mix two sets on the board.
    void EnableMenusBesideExchange(bool on);
    // Button1 on; while the link controls are off, on once they come back.
    void EnableDeviceTypeButton();

    // Start-up tick, about one second after the constructor.
    void Timer1Timer();
    void ComboBox1Change();
    void ComboBox1Exit();

    // Menu.
    void Neu1Click();
    void ffnen1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    void Protokolldrucken1Click();
    void PatchDateierstellen1Click();
    void Beenden1Click();
    void Fehlerspeicher1Click();
    void Info1Click();
    void FormCloseQuery();

    // Editor buttons: each opens its dialog modally.
    void AllgemeinButtonClick();
    void TimingButtonClick();
    void SoftstartrelaisButtonClick();
    void AnzeigebereicheButtonClick();
    void GrenzwerteButtonClick();
    void ButtonMaxPWRDauerTrClick();
    void Button_IA_MWClick();
    void PWRKorrekturButtonClick();

    // Board operations, port and service area: filled in by the link, transfer,
    // firmware and service work.
    Outcome EmpfangenButtonClick();
    Outcome SendenButtonClick();
    Outcome FirmwareButtonClick();
    void SearchBoardPort();
    void SuchenButtonClick();
    void ComboBoxChange();
    void ResetPanelClick();
    void ModePanelClick();
    void ClosePort();
    Outcome BetriebsZeitLoeButtonClick();
    Outcome FehlerSpeicherLoeButtonClick();
    Outcome KennungLoeButtonClick();
    Outcome SendSerienNrButtonClick();
    void SerienNrEditClick();
    void SerienNrEditExit();
    // True when the key is swallowed (Enter after accepting, character 29).
    bool SerienNrEditKeyPress(QKeyEvent* event);
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void OptionCheckBox(int box);
    Outcome Button1Click();

    // Controls, named as in the window's design.
    QLabel *Label32, *Label61, *Label43, *Label44, *Label3, *Label4;
    QFrame *Bevel1, *Bevel2, *Bevel3;
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
    QPushButton *EmpfangenButton, *SendenButton, *FirmwareButton;
    QFrame *Panel1, *Panel2;
    QProgressBar* ProgressBar;
    QLabel *ResetPanel, *ModePanel, *statusLabel;
    QComboBox* ComboBox;
    QPushButton* SuchenButton;
    QPushButton *AllgemeinButton, *TimingButton, *SoftstartrelaisButton, *AnzeigebereicheButton,
        *GrenzwerteButton, *ButtonMaxPWRDauerTr, *Button_IA_MW, *PWRKorrekturButton;
    QPushButton *BetriebsZeitLoeButton, *FehlerSpeicherLoeButton, *KennungLoeButton;
    QLabel *Label47, *Label48;
    QLineEdit* SerienNrEdit;
    QPushButton* SendSerienNrButton;
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3;
    QLabel *Label2, *Label1;
    QComboBox* ComboBox1;
    QPushButton* Button1;
    QStatusBar* StatusBar1;
    QAction *Neu1, *ffnen1, *Speichern1, *Speichernunter1, *Protokolldrucken1,
        *PatchDateierstellen1, *Beenden1, *Fehlerspeicher1, *Info1;
    QTimer* Timer1;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenu();
    void ConnectControls();
    void ShowServiceControls();
    void NameControls();
    void ShowLineState(QLabel* panel, const char* line, bool on);
    void OpenDialog(QDialog* dialog);
    void EndProgram();
    void KeepUnsavedSet();
    int S(int designPixels) const { return static_cast<int>(designPixels * scale_); }

    EndingDialogs messages_;
    Dialogs& dialogs_;  // messages_: every box of the window and its operations
    ParameterSet& params_;
    float scale_;
    bool ended_ = false;
    KeptSet kept_;  // the set as last opened, saved, read from or written to the board
    std::vector<std::string> deviceTypeNames_;
    std::vector<QDialog*> forms_;
    TInfoForm* infoForm_ = nullptr;
    QDialog* editorForms_[8] = {};
    QDialog* fehlerSpeicherForm_ = nullptr;
    std::unique_ptr<BoardConnection> board_;
    OuterSize* outer_ = nullptr;  // 593 x 570 (756 in service mode), frame included
    bool acceptingSerial_ = false;
    bool settingOptions_ = false;
    // Button1 and ComboBox1 as they were when the link controls went off.
    bool deviceRowHeld_ = false;
    bool deviceTypeButtonWas_ = false;
    bool deviceTypeListWas_ = true;
};
