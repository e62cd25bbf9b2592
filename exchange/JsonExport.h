#pragma once
// The diary as JSON: every member the file stores, in the file's order, names in UTF-8 and
// numbers that read back to the same bits (see FloatJson.h). JsonImport.h reads it back.

#include "exchange/FloatJson.h"

class CGastrologDoc;

Json DiaryToJson(const CGastrologDoc& doc);
