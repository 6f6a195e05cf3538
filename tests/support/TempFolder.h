#pragma once
// Test helpers: a temporary folder that is removed after the test, and
// whole-file reading and writing for byte-exact comparisons.
#include <QTemporaryDir>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    // Folder path without a trailing separator.
    std::string path() const;
    // path() + "/" + name
    std::string file(const std::string &name) const;

private:
    QTemporaryDir dir_;
};

std::string readFileBytes(const std::string &path);
void writeFileBytes(const std::string &path, const std::string &bytes);
bool fileExists(const std::string &path);
// Every entry name of a folder, sorted (hidden ones included).
std::vector<std::string> entryNames(const std::string &folder);
// Sets or clears the immutable flag of a file or folder (which stops even
// root from changing or removing it); false where the file system or the
// user cannot.
bool setImmutable(const std::string &path, bool on);
