#include "reports.h"

#include <QDialog>

// Placeholders until the fault-memory window and the report are built.
QDialog* CreateFehlerSpeicherForm(ParameterSet&, const FaultMemory&, Dialogs&, float,
                                  QWidget* parent)
{
    auto* dialog = new QDialog(parent);
    dialog->setObjectName("TFehlerSpeicherForm");
    return dialog;
}

void Protokolldrucken1Click(const ParameterSet&, const std::vector<std::string>&, Dialogs&,
                            QWidget*)
{
}
