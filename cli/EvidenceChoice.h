#pragma once
// The evidence options of the command line (--from, --to, --days, --delays, --plain), read
// into the engine's options.

#include <string>

#include "diary/Result.h"
#include "engine/Evidence.h"

struct EvidenceChoice {
    std::string from;
    std::string to;
    int days = 0;
    std::string delays = "1-1";
    bool plain = false;
};

// Refuses a choice the engine cannot read, with the problem in a sentence naming the option.
Result ReadEvidenceChoice(const EvidenceChoice& choice, EvidenceOptions& options);
