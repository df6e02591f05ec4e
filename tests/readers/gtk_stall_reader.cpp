// A GTK entry that falls behind inside its own key handler: every `every` key presses it
// stops for `stall` milliseconds before the entry handles the key, as a busy program does.
// It prints READY once it has the focus and TEXT:<hex of UTF-8> after each change.
//   gtk_stall_reader STALL_MS EVERY
#include <gtk/gtk.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

struct Stall {
    int ms = 300, every = 25, presses = 0;
};

gboolean OnKey(GtkWidget*, GdkEventKey*, gpointer data) {
    auto* s = static_cast<Stall*>(data);
    if (++s->presses % s->every == 0) std::this_thread::sleep_for(std::chrono::milliseconds(s->ms));
    return FALSE;  // the entry handles the key
}

void OnChanged(GtkEditable* editable, gpointer) {
    const char* text = gtk_entry_get_text(GTK_ENTRY(editable));
    std::printf("TEXT:");
    for (const char* c = text; *c; ++c) std::printf("%02x", static_cast<unsigned char>(*c));
    std::printf("\n");
    std::fflush(stdout);
}

gboolean AnnounceWhenFocused(gpointer entry) {
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(entry));
    if (!gtk_window_is_active(GTK_WINDOW(top)) || !gtk_widget_has_focus(GTK_WIDGET(entry))) return TRUE;
    std::printf("READY\n");
    std::fflush(stdout);
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    Stall stall;
    if (argc > 1) stall.ms = std::atoi(argv[1]);
    if (argc > 2 && std::atoi(argv[2]) > 0) stall.every = std::atoi(argv[2]);
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Stalling GTK Reader");
    gtk_window_set_default_size(GTK_WINDOW(window), 400, 40);
    gtk_window_move(GTK_WINDOW(window), 0, 0);
    GtkWidget* entry = gtk_entry_new();
    gtk_container_add(GTK_CONTAINER(window), entry);
    g_signal_connect(entry, "key-press-event", G_CALLBACK(OnKey), &stall);
    g_signal_connect(entry, "changed", G_CALLBACK(OnChanged), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_window_present(GTK_WINDOW(window));
    gtk_widget_grab_focus(entry);
    g_timeout_add(20, AnnounceWhenFocused, entry);
    gtk_main();
    return 0;
}
