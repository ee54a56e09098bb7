#include "editor_forms.h"

#include <QDialog>

// Placeholder dialogs until the editors are built.
QDialog* CreateEditorForm(EditorForm which, const EditorContext& context, QWidget* parent)
{
    (void)context;
    static const char* const names[] = {
        "TGrenzwerteMaxPWRForm", "TPWR_KorrekturForm", "TSoftstartrelaisForm", "TTimingForm",
        "TAllgemeinesForm",      "TAnzeigebereicheForm", "TGrenzwerteForm",
        "TGrenzwerte_IA_MittelwertForm"};
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(names[static_cast<int>(which)]);
    return dialog;
}
