#include "CutVfs.h"

#include <climits>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <new>
#include <optional>
#include <random>
#include <sqlite3.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr sqlite3_int64 Sector = 512;

// A write or a truncation that no sync has reached yet.
struct Pending
{
    sqlite3_int64 offset = 0; // truncation: the new size
    std::string bytes;
    bool truncation = false;
};

// A change of a folder entry that no fsync of its folder has reached yet.
struct Entry
{
    enum class Kind
    {
        Created,
        Removed,
        Renamed,
        Folder // made
    };
    Kind kind;
    std::string path;                // the entry as it is now; Renamed: the new name
    std::string from;                // Renamed: the old name
    std::optional<std::string> lost; // Removed, or renamed over: the bytes it had on disk
};

struct State
{
    sqlite3_vfs* real = nullptr;
    std::string root; // ends with '/'
    std::uint64_t cutAt = 0;
    std::string counted; // empty: every file's syncs count
    std::uint64_t syncs = 0;
    std::mt19937 random;
    std::map<std::string, std::vector<Pending>> pending; // by path
    std::vector<Entry> entries;                          // oldest first
    bool cutting = false;
};

// Set once by install(); the process ends with it.
State* state = nullptr;

template <typename Function> Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool modelled(const char* path)
{
    return state && !state->cutting && path && std::string_view(path).starts_with(state->root);
}

std::string folderOf(std::string_view path)
{
    return std::string(path.substr(0, path.rfind('/')));
}

std::optional<std::string> contents(const char* path)
{
    const int fd = open(path, O_RDONLY);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
        bytes.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return bytes;
}

void putFile(const std::string& path, const std::string& bytes)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        [[maybe_unused]] const ssize_t written = write(fd, bytes.data(), bytes.size());
        close(fd);
    }
}

// An fsync of a folder makes the changes of its entries durable.
void synced(int fd)
{
    struct stat info = {};
    if (!state || fstat(fd, &info) != 0 || !S_ISDIR(info.st_mode)) {
        return;
    }
    char link[PATH_MAX];
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t size = readlink(proc.c_str(), link, sizeof link);
    if (size > 0) {
        const std::string folder(link, static_cast<size_t>(size));
        std::erase_if(state->entries,
                      [&](const Entry& entry) { return folderOf(entry.path) == folder; });
    }
}

int renamed(const char* from, const char* to, int result, std::optional<std::string> lost)
{
    if (result == 0) {
        auto node = state->pending.extract(std::string(from));
        state->pending.erase(std::string(to));
        if (!node.empty()) {
            node.key() = to;
            state->pending.insert(std::move(node));
        }
        state->entries.push_back({Entry::Kind::Renamed, to, from, std::move(lost)});
    }
    return result;
}

// --- the cut ---

struct Figures
{
    unsigned long long landed = 0;
    unsigned long long vanished = 0;
    unsigned long long torn = 0;
};

unsigned roll(unsigned sides)
{
    return std::uniform_int_distribution<unsigned>(0, sides - 1)(state->random);
}

// A write the cut caught: a prefix of whole sectors, or every sector with
// some of them garbage.
std::string tear(const Pending& write)
{
    std::string bytes = write.bytes;
    std::vector<size_t> bounds; // sector boundaries inside the write
    for (sqlite3_int64 at = (write.offset / Sector + 1) * Sector;
         at < write.offset + static_cast<sqlite3_int64>(bytes.size()); at += Sector) {
        bounds.push_back(static_cast<size_t>(at - write.offset));
    }
    if (roll(2) == 0) {
        bytes.resize(bounds.empty() ? 0 : bounds.at(roll(static_cast<unsigned>(bounds.size()))));
        return bytes;
    }
    bounds.push_back(bytes.size());
    const size_t surely = roll(static_cast<unsigned>(bounds.size()));
    size_t start = 0;
    for (size_t i = 0; i < bounds.size(); ++i) {
        if (i == surely || roll(2) == 0) {
            for (size_t at = start; at < bounds.at(i); ++at) {
                bytes[at] = static_cast<char>(roll(256));
            }
        }
        start = bounds.at(i);
    }
    return bytes;
}

