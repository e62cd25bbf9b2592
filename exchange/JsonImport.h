#pragma once
// Reads a diary back from the JSON that DiaryToJson writes, member by member as the stored
// diary's description (diary/StoredDiary.h) lists them. Anything the diary file cannot hold is
// refused with a message that names the field, for example
// "foods[2].history: must be 50 characters long, found 49"; so is a diary the file reader
// would refuse (its rules are diary/StoredRules.h) or one larger than a diary file may be
// (MaximumDiaryFileSize). Whatever import accepts, the program reads back once written.

#include "diary/Result.h"
#include "exchange/FloatJson.h"

class CGastrologDoc;

// Fills the stored members of `doc` from `json`. On a refusal (its message names the field)
// the document is left as it was.
Result DiaryFromJson(const Json& json, CGastrologDoc& doc);
