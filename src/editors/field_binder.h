#pragma once
// The one field mechanism of the editors: binds a control (edit field, list, check
// box or mode group) to its table row and runs the cycle of show, click, key,
// confirm, store and colour. Dialog rules hook in through AfterStore.
#include "field_description.h"

#include <QColor>
#include <QObject>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class ArrowControl;
class Dialogs;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;
struct ParameterSet;

// Background colours of the fields.
QColor MarkedColour();  // red: the value is marked for the patch file
QColor WindowColour();  // the system window colour (QPalette::Base), of every unmarked field
// The system menu colour, which a field switched off by a mode or option of its dialog
// takes until the dialog repaints. On the desktop the program comes from it is the
// colour of a button face, so QPalette::Button stands for it.
QColor MenuColour();

// What the fields of one dialog share.
struct FieldContext {
    ParameterSet& Params;
    Dialogs& Messages;
    bool Closing = false;  // set while the dialog closes: leaving a field then does nothing
    // Set while a refused field takes the focus back: the control that had just got
    // it was never really entered, so losing it again is no leaving.
    bool ReturningFocus = false;
};

class FieldBinder : public QObject {
public:
    // control: QLineEdit for edit kinds, QComboBox, QCheckBox, or RadioButton1 of a
    // mode group (SetRadios gives all three).
    FieldBinder(const FieldDescription& field, FieldContext& context, QWidget* control);

    const FieldDescription& Field() const { return field_; }
    QWidget* Control() const { return control_; }
    QLineEdit* Edit() const;
    QComboBox* Combo() const;
    QCheckBox* Box() const;

    void SetRadios(const std::array<QRadioButton*, 3>& radios);
    // What a screen reader calls the field (field_names.h); while the field is red
    // for its mark, ", markiert" follows.
    void SetAccessibleName(const std::string& name);
    void SetArrows(ArrowControl* arrows, QLabel* rawLabel);

    int32_t Stored() const;
    bool Marked() const;

    // Each opening of the dialog: show the stored value; a check box or mode group
    // whose state changes runs its click behaviour.
    void Show();
    // Enter in an edit field (leaving = false) or the focus moving to another control
    // of the dialog (leaving = true).
    void ConfirmTyped(bool leaving);
    // Closing the dialog: a typed, unconfirmed entry is stored when it is valid and
    // dropped without a message when not.
    void ConfirmOnClose();
    // Leaving a list or check box stores its state; leaving an edit field confirms it.
    void Leave();
    void ToggleMark();

    // Switched off by a mode or option of the dialog: the menu colour unless marked.
    void SetSwitchedOff(bool off);
    bool SwitchedOff() const { return switchedOff_; }
    // The colour the dialog's rules gave: red when marked, else the menu colour when
    // switched off, else the window colour.
    void Recolour();
    // The repaint's rule: red when marked, else the window colour, switched off or not.
    void PaintByMark();

    // The band mode whose button is selected (mode groups only).
    int ShownMode() const;

    // Runs after a value was stored by an entry, a click, a list change or a mode.
    std::function<void()> AfterStore;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Store(int32_t raw);
    void SetEditText(const std::string& text);
    void ShowStoredText(bool afterConfirm);
    void Refuse(const std::string& message);
    void TakeFocusBack();
    void CheckClick();
    void ListChange();
    void ModeClick(int value);
    void ArrowClick(int position);
    bool EditKey(QEvent* event);
    void SetBackground(const QColor& colour);
    void ShowMarkInName(bool red);
    bool BoxKey(QEvent* event);

    FieldDescription field_;
    FieldContext& context_;
    QWidget* control_;
    std::array<QRadioButton*, 3> radios_{};
    ArrowControl* arrows_ = nullptr;
    QLabel* rawLabel_ = nullptr;
    std::string accessibleName_;
    bool switchedOff_ = false;
    bool updating_ = false;  // the program, not the user, is changing the control
};
