#pragma once

// The name of the program's taskbar button and the caption of its error box.
inline constexpr const char* ApplicationTitle = "induction motor";
