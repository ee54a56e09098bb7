#pragma once
// Text files of the program: Windows-1252 on disk with CR LF line ends, UTF-8 with
// "\n" in memory. Files are written to a temporary file of a name of its own in the
// same folder (created exclusively, so a link planted there is never followed),
// flushed, checked and renamed over the old file, so a failed write never destroys the
// previous file and is never reported as success. Only a regular file is replaced: a
// device, a FIFO, a folder or a link that points nowhere in the target's place is
// refused, so that a save can never turn /dev/null into a file. A file the process may
// not write (write-protected, or in a folder it may not write) is refused before
// anything is written, although a rename into the folder could replace it; a new file
// gets the mode the umask leaves of 0666, a replaced file keeps its mode and, where the
// process may set them, its owner and group.
//
// Files are read only when they are regular files and no larger than a bound that no
// real file of the program reaches, without blocking (a FIFO in a file's place does
// not stop the program, /dev/zero does not fill its memory).
//
// The cause of a refused write ("<path>: not written: not a regular file") goes to the
// diagnostics sink; errno tells it as well.
#include <cstddef>
#include <optional>
#include <string>

// UTF-8 to Windows-1252; characters that have no code there become '?'.
std::string ToWindows1252(const std::string& utf8);
std::string FromWindows1252(const std::string& bytes);

// "\n" becomes "\r\n" (an existing "\r\n" is kept).
std::string WithCrLf(const std::string& text);

// Bounds of the readers: the text files (.lcd, settings, device types, backups' notes)
// are a few kilobytes, a firmware file some hundred.
inline constexpr size_t kTextFileLimit = size_t(1) << 20;
inline constexpr size_t kFirmwareFileLimit = size_t(4) << 20;

// Whether the file may be created or replaced: its folder exists and may be written,
// and a file of that name is a regular file that may be written. Follows links.
bool MayWriteFile(const std::string& path);

// Writes the bytes as they are. False when the file may not be written or any step
// failed (the old file then stays); errno then tells why.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);
// Writes the bytes completely under a temporary name in `folder`, then links them to
// `name`, which never replaces a file: false with errno EEXIST when the name is taken.
bool WriteNewFile(const std::string& folder, const std::string& name, const std::string& bytes);
// Converts a UTF-8 text with "\n" line ends to Windows-1252 with CR LF, then writes it.
bool WriteTextFile(const std::string& path, const std::string& utf8Text);

// The whole file as bytes, or nothing when it cannot be opened, is no regular file or
// is larger than `limit` bytes. `cause` (if given) then receives why, in a few words
// ("not a regular file", "larger than 1048576 bytes", the errno text); without it the
// cause goes to the diagnostics sink.
std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit = kTextFileLimit,
                                         std::string* cause = nullptr);
// Whether anything (a file, a link, a FIFO ...) has this name.
bool PathExists(const std::string& path);
// A file the program keeps beside itself (settings, device types): nothing when it is
// not there, or when it cannot be read, which is then treated as not there with the
// cause told to the diagnostics.
std::optional<std::string> ReadKeptFile(const std::string& path);
