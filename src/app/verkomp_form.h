#pragma once
// "Versionskompatibilität": which program and board firmware versions speak
// configuration version 2. Created at start with the other dialogs; nothing opens it.
#include <QDialog>

class TVerKompForm : public QDialog {
public:
    explicit TVerKompForm(QWidget* parent = nullptr);
};
