#pragma once
// Export of a record file to the files that training platforms and
// spreadsheets read: FIT, TCX and CSV. GUI-free.
//
//   std::string error;
//   if (!ExportRecord(path, ExportFormat::Fit, folder + "/" + SuggestedExportName(path, ExportFormat::Fit), error))
//       show(error);
#include <string>

enum class ExportFormat { Fit, Tcx, Csv };

// "fit", "tcx", "csv": the file extension, also the format's name on a command line.
const char *ExportExtension(ExportFormat format);
// The format of a name as ExportExtension gives it (letter case ignored).
// False when the name is none of them.
bool ExportFormatOf(const std::string &name, ExportFormat &format);

// Writes the record file at recordPath as outPath in the format, replacing
// outPath atomically. The record's local start is turned into UTC with the
// time zone rules of this computer at that date. False with the reason in
// error (the record cannot be read, or the file cannot be written). True
// with a warning in error when the file is in place but the disk did not
// confirm that it is kept.
bool ExportRecord(const std::string &recordPath, ExportFormat format, const std::string &outPath,
                  std::string &error);

// The file name an export is offered under, from the record's local start:
// "2012-07-04_080503.fit". Empty when the record cannot be read; the
// reason then goes to *error when given.
std::string SuggestedExportName(const std::string &recordPath, ExportFormat format,
                                std::string *error = nullptr);
