#pragma once
// The fault-memory window and the printed report, as the main window uses them.
#include <functional>
#include <string>
#include <vector>

class QDialog;
class QPrinter;
class QWidget;
class Dialogs;
struct FaultMemory;
struct ParameterSet;

// TFehlerSpeicherForm, created hidden at start-up (after the settings were read, so
// it can take FaultWindowWidth/Height); the main menu "&Fehlerspeicher" shows it modally.
QDialog* CreateFehlerSpeicherForm(ParameterSet& params, const FaultMemory& faults,
                                  Dialogs& messages, float scale, QWidget* parent);

// "&Protokoll drucken": the checks, the print dialog and the two-page report.
// deviceTypeNames are the names of the device-type list (empty when none was read).
void Protokolldrucken1Click(const ParameterSet& params,
                            const std::vector<std::string>& deviceTypeNames,
                            Dialogs& messages, QWidget* parent);

// The same sequence with the print dialog handed in: it is shown with the printer
// prepared (pages 1 to 2, one copy, portrait) and returns false when cancelled.
// Returns true when the report was printed.
using PrintDialogRunner = std::function<bool(QPrinter&)>;
bool PrintReport(const ParameterSet& params, const std::vector<std::string>& deviceTypeNames,
                 Dialogs& messages, QPrinter& printer, const PrintDialogRunner& showDialog);
