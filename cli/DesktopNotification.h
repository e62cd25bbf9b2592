#pragma once
// One desktop notification through the session's notification service
// (org.freedesktop.Notifications, spoken to with GIO's D-Bus), with an "Open" action that
// starts Gastrolog on a diary.

#include <chrono>
#include <string>

struct ReminderNotification {
    std::string summary;    // "Time for today's entries in NAME" (UTF-8)
    std::string body;       // why (UTF-8)
    std::string diaryPath;  // what "Open" opens
};

struct NotificationResult {
    enum class Outcome { Opened, Closed, NoAnswer, Failed };
    Outcome outcome = Outcome::Failed;
    std::string message;  // what happened, for the user (UTF-8)
};

// The program "Open" starts, found on PATH.
inline constexpr const char* DesktopProgram = "gastrolog";

// Shows the notification and waits, at most `wait`, for the user to open or close it.
NotificationResult ShowReminderNotification(const ReminderNotification& notification,
                                            std::chrono::seconds wait);
