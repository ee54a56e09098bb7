#include "editor_forms.h"

#include "dialog_rules.h"
#include "editor_dialog.h"
#include "editor_tables.h"

QDialog* CreateEditorForm(EditorForm which, const EditorContext& context, QWidget* parent)
{
    auto* dialog = new EditorDialog(EditorTableFor(which), context.Params, context.Messages,
                                    context.Scale, parent);
    AttachDialogRules(*dialog);
    return dialog;
}
