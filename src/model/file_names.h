#pragma once
// File-name rules of the program. The file dialogs of this program do not change the
// working folder, so a bare name (no "/") is taken relative to DataFolder, the folder
// of the file chosen last in any file dialog.
#include <string>

// The part before the last "/" ("" when there is none, "/" for a file in the root).
std::string FolderOf(const std::string& path);
// The part after the last "/".
std::string BareName(const std::string& path);
// A name with a folder stays as it is; a bare name is put into folder (when not empty).
std::string ResolveInFolder(const std::string& folder, const std::string& name);
// The last three characters replaced by ending: "abc.lcd" -> "abc.txt".
std::string WithLastThree(const std::string& name, const std::string& ending);
// The name "Speichern unter..." stores: the bare name cut at its first point, plus
// ".lcd". "abc", "abc.txt" and "abc.alt.lcd" all give "abc.lcd".
std::string SaveAsName(const std::string& chosenPath);
