#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tf {

// Turns a file name as the game stored it into a path on this disk. The
// longest leading part that exists exactly as given (cut only at "/") is the
// system's own and is kept as it is; in the rest, which comes from the game's
// files, both "\" and "/" separate components, and a component that does not
// exist in its stored letter case is matched without regard to case, as
// Windows-1252 or as UTF-8. Folder listings are cached per folder and
// refreshed when the folder changes; within a FileReuseScope each stored path
// is resolved once.
//
// Returns the best path found: when some component matches nothing, the rest
// is appended as stored (with "/" separators), so the caller's open fails with
// "file not found" as usual.
std::string ResolvePath(std::string_view storedPath);

// Far beyond the 4096 bytes a path the system opens may have, even once
// doubled separators are dropped: a longer stored path names nothing, and
// isn't worth the folder scans and kept copies of resolving it.
constexpr size_t kLongestStoredPath = 65536;

// The stored path of `name`, as a data file gives it, in `folder`. A name too
// long to name any file gives a path that names none either, without the
// megabytes of a damaged file's value.
std::string StoredPathIn(std::string_view folder, std::string_view name);

// True when the stored path names an existing regular file.
bool StoredFileExists(std::string_view storedPath);

// The whole content of the file a stored path names, read by its name on disk
// (which need not be UTF-8); error 53 when it is missing or can't be read.
std::string ReadStoredFile(const std::string& storedPath);
// The same, or nothing when the file is larger than `largest` bytes.
std::optional<std::string> ReadStoredFileUpTo(const std::string& storedPath, size_t largest);

// A path as the game's messages show it, in the game's own encoding
// (Windows-1252): a leading `systemFolder` is the system's name (UTF-8), each
// character of it that Windows-1252 lacks shown as "?"; the rest stays as the
// game stored it.
std::string DisplayPath(std::string_view path, std::string_view systemFolder);

// The same path as UTF-8 text for the trace, where every character of the
// system's name can be written.
std::string TracePath(std::string_view path, std::string_view systemFolder);

// A text that may hold such paths anywhere in it (a media command) as UTF-8
// text for the trace: each `systemFolder` in it as the system's name, the
// rest decoded from Windows-1252.
std::string TraceText(std::string_view text, std::string_view systemFolder);

}  // namespace tf
