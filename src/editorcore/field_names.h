#pragma once
// What a screen reader says for an editor field, found in the field tables like the
// places of field_places.h: the row's caption, the column heading above the field
// ("U-max") and the unit after it, "Anode U-max, V"; the range message is the
// field's description. Names are unique within a dialog: where two rows read alike
// (the two time windows of the soft-start relay) the heading of their section comes
// first, and a value named after the radio button above it is that button's "Wert".
#include "editor_tables.h"

#include <string>

// The translated name of `field` in `table`; empty only for a row without a field of
// its own in the layout (the band mode, whose three buttons carry their captions).
std::string AccessibleFieldName(const EditorTable& table, const FieldDescription& field);

// The translated range message, or "" for lists and check boxes.
std::string AccessibleFieldDescription(const FieldDescription& field);

// The label a list is read with: on Linux a screen reader names a drop-down list by
// the label it is "labelled by" and reads its current item as the name; this is the
// layout's label just left of the list on its row (nothing when there is none).
const LayoutItem* ListLabel(const EditorTable& table, const FieldDescription& field);

// The name with the field's mark for the patch file: "Anode U-max, V, markiert".
std::string MarkedFieldName(const std::string& name);

// The two arrows of the power range field: "PWR, W, auf" and "PWR, W, ab".
std::string ArrowUpName(const std::string& fieldName);
std::string ArrowDownName(const std::string& fieldName);
