#pragma once
// The style sheet rules of native controls on the program's dark windows,
// in the look of the painted faces (draw/Faces.h): grey gradient buttons
// and combo boxes with white frames, the accent for hover, focus, a press
// and chosen entries, grey when disabled; dark text, list and table boxes.
// A window adds its own ground and any rule of its own after them.
#include <QString>

// Push buttons and progress bars.
QString DarkButtonRules();
// Combo boxes (faced as buttons, with their lists), line and text edits,
// lists and tables with their headers.
QString DarkBoxRules();
