#pragma once
// A temporary rider for the Training window tests: record files with laps
// decoded from dumps, and the training service opened on the folder.
#include "tests/support/TempFolder.h"
#include "training/TrainingService.h"

#include <string>

// Decodes a ride of `samples` samples and `laps` laps into folder under the
// name of the given start; imperial rewrites its UNIT. Returns the name.
std::string WriteRide(const std::string &folder, int year, int month, int day, int samples, int laps,
                      bool imperial = false);
// Opens the service on folder and waits until its build has ended.
void OpenAndWait(TrainingService &service, const std::string &folder);
