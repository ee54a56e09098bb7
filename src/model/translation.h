#pragma once
// The program speaks German or English. Its texts are German in the code, the
// program's own; Tr looks up the English text when English was chosen (Qt's
// translation files, made from translations/*.ts), and gives the German text back
// unchanged otherwise. `context` names the part of the program that shows the text
// ("Link", "Window", ...), so that one German word can be translated differently in
// two places.
//
// Texts kept in tables or constants are marked with QT_TRANSLATE_NOOP(context, text)
// where they are defined and go through Tr where they are shown.
#include <QtGlobal>  // QT_TRANSLATE_NOOP

#include <initializer_list>
#include <string>

std::string Tr(const char* context, const char* german);

// The text with %1, %2, ... replaced by the arguments in order (the English text may
// put them elsewhere).
std::string Fill(const std::string& text, std::initializer_list<std::string> arguments);

// The same for Qt's own strings (window texts).
class QString;
QString TrQ(const char* context, const char* german);
