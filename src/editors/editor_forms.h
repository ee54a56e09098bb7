#pragma once
// The eight parameter editor dialogs. The main window creates them once at start-up,
// in its fixed order, and shows them modally from its editor buttons.
#include "editor_form_ids.h"

class QDialog;
class QWidget;
class Dialogs;
struct ParameterSet;

struct EditorContext {
    ParameterSet& Params;
    Dialogs& Messages;
    float Scale;  // screen dpi / 96
};

// Creates one dialog (hidden). Its objectName() is the class name, e.g. "TTimingForm".
QDialog* CreateEditorForm(EditorForm which, const EditorContext& context, QWidget* parent);
