#include "cli/DesktopNotification.h"

#include <gio/gio.h>

#include <memory>

namespace {

constexpr const char* Service = "org.freedesktop.Notifications";
constexpr const char* ObjectPath = "/org/freedesktop/Notifications";
constexpr const char* Interface = "org.freedesktop.Notifications";
// The desktop file's name, so the notification shows Gastrolog's name and icon.
constexpr const char* DesktopEntry = "org.gastrolog.Gastrolog";
constexpr const char* OpenAction = "open";
constexpr const char* DefaultAction = "default";  // a click on the notification itself

struct GObjectRelease {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct ErrorRelease {
    void operator()(GError* error) const { g_error_free(error); }
};
using Connection = std::unique_ptr<GDBusConnection, GObjectRelease>;
using Error = std::unique_ptr<GError, ErrorRelease>;

// What the wait for the user's answer shares with the signal handlers.
struct Waiting {
    guint32 id = 0;
    std::string diaryPath;
    GMainLoop* loop = nullptr;
    NotificationResult result{NotificationResult::Outcome::NoAnswer,
                              "No answer to the notification came."};
};

NotificationResult StartDesktopProgram(const std::string& diaryPath) {
    gchar* argv[] = {const_cast<gchar*>(DesktopProgram), const_cast<gchar*>(diaryPath.c_str()),
                     nullptr};
    GError* raw = nullptr;
    const bool started =
        g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, &raw);
    const Error error(raw);
    if (!started)
        return {NotificationResult::Outcome::Failed,
                std::string("Gastrolog could not be started: ") + error->message};
    return {NotificationResult::Outcome::Opened, "Opened Gastrolog on " + diaryPath + "."};
}

void OnSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* signal,
              GVariant* parameters, gpointer data) {
    auto& waiting = *static_cast<Waiting*>(data);
    guint32 id = 0;
    if (g_strcmp0(signal, "ActionInvoked") == 0) {
        const gchar* action = nullptr;
        g_variant_get(parameters, "(u&s)", &id, &action);
        if (id != waiting.id) return;
        if (g_strcmp0(action, OpenAction) != 0 && g_strcmp0(action, DefaultAction) != 0) return;
        waiting.result = StartDesktopProgram(waiting.diaryPath);
    } else if (g_strcmp0(signal, "NotificationClosed") == 0) {
        guint32 reason = 0;
        g_variant_get(parameters, "(uu)", &id, &reason);
        // A server closes the notification after an action, too: the action came first.
        if (id != waiting.id || waiting.result.outcome == NotificationResult::Outcome::Opened)
            return;
        waiting.result = {NotificationResult::Outcome::Closed, "The notification was closed."};
    } else {
        return;
    }
    g_main_loop_quit(waiting.loop);
}

GVariant* NotifyParameters(const ReminderNotification& notification) {
    GVariantBuilder actions;
    g_variant_builder_init(&actions, G_VARIANT_TYPE("as"));
    for (const char* text : {DefaultAction, "Open", OpenAction, "Open"})
        g_variant_builder_add(&actions, "s", text);
    GVariantBuilder hints;
    g_variant_builder_init(&hints, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&hints, "{sv}", "desktop-entry", g_variant_new_string(DesktopEntry));
    g_variant_builder_add(&hints, "{sv}", "urgency", g_variant_new_byte(1));
    return g_variant_new("(susssasa{sv}i)", "Gastrolog", 0u, DesktopEntry,
                         notification.summary.c_str(), notification.body.c_str(), &actions, &hints,
                         -1);
}

gboolean OnTimeout(gpointer data) {
    g_main_loop_quit(static_cast<Waiting*>(data)->loop);
    return G_SOURCE_REMOVE;
}

}  // namespace

NotificationResult ShowReminderNotification(const ReminderNotification& notification,
                                            std::chrono::seconds wait) {
    GError* raw = nullptr;
    const Connection connection(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &raw));
    if (!connection) {
        const Error error(raw);
        return {NotificationResult::Outcome::Failed,
                std::string("There is no desktop session bus: ") + error->message};
    }
    Waiting waiting;
    waiting.diaryPath = notification.diaryPath;
    // Listening before the notification is shown, so no quick answer is missed.
    const guint subscription = g_dbus_connection_signal_subscribe(
        connection.get(), nullptr, Interface, nullptr, ObjectPath, nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, OnSignal, &waiting, nullptr);
    GVariant* reply = g_dbus_connection_call_sync(
        connection.get(), Service, ObjectPath, Interface, "Notify", NotifyParameters(notification),
        G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, 25000, nullptr, &raw);
    if (!reply) {
        const Error error(raw);
        g_dbus_connection_signal_unsubscribe(connection.get(), subscription);
        return {NotificationResult::Outcome::Failed,
                std::string("The desktop's notification service did not take the "
                            "notification: ") +
                    error->message};
    }
    g_variant_get(reply, "(u)", &waiting.id);
    g_variant_unref(reply);

    waiting.loop = g_main_loop_new(nullptr, FALSE);
    const guint timer =
        g_timeout_add_seconds(static_cast<guint>(wait.count()), OnTimeout, &waiting);
    g_main_loop_run(waiting.loop);
    if (waiting.result.outcome != NotificationResult::Outcome::NoAnswer) g_source_remove(timer);
    g_main_loop_unref(waiting.loop);
    g_dbus_connection_signal_unsubscribe(connection.get(), subscription);
    return waiting.result;
}
