#include "editor_dialog.h"
#include "translation.h"

#include "arrow_control.h"
#include "field_names.h"
#include "outer_size.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QKeyEvent>
#include <QShowEvent>
#include <QToolButton>

#include <array>
#include <stdexcept>

namespace {

constexpr int kFieldHeight = 21;

int Scaled(int design, float scale) { return static_cast<int>(design * scale); }

}  // namespace

EditorDialog::EditorDialog(const EditorTable& table, ParameterSet& params, Dialogs& messages,
                           float scale, QWidget* parent)
    : QDialog(parent), table_(table), context_{params, messages}
{
    setObjectName(QString::fromStdString(table_.ClassName));
    setWindowTitle(TrQ("Editors", table_.Caption.c_str()));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    // The design sizes are outer sizes, the window manager's frame included.
    outer_ = new OuterSize(this, QSize(Scaled(table_.Width, scale), Scaled(table_.Height, scale)),
                           OuterSize::Kind::Fixed);

    std::array<QRadioButton*, 3> radios{};
    ArrowControl* arrows = nullptr;
    for (const LayoutItem& item : table_.Layout) {
        const int x = Scaled(item.X, scale);
        const int y = Scaled(item.Y, scale);
        switch (item.Kind) {
        case ItemKind::Label:
        case ItemKind::Heading: {
            auto* label = new QLabel(TrQ("Editors", item.Text.c_str()), this);
            label->setTextFormat(Qt::PlainText);
            if (item.Kind == ItemKind::Heading) {
                QFont bold = label->font();
                bold.setBold(true);
                label->setFont(bold);
            }
            label->adjustSize();
            label->move(x, y);
            labelsAt_[&item] = label;
            if (!item.Name.empty()) {
                label->setObjectName(QString::fromStdString(item.Name));
                labels_[item.Name] = label;
            }
            break;
        }
        case ItemKind::Radio: {
            auto* radio = new QRadioButton(TrQ("Editors", item.Text.c_str()), this);
            radio->setObjectName(QString::fromStdString(item.Name));
            radio->setGeometry(x, y, Scaled(item.W, scale), Scaled(kFieldHeight, scale));
            radios[item.Name.back() - '1'] = radio;
            break;
        }
        case ItemKind::Arrows:
            arrows = new ArrowControl(this);
            arrows->setObjectName(QString::fromStdString(item.Name));
            arrows->setGeometry(x, y, Scaled(item.W, scale), Scaled(kFieldHeight, scale));
            break;
        case ItemKind::Field: {
            const FieldDescription* field = FindField(table_, item.Text);
            if (!field)
                throw std::logic_error("layout names an unknown field: " + item.Text);
            QWidget* control = CreateControl(*field, item, scale);
            auto* binder = new FieldBinder(*field, context_, control);
            binders_.push_back(binder);
            byControl_[field->Control] = binder;
            break;
        }
        }
    }

    // The mode group is a table row without a layout item of its own.
    for (const FieldDescription& field : table_.Fields) {
        if (field.Kind != FieldKind::Mode)
            continue;
        auto* binder = new FieldBinder(field, context_, radios[0]);
        binder->SetRadios(radios);
        binders_.insert(binders_.begin(), binder);
        byControl_[field.Control] = binder;
    }
    if (arrows)
        for (FieldBinder* binder : binders_)
            if (binder->Field().Kind == FieldKind::PowerRange)
                binder->SetArrows(arrows, NamedLabel("Label6"));
    NameControls(arrows);

    // Fields are reached with the mouse; only the band dialogs and the soft-start check
    // box take part in the Tab order.
    for (FieldBinder* binder : binders_)
        if (binder->Field().Kind != FieldKind::Mode)
            binder->Control()->setFocusPolicy(Qt::ClickFocus);
    if (FieldBinder* box = Binder("SoftstartCheckBox"))
        box->Control()->setFocusPolicy(Qt::StrongFocus);
    QWidget* previous = nullptr;
    for (const std::string& name : table_.TabOrder) {
        QWidget* w = findChild<QWidget*>(QString::fromStdString(name));
        w->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

// Screen readers name a field by the texts the table puts around it; the labels
// themselves are no buddies of the fields.
void EditorDialog::NameControls(ArrowControl* arrows)
{
    for (FieldBinder* binder : binders_) {
        const FieldDescription& field = binder->Field();
        if (field.Kind == FieldKind::Mode)
            continue;
        const std::string name = AccessibleFieldName(table_, field);
        binder->SetAccessibleName(name);
        binder->Control()->setAccessibleDescription(QString::fromStdString(AccessibleFieldDescription(field)));
        // A list is read with its label and its item; the whole name, unit included,
        // becomes its description.
        if (field.Kind == FieldKind::List) {
            if (const LayoutItem* caption = ListLabel(table_, field))
                if (QLabel* label = labelsAt_[caption])
                    label->setBuddy(binder->Control());
            binder->Control()->setAccessibleDescription(QString::fromStdString(name));
        }
        if (arrows && field.Kind == FieldKind::PowerRange) {
            arrows->UpButton()->setAccessibleName(QString::fromStdString(ArrowUpName(name)));
            arrows->DownButton()->setAccessibleName(QString::fromStdString(ArrowDownName(name)));
        }
    }
}

QWidget* EditorDialog::CreateControl(const FieldDescription& field, const LayoutItem& item, float scale)
{
    QWidget* control = nullptr;
    int height = kFieldHeight;
    switch (field.Kind) {
    case FieldKind::List:
        control = new QComboBox(this);
        break;
    case FieldKind::Check:
        control = new QCheckBox(this);
        height = 17;
        break;
    default:
        control = new QLineEdit(this);
        break;
    }
    control->setObjectName(QString::fromStdString(field.Control));
    control->setGeometry(Scaled(item.X, scale), Scaled(item.Y, scale), Scaled(item.W, scale),
                         Scaled(height, scale));
    return control;
}

FieldBinder* EditorDialog::Binder(const std::string& control) const
{
    auto it = byControl_.find(control);
    return it == byControl_.end() ? nullptr : it->second;
}

QLabel* EditorDialog::NamedLabel(const std::string& name) const
{
    auto it = labels_.find(name);
    return it == labels_.end() ? nullptr : it->second;
}

void EditorDialog::FormShow()
{
    context_.Closing = false;
    for (FieldBinder* binder : binders_)
        binder->Show();
    if (ShowRules)
        ShowRules();
    if (FieldBinder* first = Binder(table_.FocusField)) {
        first->Control()->setFocus(Qt::OtherFocusReason);
        if (QLineEdit* edit = first->Edit())
            edit->selectAll();
    }
}

void EditorDialog::FormPaint()
{
    for (FieldBinder* binder : binders_)
        if (!KeepsColourOnPaint || !KeepsColourOnPaint(*binder))
            binder->PaintByMark();
}

void EditorDialog::paintEvent(QPaintEvent* event)
{
    FormPaint();
    QDialog::paintEvent(event);
}

void EditorDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void EditorDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    outer_->Centre();
    FormShow();
}

void EditorDialog::done(int result)
{
    for (FieldBinder* binder : binders_)
        binder->ConfirmOnClose();
    context_.Closing = true;
    QDialog::done(result);
}
