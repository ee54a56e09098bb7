#include "qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "diagnostics_sink.h"

bool UseQtTranslation(const QString& language)
{
    static QTranslator* installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (language == "en")
        return true;  // Qt's own texts are English
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load("qtbase_" + language, folder)) {
        Diagnose("no Qt translation qtbase_" + language.toStdString() + " in " + folder.toStdString()
                 + ": Qt's dialogs stay English");
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}
