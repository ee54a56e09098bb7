#pragma once
// Text files of the program: Windows-1252 on disk with CR LF line ends, UTF-8 with
// "\n" in memory. Files are written to a temporary name in the same folder, flushed,
// checked and renamed over the old file, so a failed write never destroys the
// previous file and is never reported as success.
#include <optional>
#include <string>

// UTF-8 to Windows-1252; characters that have no code there become '?'.
std::string ToWindows1252(const std::string& utf8);
std::string FromWindows1252(const std::string& bytes);

// "\n" becomes "\r\n" (an existing "\r\n" is kept).
std::string WithCrLf(const std::string& text);

// Writes the bytes as they are. False when any step failed (the old file then stays).
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
// Converts a UTF-8 text with "\n" line ends to Windows-1252 with CR LF, then writes it.
bool WriteTextFile(const std::string& path, const std::string& utf8Text);

// The whole file as bytes, or nothing when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::string& path);
