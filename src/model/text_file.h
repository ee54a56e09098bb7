#pragma once
// Text files of the program: Windows-1252 on disk with CR LF line ends, UTF-8 with
// "\n" in memory. Files are written to a temporary name in the same folder, flushed,
// checked and renamed over the old file, so a failed write never destroys the
// previous file and is never reported as success. A file the process may not write
// (write-protected, or in a folder it may not write) is refused before anything is
// written, although a rename into the folder could replace it; a replaced file keeps
// its mode and, where the process may set them, its owner and group.
#include <optional>
#include <string>

// UTF-8 to Windows-1252; characters that have no code there become '?'.
std::string ToWindows1252(const std::string& utf8);
std::string FromWindows1252(const std::string& bytes);

// "\n" becomes "\r\n" (an existing "\r\n" is kept).
std::string WithCrLf(const std::string& text);

// Whether the file may be created or replaced: its folder exists and may be written,
// and a file of that name is no folder and may be written. Follows links.
bool MayWriteFile(const std::string& path);

// Writes the bytes as they are. False when the file may not be written or any step
// failed (the old file then stays); errno then tells why.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
// Writes the bytes completely under a temporary name in `folder`, then links them to
// `name`, which never replaces a file: false with errno EEXIST when the name is taken.
bool WriteNewFile(const std::string& folder, const std::string& name, const std::string& bytes);
// Converts a UTF-8 text with "\n" line ends to Windows-1252 with CR LF, then writes it.
bool WriteTextFile(const std::string& path, const std::string& utf8Text);

// The whole file as bytes, or nothing when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::string& path);
