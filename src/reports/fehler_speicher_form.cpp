#include "fehler_speicher_form.h"
#include "config_file.h"
#include "translation.h"

#include "dialogs.h"
#include "fault_export.h"
#include "fault_memory.h"
#include "fault_texts.h"
#include "outer_size.h"
#include "parameter_set.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>
#include <QTableWidget>

#include <cmath>

namespace {

const char* const kHeader[TFehlerSpeicherForm::kColumns] = {
    " ", QT_TRANSLATE_NOOP("Reports", "Tage"), QT_TRANSLATE_NOOP("Reports", "Std"), QT_TRANSLATE_NOOP("Reports", "Min"),
    QT_TRANSLATE_NOOP("Reports", "Sek"), QT_TRANSLATE_NOOP("Reports", "Fehler")};

// Design sizes in pixels at 96 dots per inch.
constexpr int kGridWidth = 1000;
constexpr int kGridHeight = 569;
constexpr int kRowHeight = 24;
constexpr int kNumberColumnWidth = 43;
constexpr int kDaysColumnWidth = 43;
constexpr int kShortColumnWidth = 33;
constexpr int kFixedColumnsWidth = 210;
constexpr int kGridMargin = 8;
constexpr int kWidthAllowance = 24;
constexpr int kHeightAllowance = 80;
constexpr int kTextColumnSlack = 35;

}  // namespace

TFehlerSpeicherForm::TFehlerSpeicherForm(ParameterSet& params, const FaultMemory& faults,
                                         Dialogs& messages, float scale, QWidget* parent)
    : QDialog(parent), params_(params), faults_(faults), messages_(messages), scale_(scale)
{
    setObjectName("TFehlerSpeicherForm");
    setWindowTitle(TrQ("Reports", "FehlerSpeicher"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setModal(true);

    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName("MainMenu1");
    Speichern1 = MainMenu->addAction(TrQ("Reports", "&Speichern"));
    Speichern1->setObjectName("Speichern1");
    connect(Speichern1, &QAction::triggered, this, [this] { Speichern1Click(); });

    // Row 0 of the grid is the table's header, so that it stays in place when the rows
    // scroll; the 1000 entries are the table's rows 0..999.
    StringGrid = new QTableWidget(kRows - 1, kColumns, this);
    StringGrid->setObjectName("StringGrid");
    StringGrid->setAccessibleName(TrQ("Reports", "FehlerSpeicher"));
    QFont font("Arial");
    font.setPixelSize(16);
    StringGrid->setFont(font);
    StringGrid->horizontalHeader()->setFont(font);
    StringGrid->verticalHeader()->hide();
    StringGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid->setShowGrid(true);
    StringGrid->setWordWrap(false);
    StringGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid->horizontalHeader()->setHighlightSections(false);
    StringGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    StringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid->verticalHeader()->setDefaultSectionSize(Scaled(kRowHeight));
    StringGrid->horizontalHeader()->setFixedHeight(Scaled(kRowHeight));
    for (int column = 0; column < kColumns; ++column)
        StringGrid->setHorizontalHeaderItem(column, new QTableWidgetItem(TrQ("Reports", kHeader[column])));
    for (int row = 0; row < kRows - 1; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem;
            if (column == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette().button());
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            StringGrid->setItem(row, column, item);
        }
    }

    StringGrid->setGeometry(Scaled(kGridMargin), MainMenu->sizeHint().height() + Scaled(kGridMargin),
                            Scaled(kGridWidth), Scaled(kGridHeight));
    StringGrid->setColumnWidth(0, Scaled(kNumberColumnWidth));
    StringGrid->setColumnWidth(1, Scaled(kDaysColumnWidth));
    for (int column = 2; column <= 4; ++column)
        StringGrid->setColumnWidth(column, Scaled(kShortColumnWidth));
    StringGrid->setColumnWidth(5, Scaled(kGridWidth) - Scaled(kFixedColumnsWidth));

    // A hand-edited settings file may hold a size of 0 or less, or one larger than the
    // screen (which would take long and much memory to show): open at the usual size.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize();
    if (params_.FaultWindowWidth <= 0 || params_.FaultWindowHeight <= 0
        || (screen && (params_.FaultWindowWidth > available.width()
                       || params_.FaultWindowHeight > available.height()))) {
        params_.FaultWindowWidth = ParameterSet{}.FaultWindowWidth;
        params_.FaultWindowHeight = ParameterSet{}.FaultWindowHeight;
    }
    outer_ = new OuterSize(this, QSize(params_.FaultWindowWidth, params_.FaultWindowHeight),
                           OuterSize::Kind::Resizable);
}

int TFehlerSpeicherForm::Scaled(double designPixels) const
{
    return static_cast<int>(std::trunc(designPixels * scale_));
}

QString TFehlerSpeicherForm::Cell(int column, int row) const
{
    if (row == 0)
        return StringGrid->horizontalHeaderItem(column)->text();
    return StringGrid->item(row - 1, column)->text();
}

int TFehlerSpeicherForm::ColumnWidth(int column) const
{
    return StringGrid->columnWidth(column);
}

void TFehlerSpeicherForm::FormShow()
{
    for (int row = 1; row < kRows; ++row) {
        const FaultRecord& entry = faults_.Entry(row);
        StringGrid->item(row - 1, 0)->setText(QString::number(row));
        if (entry.Time == 0) {
            for (int column = 1; column < kColumns; ++column)
                StringGrid->item(row - 1, column)->setText(QString());
            continue;
        }
        const FaultTime t = SplitFaultTime(static_cast<uint32_t>(entry.Time));
        StringGrid->item(row - 1, 1)->setText(QString::number(t.Days));
        StringGrid->item(row - 1, 2)->setText(QString::number(t.Hours));
        StringGrid->item(row - 1, 3)->setText(QString::number(t.Minutes));
        StringGrid->item(row - 1, 4)->setText(QString::number(t.Seconds));
        StringGrid->item(row - 1, 5)->setText(QString::fromStdString(FaultText(entry.Fault)));
    }
    // The cursor starts in the first cell that is not fixed, as in any grid.
    StringGrid->setCurrentCell(0, 1, QItemSelectionModel::NoUpdate);
}

void TFehlerSpeicherForm::FormPaint()
{
    const QString caption = QString::fromStdString(SavedCaption(params_.ProgramVersion, params_.FileName));
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

// The window's width and height are its outer size, frame included, as they go to the
// settings file and as the grid's allowances count them.
void TFehlerSpeicherForm::FormResize()
{
    const QSize outer = OuterSizeOf(*this);
    params_.FaultWindowWidth = outer.width();
    params_.FaultWindowHeight = outer.height();
    MainMenu->setGeometry(0, 0, width(), MainMenu->sizeHint().height());
    StringGrid->resize(outer.width() - Scaled(kWidthAllowance),
                       outer.height() - Scaled(kHeightAllowance));
    int fixed = 0;
    for (int column = 0; column < kColumns - 1; ++column)
        fixed += StringGrid->columnWidth(column);
    StringGrid->setColumnWidth(5, StringGrid->width() - fixed - kTextColumnSlack);
}

void TFehlerSpeicherForm::Speichern1Click()
{
    SaveFaultMemory(faults_, params_, messages_, FaultExportName);
}

void TFehlerSpeicherForm::showEvent(QShowEvent* event)
{
    outer_->Centre();
    FormShow();
    QDialog::showEvent(event);
}

void TFehlerSpeicherForm::paintEvent(QPaintEvent* event)
{
    FormPaint();
    QDialog::paintEvent(event);
}

void TFehlerSpeicherForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}
