#pragma once

#include <QString>
#include <optional>

// The documents attached to a pending operation: what may be attached and
// what a save accepts, both checked against the same limits.
namespace Attachments
{

inline constexpr qint64 kMaxBytes = 512000; // a file must be smaller than 512001 bytes
inline constexpr int kMaxPathLength = 255;  // temp_usr.dnipath, dorsopath, certificadopath

// Why a file of `size` bytes at `path` cannot be attached; nothing when it can.
// A negative size is a file that cannot be found.
std::optional<QString> Refusal(const QString &path, qint64 size);

// The same file when the operation is saved: it may have grown since.
QString TooLargeOnSave(const QString &path, qint64 size);

} // namespace Attachments