void land(int fd, const Pending& change, Figures& figures)
{
    const unsigned outcome = roll(3);
    if (outcome == 0 || (change.truncation && outcome == 2)) {
        ++figures.vanished;
        return;
    }
    if (change.truncation) {
        ++figures.landed;
        [[maybe_unused]] const int result = ftruncate(fd, change.offset);
        return;
    }
    const std::string bytes = outcome == 1 ? change.bytes : tear(change);
    ++(outcome == 1 ? figures.landed : figures.torn);
    [[maybe_unused]] const ssize_t written = pwrite(fd, bytes.data(), bytes.size(), change.offset);
}

void undo(const Entry& entry)
{
    switch (entry.kind) {
    case Entry::Kind::Created:
        unlink(entry.path.c_str());
        break;
    case Entry::Kind::Removed:
        putFile(entry.path, entry.lost.value_or(std::string()));
        break;
    case Entry::Kind::Renamed:
        rename(entry.path.c_str(), entry.from.c_str());
        if (entry.lost) {
            putFile(entry.path, *entry.lost);
        }
        break;
    case Entry::Kind::Folder: {
        std::error_code ignored;
        std::filesystem::remove_all(entry.path, ignored);
        break;
    }
    }
}

[[noreturn]] void cut(const std::string& syncedFile)
{
    state->cutting = true;
    Figures figures;
    for (const auto& [path, changes] : state->pending) {
        const int fd = open(path.c_str(), O_WRONLY);
        if (fd >= 0) {
            for (const Pending& change : changes) {
                land(fd, change, figures);
            }
            close(fd);
        }
    }
    const auto kept = static_cast<size_t>(
        std::uniform_int_distribution<size_t>(0, state->entries.size())(state->random));
    for (size_t i = state->entries.size(); i > kept; --i) {
        undo(state->entries.at(i - 1));
    }
    dprintf(STDOUT_FILENO, "cut landed=%llu vanished=%llu torn=%llu kept=%zu undone=%zu at=%s\n",
            figures.landed, figures.vanished, figures.torn, kept, state->entries.size() - kept,
            syncedFile.substr(syncedFile.rfind('/') + 1).c_str());
    _exit(CutVfs::CutExit);
}

// --- the file ---

struct File
{
    sqlite3_file base;
    sqlite3_file* real;
    std::string path; // empty: passed through
    // The real VFS fsyncs the folder at the first sync of a journal it
    // opened for creation.
    bool syncFolder;
};

constexpr int FileBytes = static_cast<int>((sizeof(File) + 7) / 8 * 8);

File& self(sqlite3_file* file)
{
    return *reinterpret_cast<File*>(file);
}

const sqlite3_io_methods& realMethods(sqlite3_file* file)
{
    return *self(file).real->pMethods;
}

const std::vector<Pending>* pendingOf(const File& file)
{
    const auto it = state->pending.find(file.path);
    return file.path.empty() || it == state->pending.end() ? nullptr : &it->second;
}

sqlite3_int64 sizeWith(sqlite3_int64 size, const std::vector<Pending>& changes)
{
    for (const Pending& change : changes) {
        size =
            change.truncation
                ? change.offset
                : std::max(size, change.offset + static_cast<sqlite3_int64>(change.bytes.size()));
    }
    return size;
}

int fileSize(sqlite3_file* file, sqlite3_int64* size)
{
    const int result = realMethods(file).xFileSize(self(file).real, size);
    if (const auto* changes = pendingOf(self(file)); changes && result == SQLITE_OK) {
        *size = sizeWith(*size, *changes);
    }
    return result;
}

