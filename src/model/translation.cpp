#include "translation.h"

#include <QCoreApplication>
#include <QString>

#include <vector>

std::string Tr(const char* context, const char* german)
{
    return QCoreApplication::translate(context, german).toStdString();
}

// One pass over the text: an argument that itself holds "%2" (a file name) stays as it is.
std::string Fill(const std::string& text, std::initializer_list<std::string> arguments)
{
    const std::vector<std::string> args(arguments);
    std::string filled;
    filled.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const size_t n = size_t(text[i + 1] - '1');
            if (n < args.size()) {
                filled += args[n];
                ++i;
                continue;
            }
        }
        filled += text[i];
    }
    return filled;
}

QString TrQ(const char* context, const char* german) { return QCoreApplication::translate(context, german); }
