#pragma once
// A progressive CMYK JPEG of any size, written row by row (no picture of its
// size in memory): the kind of photo whose decoding holds every coefficient.
#include <string>

std::string ProgressiveCmykJpeg(int width, int height);
