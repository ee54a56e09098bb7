#pragma once
// The choice words of the list fields that the printed report shows. The editor
// dialogs hold the same items in their field tables; the report keeps its own copy of
// these few lists so that it needs no editor window to print.
#include <string>

enum class ReportList {
    GridCurrentRange,   // bar full scale of IG1 and IG2: "30" ... "360" mA
    AnodeVoltageRange,  // "1024" ... "20480" V
    AnodeCurrentRange,  // "1024" ... "10240" mA
    MeanTime,           // averaging time of the anode-current mean: "6/0,9" ... "176/26"
};

// Item `index` of a list (0 = first item); an index without an item gives "".
std::string ReportListItem(ReportList list, long long index);
