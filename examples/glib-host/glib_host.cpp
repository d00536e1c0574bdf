// A GLib main loop drives a Vexa window: the X connection's descriptor wakes the loop when
// the display has events, and a timeout wakes it when Vexa's next timer falls due. This is
// how a GTK or Qt program (both run a GLib loop on Linux) can host a grid. Without an X
// display the program pumps once on the headless display and exits.
#include <glib.h>
#include <vexa/vexa.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Host {
    GMainLoop* loop = nullptr;
    guint timer = 0;
    vexa::Form* form = nullptr;
};

gboolean Pump(gpointer data);

// Asks GLib to wake up for Vexa's next timer, however the last pump left it.
void ScheduleTimer(Host& host) {
    if (host.timer != 0) g_source_remove(host.timer);
    host.timer = 0;
    const int ms = vexa::Application::MillisecondsToNextTimer();
    if (ms >= 0) host.timer = g_timeout_add(guint(ms), Pump, &host);
}

gboolean Pump(gpointer data) {
    auto& host = *static_cast<Host*>(data);
    vexa::Application::Pump();
    if (!host.form->IsOpen()) {
        g_main_loop_quit(host.loop);  // the user closed the form
        return G_SOURCE_REMOVE;
    }
    host.timer = 0;
    ScheduleTimer(host);
    return G_SOURCE_REMOVE;
}

gboolean OnDisplayEvents(GIOChannel*, GIOCondition, gpointer data) {
    Pump(data);
    return G_SOURCE_CONTINUE;
}

}  // namespace

int main() {
    const bool onScreen = std::getenv("DISPLAY") && vexa::Application::UseX11Display();
    vexa::Form form("Vexa in a GLib loop", 360, 200, false);
    vexa::Vexa grid(form.hwnd(), form.ClientRect());
    grid.AddCol({.sKey = "n", .sHeader = "n", .lWidth = 60});
    grid.AddCol({.sKey = "square", .sHeader = "n²", .lWidth = 80});
    for (int n = 1; n <= 20; ++n) {
        grid.AddRow();
        grid.SetCellValue(n, "n", n);
        grid.SetCellValue(n, "square", n * n);
    }
    form.Show();
    if (!onScreen) {
        vexa::Application::Pump();
        std::printf("%d rows, last square %s\n", grid.RowCount(),
                    grid.CellText(20, "square").c_str());
        return 0;
    }

    Host host;
    host.form = &form;
    host.loop = g_main_loop_new(nullptr, FALSE);
    GIOChannel* channel = g_io_channel_unix_new(vexa::Application::EventFd());
    g_io_add_watch(channel, G_IO_IN, OnDisplayEvents, &host);
    Pump(&host);
    g_main_loop_run(host.loop);
    g_io_channel_unref(channel);
    g_main_loop_unref(host.loop);
    return 0;
}
