#pragma once
// One editor dialog built from its table: the controls at their design positions
// times the scale factor, one FieldBinder per table row, and the dialog's own rules.
#include "editor_tables.h"
#include "field_binder.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class ArrowControl;
class OuterSize;
class QLabel;

class EditorDialog : public QDialog {
public:
    EditorDialog(const EditorTable& table, ParameterSet& params, Dialogs& messages, float scale,
                 QWidget* parent);

    const EditorTable& Table() const { return table_; }
    FieldBinder* Binder(const std::string& control) const;
    const std::vector<FieldBinder*>& Binders() const { return binders_; }
    QLabel* NamedLabel(const std::string& name) const;
    ParameterSet& Params() const { return context_.Params; }

    // The dialog's own rules, run on every opening after the fields show their values.
    std::function<void()> ShowRules;
    // Fields the repaint leaves as they are (the heater limits while switched off).
    std::function<bool(const FieldBinder&)> KeepsColourOnPaint;

    // Each opening: every field shows its stored value, the rules run, the focus goes
    // to the dialog's first field.
    void FormShow();
    // Every repaint: each field red when marked, else the window colour, whether it
    // is switched off or not (KeepsColourOnPaint names the exceptions).
    void FormPaint();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The dialogs close only through the title-bar close box: Escape closes nothing.
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    QWidget* CreateControl(const FieldDescription& field, const LayoutItem& item, float scale);
    void NameControls(ArrowControl* arrows);

    EditorTable table_;
    FieldContext context_;
    OuterSize* outer_ = nullptr;
    std::vector<FieldBinder*> binders_;
    std::map<std::string, FieldBinder*> byControl_;
    std::map<std::string, QLabel*> labels_;
    std::map<const LayoutItem*, QLabel*> labelsAt_;  // the label made for each layout item
};
