#pragma once
// The program's start: the forms in their fixed order around the main window.
#include <QStringList>

#include <memory>

class Dialogs;
class TMainForm;
struct ParameterSet;

// Creates TInfoForm, then TMainForm (which reads the settings and the device-type list
// while hidden and starts its one-second timer), then the editor dialogs, TVerKompForm
// and TFehlerSpeicherForm. arguments: the command line without the program name.
std::unique_ptr<TMainForm> CreateProgramForms(Dialogs& dialogs, ParameterSet& params,
                                              const QStringList& arguments, float scale = 0.0f);
