// Starts the program's forms as main() does, on whatever screen the environment gives,
// and prints the sizes the windows have on that screen in device pixels:
//   scale <factor> main <w>x<h> fault <w>x<h>
// test_app_screen_scale runs it at several dots per inch.
#include "main_form.h"
#include "parameter_set.h"
#include "scripted_dialogs.h"
#include "screen_scale.h"
#include "start_up.h"

#include <QApplication>
#include <QDialog>

#include <cmath>
#include <cstdio>

int main(int argc, char** argv)
{
    SwitchOffToolkitScaling();
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    ScriptedDialogs dialogs;
    ParameterSet params;
    auto form = CreateProgramForms(dialogs, params, arguments);
    const QDialog* fault = form->Form("TFehlerSpeicherForm");
    const double ratio = form->devicePixelRatioF();
    auto pixels = [ratio](int n) { return long(std::lround(n * ratio)); };
    std::printf("scale %.4f main %ldx%ld fault %ldx%ld\n", double(form->Scale()),
                pixels(form->width()), pixels(form->height()), pixels(fault->width()),
                pixels(fault->height()));
    return 0;
}