// What the real file holds with the pending changes on top, in order.
int readFile(sqlite3_file* file, void* out, int amount, sqlite3_int64 offset)
{
    const int result = realMethods(file).xRead(self(file).real, out, amount, offset);
    const auto* changes = pendingOf(self(file));
    if (!changes || (result != SQLITE_OK && result != SQLITE_IOERR_SHORT_READ)) {
        return result;
    }
    auto* bytes = static_cast<char*>(out);
    const sqlite3_int64 end = offset + amount;
    for (const Pending& change : *changes) {
        if (change.truncation) {
            const sqlite3_int64 from = std::max(offset, change.offset);
            if (from < end) {
                std::memset(bytes + (from - offset), 0, static_cast<size_t>(end - from));
            }
            continue;
        }
        const sqlite3_int64 from = std::max(offset, change.offset);
        const sqlite3_int64 to =
            std::min(end, change.offset + static_cast<sqlite3_int64>(change.bytes.size()));
        if (from < to) {
            std::memcpy(bytes + (from - offset), change.bytes.data() + (from - change.offset),
                        static_cast<size_t>(to - from));
        }
    }
    sqlite3_int64 size = 0;
    if (fileSize(file, &size) != SQLITE_OK) {
        return SQLITE_IOERR_READ;
    }
    if (size >= end) {
        return SQLITE_OK;
    }
    const sqlite3_int64 from = std::max(offset, size);
    std::memset(bytes + (from - offset), 0, static_cast<size_t>(end - from));
    return SQLITE_IOERR_SHORT_READ;
}

int writeFile(sqlite3_file* file, const void* in, int amount, sqlite3_int64 offset)
{
    File& f = self(file);
    if (f.path.empty()) {
        return realMethods(file).xWrite(f.real, in, amount, offset);
    }
    state->pending[f.path].push_back(
        {offset, std::string(static_cast<const char*>(in), static_cast<size_t>(amount)), false});
    return SQLITE_OK;
}

int truncateFile(sqlite3_file* file, sqlite3_int64 size)
{
    File& f = self(file);
    if (f.path.empty()) {
        return realMethods(file).xTruncate(f.real, size);
    }
    state->pending[f.path].push_back({size, {}, true});
    return SQLITE_OK;
}

// The pending changes reach the real file; the real disk stands for the
// platter, so it needs no fsync of its own.
int syncFile(sqlite3_file* file, int flags)
{
    File& f = self(file);
    if (f.path.empty()) {
        return realMethods(file).xSync(f.real, flags);
    }
    if ((state->counted.empty() || state->counted == f.path) && ++state->syncs == state->cutAt) {
        cut(f.path);
    }
    if (auto node = state->pending.extract(f.path); !node.empty()) {
        for (const Pending& change : node.mapped()) {
            const int result = change.truncation
                                   ? realMethods(file).xTruncate(f.real, change.offset)
                                   : realMethods(file).xWrite(f.real, change.bytes.data(),
                                                              static_cast<int>(change.bytes.size()),
                                                              change.offset);
            if (result != SQLITE_OK) {
                return result;
            }
        }
    }
    if (std::exchange(f.syncFolder, false)) {
        const std::string folder = folderOf(f.path);
        std::erase_if(state->entries,
                      [&](const Entry& entry) { return folderOf(entry.path) == folder; });
    }
    return SQLITE_OK;
}

int closeFile(sqlite3_file* file)
{
    // Pending changes outlive the handle, as they do in the page cache.
    const int result = realMethods(file).xClose(self(file).real);
    self(file).~File();
    return result;
}

int lock(sqlite3_file* file, int level)
{
    return realMethods(file).xLock(self(file).real, level);
}

int unlock(sqlite3_file* file, int level)
{
    return realMethods(file).xUnlock(self(file).real, level);
}

int checkReservedLock(sqlite3_file* file, int* out)
{
    return realMethods(file).xCheckReservedLock(self(file).real, out);
}

int fileControl(sqlite3_file* file, int op, void* arg)
{
    return realMethods(file).xFileControl(self(file).real, op, arg);
}

int sectorSize(sqlite3_file* file)
{
    return realMethods(file).xSectorSize(self(file).real);
}

int deviceCharacteristics(sqlite3_file* file)
{
    return realMethods(file).xDeviceCharacteristics(self(file).real);
}

// Shared memory holds no data that must survive a cut: passed through.
int shmMap(sqlite3_file* file, int region, int size, int extend, void volatile** out)
{
    return realMethods(file).xShmMap(self(file).real, region, size, extend, out);
}

int shmLock(sqlite3_file* file, int offset, int n, int flags)
{
    return realMethods(file).xShmLock(self(file).real, offset, n, flags);
}

