#pragma once
// Event loop helpers of the tests: let the program run while a test waits.
#include <functional>

// Runs the event loop until done() holds or ms have passed; returns done().
bool RunUntil(const std::function<bool()> &done, int ms = 5000);
// Runs the event loop for ms.
void RunFor(int ms);
