#include "field_binder.h"
#include "translation.h"

#include "arrow_control.h"
#include "dialogs.h"
#include "field_convert.h"
#include "field_names.h"
#include "parameter_set.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QTimer>
#include <QValidator>

#include <algorithm>

QColor MarkedColour() { return QColor(255, 0, 0); }
QColor WindowColour() { return QApplication::palette().color(QPalette::Base); }
QColor MenuColour() { return QApplication::palette().color(QPalette::Button); }

namespace {

constexpr char kGroupSeparator = 0x1d;  // character 29: swallowed by the edit fields

// Focus changes inside the dialog count as leaving a field; a message box or the
// list's own popup taking the focus does not.
bool IsLeaving(const QFocusEvent* event)
{
    switch (event->reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false;
    }
}

// MaxLength limits what the user types or pastes, not what the program shows: a stored
// value may be longer (4294967295 for -1 in a five-character field). An edit that makes
// the text longer than MaxLength and longer than it was is undone; shortening it, or
// replacing it by a text within MaxLength, is allowed.
class TypingLimit : public QValidator {
public:
    TypingLimit(int maxLength, QLineEdit* edit) : QValidator(edit), maxLength_(maxLength)
    {
        // Runs after each accepted change, so while a change is checked it still holds
        // the text from before it.
        QObject::connect(edit, &QLineEdit::textChanged, this,
                         [this](const QString& text) { before_ = text.size(); });
    }

    State validate(QString& input, int&) const override
    {
        return input.size() > maxLength_ && input.size() > before_ ? Invalid : Acceptable;
    }

private:
    int maxLength_;
    qsizetype before_ = 0;
};

}  // namespace

FieldBinder::FieldBinder(const FieldDescription& field, FieldContext& context, QWidget* control)
    : QObject(control), field_(field), context_(context), control_(control)
{
    control_->installEventFilter(this);
    if (QLineEdit* edit = Edit()) {
        edit->setMaxLength(field_.MaxLength);
        edit->setValidator(new TypingLimit(field_.MaxLength, edit));
    } else if (QComboBox* combo = Combo()) {
        for (const std::string& item : field_.Items)
            combo->addItem(TrQ("Editors", item.c_str()));
        QObject::connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!updating_)
                ListChange();
        });
    } else if (QCheckBox* box = Box()) {
        QObject::connect(box, &QCheckBox::clicked, this, [this] { CheckClick(); });
    }
}

QLineEdit* FieldBinder::Edit() const
{
    return field_.IsEdit() ? qobject_cast<QLineEdit*>(control_) : nullptr;
}
QComboBox* FieldBinder::Combo() const { return qobject_cast<QComboBox*>(control_); }
QCheckBox* FieldBinder::Box() const { return qobject_cast<QCheckBox*>(control_); }

void FieldBinder::SetRadios(const std::array<QRadioButton*, 3>& radios)
{
    radios_ = radios;
    for (int i = 0; i < 3; ++i)
        QObject::connect(radios_[i], &QRadioButton::clicked, this, [this, i] { ModeClick(i); });
}

void FieldBinder::SetArrows(ArrowControl* arrows, QLabel* rawLabel)
{
    arrows_ = arrows;
    rawLabel_ = rawLabel;
    arrows_->OnClick = [this](int position) { ArrowClick(position); };
}

int32_t FieldBinder::Stored() const { return context_.Params.Values[field_.Index]; }

bool FieldBinder::Marked() const
{
    return field_.PatchMark && context_.Params.PatchMarks[field_.Index] != 0;
}

void FieldBinder::Store(int32_t raw) { context_.Params.Values[field_.Index] = raw; }

void FieldBinder::Show()
{
    updating_ = true;
    switch (field_.Kind) {
    case FieldKind::List:
        Combo()->setCurrentIndex(ListItemForRaw(field_, Stored()));
        break;
    case FieldKind::Check: {
        const bool checked = CheckStateForRaw(field_, Stored());
        if (Box()->isChecked() != checked) {
            Box()->setChecked(checked);
            updating_ = false;
            CheckClick();
        }
        break;
    }
    case FieldKind::Mode: {
        // Only a button that becomes selected by this runs its click and stores its
        // value: a stored 3 shown again on the already selected first button stays 3.
        const int button = ModeButtonForRaw(Stored());
        if (!radios_[button]->isChecked()) {
            radios_[button]->setChecked(true);
            updating_ = false;
            ModeClick(button);
        }
        break;
    }
    default:
        ShowStoredText(false);
        break;
    }
    updating_ = false;
    Recolour();
}

// The maximum length limits typing only (TypingLimit): a stored value from a file or
// the board whose text is longer (4294967295 for -1) is shown whole.
void FieldBinder::SetEditText(const std::string& text)
{
    QLineEdit* edit = Edit();
    edit->setMaxLength(std::max<int>(field_.MaxLength, static_cast<int>(text.size())));
    edit->setText(QString::fromStdString(text));
}

void FieldBinder::ShowStoredText(bool afterConfirm)
{
    SetEditText(ShowText(field_, Stored(), afterConfirm));
    if (arrows_)
        arrows_->SetPosition(PowerArrowPosition(Stored()));
}

void FieldBinder::Refuse(const std::string& message)
{
    context_.Messages.Beep();
    context_.Messages.Information(message);
}

void FieldBinder::TakeFocusBack()
{
    context_.ReturningFocus = true;
    control_->setFocus(Qt::OtherFocusReason);
    context_.ReturningFocus = false;
}

