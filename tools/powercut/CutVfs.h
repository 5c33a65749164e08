#pragma once

#include <cstdint>
#include <string>

// A power cut for a process that writes through SQLite.
//
// The VFS installed here wraps the real one as the default. Every write and
// truncation of a file under `root` stays in memory until that file's
// xSync; reads, and the size, see them. At the `cutAt`-th sync, counted over
// all files, each pending write lands, vanishes or is torn (a prefix of it,
// or some of its 512-byte sectors garbage), each pending truncation lands or
// not, and the process ends at once with `CutExit`, after printing what
// happened as one line on standard output (`cut landed=… vanished=… torn=…
// kept=… undone=… at=<name of the file synced>`; kept and undone count
// folder entries).
//
// Folder entries are modelled too: a file created, removed or renamed, or a
// folder made, under `root` may be undone at the cut unless its folder was
// fsynced since. The file system keeps them in order: the cut keeps a seeded
// prefix of the changes not yet made durable and undoes the rest. SQLite
// reports creations through the VFS; renames, removals, new folders and
// folder fsyncs (its own and those of Qt's file functions) are seen by
// wrappers around the C library's rename, renameat2, unlink, mkdir, fsync and
// fdatasync, which the executable exports.
namespace CutVfs {

inline constexpr int CutExit = 86;

// Registers the VFS as the default. `root` is an absolute, canonical folder.
// With a `counted` path only the syncs of that file count towards `cutAt`.
[[nodiscard]] bool install(const std::string& root, std::uint64_t cutAt, const std::string& counted,
                           std::uint32_t seed);

} // namespace CutVfs
