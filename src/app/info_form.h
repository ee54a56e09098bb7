#pragma once
// "Information": the program's name and version, shown from "&Extras" / "&Info".
#include <QDialog>

class QLabel;
struct ParameterSet;

class TInfoForm : public QDialog {
public:
    TInfoForm(const ParameterSet& params, QWidget* parent = nullptr);

    QLabel* Label1;  // "Konfiguration LCD-Anzeige"
    QLabel* Label2;  // "Version 7.9", set on every show

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    const ParameterSet& params_;
};