void FieldBinder::ConfirmTyped(bool leaving)
{
    QLineEdit* edit = Edit();
    const std::optional<int32_t> raw = ParseEntry(field_, edit->text().toStdString());
    if (raw) {
        Store(*raw);
        SetEditText(ShowText(field_, *raw, true));
        if (arrows_) {
            arrows_->SetPosition(PowerArrowPosition(*raw));
            if (rawLabel_)
                rawLabel_->setText(QString::number(*raw));
        }
        edit->selectAll();
        if (AfterStore)
            AfterStore();
    } else {
        Refuse(Tr("Editors", field_.RangeMessage.c_str()));
        ShowStoredText(true);
        TakeFocusBack();
    }
    if (leaving)
        ShowStoredText(true);
}

void FieldBinder::ConfirmOnClose()
{
    QLineEdit* edit = Edit();
    if (!edit || !edit->isModified())
        return;
    if (const std::optional<int32_t> raw = ParseEntry(field_, edit->text().toStdString())) {
        Store(*raw);
        if (rawLabel_)
            rawLabel_->setText(QString::number(*raw));
        if (AfterStore)
            AfterStore();
    }
    ShowStoredText(true);
}

void FieldBinder::Leave()
{
    if (context_.Closing || !control_->isVisible())
        return;
    switch (field_.Kind) {
    case FieldKind::List:
        if (field_.StoreOnLeave)
            ListChange();
        break;
    case FieldKind::Check:
        CheckClick();
        break;
    case FieldKind::Mode:
        break;
    default:
        ConfirmTyped(true);
        break;
    }
}

void FieldBinder::ToggleMark()
{
    if (!field_.PatchMark)
        return;
    uint8_t& mark = context_.Params.PatchMarks[field_.Index];
    mark = mark ? 0 : 1;
    PaintByMark();
}

void FieldBinder::SetSwitchedOff(bool off)
{
    switchedOff_ = off;
    Recolour();
}

void FieldBinder::Recolour()
{
    SetBackground(Marked() ? MarkedColour() : switchedOff_ ? MenuColour() : WindowColour());
}

void FieldBinder::PaintByMark() { SetBackground(Marked() ? MarkedColour() : WindowColour()); }

int FieldBinder::ShownMode() const
{
    for (int i = 0; i < 3; ++i)
        if (radios_[i] && radios_[i]->isChecked())
            return i;
    return ModeButtonForRaw(Stored());
}

void FieldBinder::SetBackground(const QColor& colour)
{
    if (field_.Kind == FieldKind::Mode)
        return;
    QPalette palette = control_->palette();
    palette.setColor(QPalette::Base, colour);
    if (Combo())
        palette.setColor(QPalette::Button, colour);
    if (Box()) {
        palette.setColor(QPalette::Window, colour);
        control_->setAutoFillBackground(true);
    }
    control_->setPalette(palette);
    ShowMarkInName(colour == MarkedColour());
}

void FieldBinder::SetAccessibleName(const std::string& name)
{
    accessibleName_ = name;
    ShowMarkInName(control_->palette().color(QPalette::Base) == MarkedColour());
}

// The red of a mark is no help to who cannot see it: the name says it, and changing
// the name tells the screen reader.
void FieldBinder::ShowMarkInName(bool red)
{
    if (accessibleName_.empty())
        return;
    const QString name = QString::fromStdString(red ? MarkedFieldName(accessibleName_) : accessibleName_);
    if (control_->accessibleName() != name)
        control_->setAccessibleName(name);
}

void FieldBinder::CheckClick()
{
    if (updating_)
        return;
    Store(Box()->isChecked() ? 1 : 0);
    if (AfterStore)
        AfterStore();
}

void FieldBinder::ListChange()
{
    Store(ListRawForItem(field_, Combo()->currentIndex()));
    if (AfterStore)
        AfterStore();
}

void FieldBinder::ModeClick(int value)
{
    if (updating_)
        return;
    Store(value);
    if (AfterStore)
        AfterStore();
}

void FieldBinder::ArrowClick(int position)
{
    QLineEdit* edit = Edit();
    if (const std::optional<int32_t> raw = PowerRawFromArrow(position)) {
        Store(*raw);
        SetEditText(ShowText(field_, *raw, true));
        edit->selectAll();
        return;
    }
    Refuse(Tr("Editors", "Eingabebereich Ende !"));
    ShowStoredText(true);
    TakeFocusBack();
}

bool FieldBinder::EditKey(QEvent* event)
{
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        ConfirmTyped(false);
        return true;
    }
    const QString text = key->text();
    if (text.size() == 1 && text[0] == QChar(kGroupSeparator))
        return true;
    if (key->key() == Qt::Key_Space || text == " ") {
        ToggleMark();
        return true;
    }
    return false;
}

bool FieldBinder::BoxKey(QEvent* event)
{
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
        || key->key() == Qt::Key_Escape || key->text().isEmpty())
        return false;
    Box()->setChecked(!Box()->isChecked());
    CheckClick();
    if (key->key() == Qt::Key_Space)
        ToggleMark();
    return true;
}

bool FieldBinder::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != control_)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (Edit())
            return EditKey(event);
        if (Combo() && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
            ToggleMark();
            return true;
        }
        if (Box() && field_.KeyHandling)
            return BoxKey(event);
        return false;
    case QEvent::MouseButtonRelease:
        if (QLineEdit* edit = Edit()) {
            // Let the field finish its own click first, then select the whole text.
            static_cast<QObject*>(edit)->event(event);
            edit->selectAll();
            return true;
        }
        return false;
    case QEvent::FocusOut:
        if (IsLeaving(static_cast<QFocusEvent*>(event)) && !context_.Closing
            && !context_.ReturningFocus && field_.Kind != FieldKind::Mode)
            // Run once the focus has settled on the new control, so that a range
            // message and the focus going back do not interfere with the change.
            QTimer::singleShot(0, this, [this] { Leave(); });
        return false;
    default:
        return false;
    }
}
