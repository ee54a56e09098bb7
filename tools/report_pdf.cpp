// Prints the report of the virtual board's demo parameter set to a PDF file, as the
// program would print it after a download from that board. Used by scripts/screenshots
// to show a report page without a printer, in the language LCDKONFIG_LANG or the
// locale asks for.
//
//   report_pdf <file.pdf> [resolution in dpi]
//   report_pdf --help
#include "board_config.h"
#include "language.h"
#include "live_board.h"
#include "parameter_set.h"
#include "report_print.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <string>

namespace {

// What a download from the demo board leaves in the parameter set.
ParameterSet DemoParameterSet()
{
    ConfigBoard board;
    FillDemoBoard(board);
    ParameterSet params;
    params.Values = board.Values;
    params.SerialNumber = board.SerialNumber;
    params.DeviceMark = board.DeviceMark;
    params.DeviceType = board.DeviceType;
    params.BoardVersionText = board.VersionText;
    params.FileName = "demo.lcd";
    return params;
}

constexpr const char* kUsage =
    "usage: report_pdf <file.pdf> [dpi]\n"
    "Prints the demo board's report (two pages) to <file.pdf>, at 300 dpi unless given;\n"
    "LCDKONFIG_LANG=en prints it in English.\n";

}  // namespace

int main(int argc, char** argv)
{
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::cout << kUsage;
        return 0;
    }
    // A word that starts with a dash is an option this tool does not have, never a
    // file name to write (a file called "-x" is still reached as ./-x).
    if (argc < 2 || argc > 3 || first.starts_with('-')) {
        if (first.starts_with('-'))
            std::cerr << "report_pdf: unknown option " << first << "\n";
        std::cerr << kUsage;
        return 2;
    }
    // Printing to PDF needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseLanguage(LanguageOfEnvironment());  // LCDKONFIG_LANG=en prints the English report
    const int resolution = argc == 3 ? std::atoi(argv[2]) : 300;
    if (resolution < 50) {
        std::cerr << "report_pdf: resolution must be at least 50 dpi\n";
        return 2;
    }
    if (!PrintReportToPdf(argv[1], DemoParameterSet(), {}, 1, kReportPages, resolution)) {
        std::cerr << "report_pdf: could not write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
