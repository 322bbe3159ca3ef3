// The desktop box's floor: a bare GtkDialog with the same text and
// buttons as `zorvane Hello_there Zt 4`, nothing else.
#include <gtk/gtk.h>

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  GtkWidget* dialog = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(dialog), "Zt");
  GtkWidget* label = gtk_label_new(argc > 1 ? argv[1] : "Hello_there");
  gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), label);
  gtk_widget_show(label);
  gtk_dialog_add_button(GTK_DIALOG(dialog), "_Yes", 6);
  gtk_dialog_add_button(GTK_DIALOG(dialog), "_No", 7);
  return gtk_dialog_run(GTK_DIALOG(dialog));
}
