// LCD Konfiguration: configures the display-and-control board of a valve linear
// amplifier over its USB serial port.
#include "end_signals.h"
#include "language.h"
#include "dialog_scale.h"
#include "main_form.h"
#include "translation.h"
#include "parameter_set.h"
#include "qt_dialogs.h"
#include "qt_translation.h"
#include "screen_scale.h"
#include "start_up.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <exception>

namespace {

// An exception that escapes a handler is shown, and the program goes on.
class LcdApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            QApplication::beep();
            ShowCritical(e.what());
        } catch (...) {
            QApplication::beep();
            ShowCritical(TrQ("Window", "Unbekannter Fehler"));
        }
        return false;
    }

private:
    void ShowCritical(const QString& text)
    {
        QMessageBox box(QMessageBox::Critical, applicationName(), text, QMessageBox::Ok, activeWindow());
        ScaleDialog(box);
        box.exec();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    // The windows scale themselves by the screen's dots per inch.
    SwitchOffToolkitScaling();
    LcdApplication app(argc, argv);
    // The title the desktop shows for the program (not appended to window captions).
    QApplication::setApplicationName("LCD Konfiguration");
    QApplication::setApplicationVersion(QString::fromStdString(ProgramVersionFromBuild()));
    // German unless the desktop asks for English (or LCDKONFIG_LANG decides); Qt's own
    // dialogs speak the same language.
    const Language language = LanguageOfEnvironment();
    UseLanguage(language);
    UseQtTranslation(LanguageCode(language));
    // The program's icon on its windows; Wayland desktops take it from the menu entry named here.
    QApplication::setWindowIcon(QIcon(":/icons/lcdkonfig.png"));
    QGuiApplication::setDesktopFileName("lcdkonfig");
    // The program ends only through the main window's own end handling.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own dialogs at the scale of the program's windows.
    const DpiSources dpi = CurrentDpiSources();
    SetDialogScale(ScreenDpi(dpi) / dpi.ToolkitDpi);

    QtDialogs dialogs;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    auto mainForm = CreateProgramForms(dialogs, TheParameterSet(), arguments);
    CloseOnEndSignals(*mainForm);
    app.exec();
    return 0;
}
