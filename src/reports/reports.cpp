#include "reports.h"
#include "translation.h"

#include "dialogs.h"
#include "fehler_speicher_form.h"
#include "parameter_set.h"
#include "report_layout.h"
#include "report_print.h"

#include "dialog_scale.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

QDialog* CreateFehlerSpeicherForm(ParameterSet& params, const FaultMemory& faults,
                                  Dialogs& messages, float scale, QWidget* parent)
{
    return new TFehlerSpeicherForm(params, faults, messages, scale, parent);
}

bool PrintReport(const ParameterSet& params, const std::vector<std::string>& deviceTypeNames,
                 Dialogs& messages, QPrinter& printer, const PrintDialogRunner& showDialog)
{
    if (!params.DataPresent) {
        messages.Beep();
        messages.Information(Tr("Reports", "Es sind noch keine Daten vorhanden!"));
        return false;
    }
    printer.setCopyCount(1);
    printer.setFromTo(1, kReportPages);
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!showDialog(printer))
        return false;
    if (printer.pageLayout().orientation() == QPageLayout::Landscape) {
        messages.Beep();
        messages.Information(Tr("Reports", "Es ist nicht möglich im Querformat zu Drucken !"));
        return false;
    }
    return RunReportPrintJob(printer, params, deviceTypeNames);
}

void Protokolldrucken1Click(const ParameterSet& params,
                            const std::vector<std::string>& deviceTypeNames,
                            Dialogs& messages, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    PrintReport(params, deviceTypeNames, messages, printer, [parent](QPrinter& p) {
        QPrintDialog dialog(&p, parent);
        ScaleDialog(dialog);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setMinMax(1, kReportPages);
        dialog.setFromTo(1, kReportPages);
        return dialog.exec() == QDialog::Accepted;
    });
}
