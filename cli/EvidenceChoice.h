#pragma once
// The evidence options of the command line (--from, --to, --days, --delays, --plain), read
// into the engine's options.

#include <string>

#include "engine/Evidence.h"

struct EvidenceChoice {
    std::string from;
    std::string to;
    int days = 0;
    std::string delays = "1-1";
    bool plain = false;
};

// The problem in a sentence (naming the option), or an empty string.
std::string ReadEvidenceChoice(const EvidenceChoice& choice, EvidenceOptions& options);
