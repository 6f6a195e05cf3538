#pragma once
// Import of rides from other devices and platforms (FIT, TCX, GPX, also
// .gz) as record files of a rider. GUI-free; safe to run on a worker
// thread, which the progress callback and the cancel flag serve.
//
//   std::atomic<bool> cancel{false};
//   ImportOptions options;
//   options.progress = [](std::size_t done, std::size_t total, std::size_t index, const ImportResult &r) { ... };
//   options.cancel = &cancel;
//   const auto results = ImportRides(ImportFilesOf({folder}), riderFolder, options);
#include <QTimeZone>

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

enum class ImportStatus {
    Imported,     // at least one record written
    AlreadyThere, // every ride of the file is a record of the rider already
    Failed,       // reason tells why; nothing was written
    Cancelled,    // not started: the import was cancelled before
};

struct ImportResult {
    std::string file;                 // the path as given
    ImportStatus status = ImportStatus::Failed;
    std::vector<std::string> records; // record names written, or found (already there)
    std::string reason;               // why it failed
    std::string kept;                 // the copy's name in Imported/, when imported
};

struct ImportOptions {
    // Called after each file, from the thread that imported it (one call at
    // a time, done counting up to total; index is the file's in the list).
    std::function<void(std::size_t done, std::size_t total, std::size_t index, const ImportResult &result)> progress;
    // Set from any thread: files not yet started are Cancelled.
    const std::atomic<bool> *cancel = nullptr;
    // Files imported at once; 0: as many as the machine has cores, at most 4.
    unsigned threads = 0;
    // Local starts (the record names) by these rules; the computer's by default.
    QTimeZone zone = QTimeZone::systemTimeZone();
};

// Whether a name is one of an importable file: .fit, .tcx, .gpx, each also
// with .gz (letter case ignored).
bool IsImportName(const std::string &name);
// The files an argument stands for: itself, or every importable file below
// a folder (subfolders included, symbolic links not followed), sorted.
std::vector<std::string> ImportFilesOf(const std::string &argument);

// Imports every file into riderFolder: each ride of a file becomes a record
// named after its local start; a ride the rider has already (a record of
// that name, or one starting within 60 s with a distance within 2 %) is
// "already there". The file itself is kept in riderFolder/Imported/ (a
// number added to its name when another file has it). One result per file,
// in the order given.
std::vector<ImportResult> ImportRides(const std::vector<std::string> &files, const std::string &riderFolder,
                                      const ImportOptions &options = {});
