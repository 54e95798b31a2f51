// The Windows font names the layouts are written in, mapped onto installed fonts of like width.
#pragma once

namespace kivo::canvas {

// Maps the Windows font names the program's layouts are written in ("MS Sans Serif",
// "Arial", "Arial Narrow", "Tahoma") onto the installed families. Call once at start-up of
// any program that draws, after the QGuiApplication exists.
void InstallFontSubstitutes();

}  // namespace kivo::canvas