void shmBarrier(sqlite3_file* file)
{
    realMethods(file).xShmBarrier(self(file).real);
}

int shmUnmap(sqlite3_file* file, int deleteFlag)
{
    return realMethods(file).xShmUnmap(self(file).real, deleteFlag);
}

// Version 2: shared memory, and no memory-mapped reads past the pending writes.
const sqlite3_io_methods Methods = {2,
                                    closeFile,
                                    readFile,
                                    writeFile,
                                    truncateFile,
                                    syncFile,
                                    fileSize,
                                    lock,
                                    unlock,
                                    checkReservedLock,
                                    fileControl,
                                    sectorSize,
                                    deviceCharacteristics,
                                    shmMap,
                                    shmLock,
                                    shmBarrier,
                                    shmUnmap,
                                    nullptr,
                                    nullptr};

int openFile(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    const bool tracked = modelled(name);
    const bool create = (flags & SQLITE_OPEN_CREATE) != 0;
    const bool created = tracked && create && access(name, F_OK) != 0;
    const int type =
        flags & (SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_SUPER_JOURNAL | SQLITE_OPEN_WAL);
    auto* real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(file) + FileBytes);
    auto* f = new (file) File{{nullptr}, real, tracked ? name : "", tracked && create && type != 0};
    const int result = state->real->xOpen(state->real, name, real, flags, outFlags);
    if (result != SQLITE_OK) {
        f->~File();
        file->pMethods = nullptr;
        return result;
    }
    f->base.pMethods = &Methods;
    if (created) {
        state->entries.push_back({Entry::Kind::Created, name, {}, {}});
    }
    return SQLITE_OK;
}

} // namespace

// The C library's functions that change or sync folder entries, seen first
// here; each does the real thing and then records it.
extern "C" {

int unlink(const char* path)
{
    static const auto real = next<int (*)(const char*)>("unlink");
    if (!modelled(path)) {
        return real(path);
    }
    std::optional<std::string> lost = contents(path);
    const int result = real(path);
    if (result == 0) {
        state->pending.erase(std::string(path));
        state->entries.push_back({Entry::Kind::Removed, path, {}, std::move(lost)});
    }
    return result;
}

int rename(const char* from, const char* to)
{
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    if (!modelled(from) || !modelled(to)) {
        return real(from, to);
    }
    std::optional<std::string> lost = contents(to);
    return renamed(from, to, real(from, to), std::move(lost));
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags)
{
    static const auto real =
        next<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    if (fromFolder != AT_FDCWD || toFolder != AT_FDCWD || !modelled(from) || !modelled(to)) {
        return real(fromFolder, from, toFolder, to, flags);
    }
    std::optional<std::string> lost = contents(to);
    return renamed(from, to, real(fromFolder, from, toFolder, to, flags), std::move(lost));
}

int mkdir(const char* path, mode_t mode)
{
    static const auto real = next<int (*)(const char*, mode_t)>("mkdir");
    const int result = real(path, mode);
    if (result == 0 && modelled(path)) {
        state->entries.push_back({Entry::Kind::Folder, path, {}, {}});
    }
    return result;
}

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    const int result = real(fd);
    if (result == 0) {
        synced(fd);
    }
    return result;
}

int fdatasync(int fd)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    const int result = real(fd);
    if (result == 0) {
        synced(fd);
    }
    return result;
}

} // extern "C"

namespace CutVfs {

bool install(const std::string& root, std::uint64_t cutAt, const std::string& counted,
             std::uint32_t seed)
{
    sqlite3_vfs* real = sqlite3_vfs_find(nullptr);
    if (!real || state) {
        return false;
    }
    state = new State{real,  root.ends_with('/') ? root : root + '/',
                      cutAt, counted,
                      0,     std::mt19937(seed),
                      {},    {},
                      false};
    static sqlite3_vfs vfs = *real;
    vfs.zName = "powercut";
    vfs.szOsFile = FileBytes + real->szOsFile;
    vfs.pNext = nullptr;
    vfs.xOpen = openFile;
    return sqlite3_vfs_register(&vfs, 1) == SQLITE_OK;
}

} // namespace CutVfs
