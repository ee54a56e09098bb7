#pragma once
// TFehlerSpeicherForm: the board's fault memory as a grid of 1000 numbered rows (time
// split into days, hours, minutes and seconds, and the fault text), with a "&Speichern"
// menu that writes it to a text file. Created once at start-up, shown modally.
#include "config_file.h"

#include <QDialog>
#include <QString>

#include <string>

class QAction;
class QMenuBar;
class QTableWidget;
class OuterSize;
class Dialogs;
struct FaultMemory;
struct ParameterSet;

class TFehlerSpeicherForm : public QDialog {
public:
    static constexpr int kColumns = 6;
    static constexpr int kRows = 1001;  // row 0 is the header row

    TFehlerSpeicherForm(ParameterSet& params, const FaultMemory& faults, Dialogs& messages,
                        float scale, QWidget* parent = nullptr);

    // The text of a cell as the grid numbers them: row 0 is the header, column 0 the
    // entry number.
    QString Cell(int column, int row) const;
    int ColumnWidth(int column) const;

    void FormShow();
    void FormPaint();
    void FormResize();
    void Speichern1Click();

    QMenuBar* MainMenu = nullptr;
    QAction* Speichern1 = nullptr;
    QTableWidget* StringGrid = nullptr;
    // The name the save dialog offers; the bare name of the last file written.
    std::string FaultExportName = kUntitled;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int Scaled(double designPixels) const;

    ParameterSet& params_;
    const FaultMemory& faults_;
    Dialogs& messages_;
    float scale_;
    OuterSize* outer_ = nullptr;  // FaultWindowWidth x FaultWindowHeight, frame included
};
