#pragma once
// The eight editor dialogs as data: class name, caption, design size, the field
// table (one FieldDescription per control) and the layout (labels, units, positions in
// design pixels at 96 dpi). One mechanism (editor_dialog.h) builds every dialog
// from its table; the tests walk every row of every table.
#include "editor_form_ids.h"
#include "field_description.h"

#include <string>
#include <vector>

enum class ItemKind {
    Label,    // plain text; Name given when a rule switches it on and off
    Heading,  // bold text
    Field,    // the control of the table row named in Text
    Radio,    // a radio button of the mode group; Name RadioButton1..3, Text its caption
    Arrows,   // the up-down arrows of the power range field
};

struct LayoutItem {
    ItemKind Kind = ItemKind::Label;
    std::string Text;  // label text, radio caption, or the control name of a field
    int X = 0;
    int Y = 0;
    int W = 0;         // width of fields and radios (labels take their natural width)
    std::string Name;  // object name of labels and radio buttons
};

struct EditorTable {
    EditorForm Form;
    std::string ClassName;
    std::string Caption;
    int Width = 0;   // outer design size at 96 dpi
    int Height = 0;
    std::string FocusField;  // control that gets the focus on show (empty: none)
    std::vector<FieldDescription> Fields;
    std::vector<LayoutItem> Layout;
    // Tab order of the band dialogs; empty where the fields are no tab stops.
    std::vector<std::string> TabOrder;
};

const std::vector<EditorForm>& AllEditorForms();
const EditorTable& EditorTableFor(EditorForm form);
const FieldDescription* FindField(const EditorTable& table, const std::string& control);
