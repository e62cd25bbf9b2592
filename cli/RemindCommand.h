#pragma once
// gastrolog-cli remind: the daily reminder's run, as the systemd user timer starts it. It reads
// the diary the user last opened in Gastrolog (or the one given), decides whether today's
// entries are due and, if so, shows a desktop notification with an "Open" action.

#include <iosfwd>
#include <string>

struct RemindOptions {
    std::string diary;    // empty: the most recent diary of the desktop's settings
    bool dryRun = false;  // say what would be done, show nothing
};

int RunRemind(const RemindOptions& options, std::ostream& out, std::ostream& err);
