#pragma once
// The stored-file code's name for the program's result type: a diary read or saved, a copy or
// an output written. The name keeps the file layer's many signatures saying what they are about.

#include "diary/Result.h"

using FileResult = Result;
