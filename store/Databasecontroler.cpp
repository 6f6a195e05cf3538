// Rider folders and the remember-me file.
#include "store/Databasecontroler.h"

#include "store/AtomicFile.h"
#include "store/Textfile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An ID names a folder directly below the rider root; anything that could
// name another place is refused, and so is a name that is not UTF-8: the
// rider list never shows one, so it can only be a mangled form of another.
bool UsableID(const std::string &id)
{
    return !id.empty() && id != "." && id != ".." && id.find('/') == std::string::npos &&
           id.find('\0') == std::string::npos && IsValidUtf8(id);
}

bool IsPlainFolder(const std::string &path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string Joined(const std::string &folder, const std::string &name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

// Every entry of a folder but "." and "..", hidden ones included. False when
// the folder cannot be read.
bool AllEntries(const std::string &folder, std::vector<std::string> &names)
{
    DIR *dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return false;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    return ::closedir(dir) == 0;
}

// A hidden name beside a rider folder for its deletion, never listed as a
// rider; of a long ID only the start is kept, so the name stays within 255
// bytes.
std::string AsideName(const std::string &root, const std::string &id)
{
    static std::atomic<unsigned> counter{0};
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".deleted-%d-%u", static_cast<int>(::getpid()), counter++);
    return root + "." + id.substr(0, 200) + suffix;
}

} // namespace

int TKorvanDataBase::SetRootFolder(const std::string &folder)
{
    RootFolder = folder;
    if (!RootFolder.empty() && RootFolder.back() != '/')
        RootFolder += '/';
    return 0;
}

bool TKorvanDataBase::CreateRiderFolder(const std::string &id)
{
    if (!UsableID(id))
        return true;
    const std::string path = RootFolder + id;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return true;
    if (!FindEntryNoCase(RootFolder, id, EntryKind::PlainFolder).empty())
        return true;
    ::mkdir(path.c_str(), 0777); // a failure shows when the account files are written
    return false;
}

int TKorvanDataBase::DeleteRider(const std::string &id)
{
    if (!UsableID(id))
        return 0;
    const std::string path = RootFolder + id;
    if (!IsPlainFolder(path))
        return RiderDeleted;
    std::string aside;
    for (int attempt = 0; attempt < 100 && aside.empty(); ++attempt) {
        aside = AsideName(RootFolder, id);
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) != 0) {
            if (errno != EEXIST)
                return RiderKept;
            aside.clear();
        }
    }
    if (aside.empty())
        return RiderKept;
    return DeleteFolderTree(aside) ? RiderDeleted : RiderPartlyDeleted;
}

bool TKorvanDataBase::DeleteFolderTree(const std::string &path)
{
    if (path.size() < 4 || path.find('\0') != std::string::npos)
        return false;
    const std::string folder = WithoutTrailingSlash(path);
    // A symbolic link is never followed, not even as the folder passed in.
    if (!IsPlainFolder(folder))
        return false;
    const std::string p = folder + "/";
    std::vector<std::string> names;
    bool ok = AllEntries(folder, names);
    for (const std::string &name : names) {
        const std::string full = p + name;
        if (IsPlainFolder(full)) {
            if (ok)
                ok = DeleteFolderTree(full);
        } else if (ok && ::unlink(full.c_str()) != 0) {
            ok = false; // files, links and anything else are removed as they are
        }
    }
    return ok && ::rmdir(folder.c_str()) == 0;
}

int TKorvanDataBase::ListRiders()
{
    Riders = ListShownEntries(RootFolder, EntryKind::PlainFolder);
    return 0;
}

int TKorvanDataBase::ListRecordFiles()
{
    RecordFiles.clear();
    for (std::string &name : ListShownEntries(RiderFolder, EntryKind::PlainFile))
        if (EndsWithNoCase(name, ".TR9"))
            RecordFiles.push_back(std::move(name));
    return 0;
}

std::string TKorvanDataBase::PhotoFile(const std::string &id) const
{
    if (!UsableID(id))
        return {};
    const std::string folder = RootFolder + id + "/";
    const std::string wanted = id + ".jpg";
    struct stat st {};
    if (::lstat((folder + wanted).c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return folder + wanted;
    const std::string found = FindEntryNoCase(folder, wanted, EntryKind::PlainFile);
    return found.empty() ? found : folder + found;
}

std::string TKorvanDataBase::RememberMePath(const std::string &appFolder)
{
    return Joined(appFolder, "REME.txt");
}

int TKorvanDataBase::WriteRememberMe(const std::string &appFolder, const std::string &id)
{
    // An unchanged file is left as it is: nothing to write on a full disk.
    const std::string bytes = id.empty() ? std::string() : id + "\r\n";
    std::string old;
    if (ReadFileBytes(RememberMePath(appFolder), old, filelimit::Text, Links::NotFollowed) && old == bytes)
        return 0;
    return WriteFileAtomic(RememberMePath(appFolder), bytes);
}

int TKorvanDataBase::RemoveRememberMe(const std::string &appFolder)
{
    ::unlink(RememberMePath(appFolder).c_str());
    return 0;
}

bool TKorvanDataBase::ReadRememberMe(const std::string &appFolder, std::string &id)
{
    std::string bytes;
    id.clear();
    if (!ReadFileBytes(RememberMePath(appFolder), bytes, filelimit::Text, Links::NotFollowed))
        return false;
    id = bytes.substr(0, bytes.find_first_of("\r\n"));
    return true;
}

int TKorvanDataBase::MatchRememberMe(const std::string &appFolder, const std::vector<std::string> &choices)
{
    std::string id;
    if (!ReadRememberMe(appFolder, id))
        return -1;
    if (!id.empty())
        for (std::size_t i = 0; i < choices.size(); ++i)
            if (choices[i] == id)
                return static_cast<int>(i);
    RemoveRememberMe(appFolder);
    return -1;
}
