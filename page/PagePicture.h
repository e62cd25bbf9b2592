#pragma once
// The main window's page as a picture (PDF, SVG or PNG), drawn through the page layout on the
// cairo canvas in the screen's font at 96 dots per inch: what the window shows, without one.

#include <string>

#include "page/CairoFile.h"

class CGastrologDoc;

// Draws the picture into `bytes` (none when it fails).
Result DrawPagePicture(const CGastrologDoc& doc, PictureFormat format, std::string& bytes);
