#include "desktop/ToolbarHitTest.h"

#include <algorithm>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace {

#ifdef __WXGTK__
// The few GTK functions needed, found in the GTK library wxWidgets has loaded (the program
// is not built against GTK's headers).
struct Gtk {
    using TypeGetter = unsigned long (*)();
    using IsA = int (*)(void* instance, unsigned long type);
    using BinChild = void* (*)(void* bin);
    using ItemCount = int (*)(void* toolbar);
    using NthItem = void* (*)(void* toolbar, int index);
    using Translate = int (*)(void* from, void* to, int x, int y, int* toX, int* toY);
    using Extent = int (*)(void* widget);

    template <class Function>
    static Function Find(const char* name) {
        return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
    }

    TypeGetter toolbarType = Find<TypeGetter>("gtk_toolbar_get_type");
    TypeGetter binType = Find<TypeGetter>("gtk_bin_get_type");
    IsA isA = Find<IsA>("g_type_check_instance_is_a");
    BinChild binChild = Find<BinChild>("gtk_bin_get_child");
    ItemCount itemCount = Find<ItemCount>("gtk_toolbar_get_n_items");
    NthItem nthItem = Find<NthItem>("gtk_toolbar_get_nth_item");
    Translate translate = Find<Translate>("gtk_widget_translate_coordinates");
    Extent width = Find<Extent>("gtk_widget_get_allocated_width");
    Extent height = Find<Extent>("gtk_widget_get_allocated_height");

    bool IsComplete() const {
        return toolbarType && binType && isA && binChild && itemCount && nthItem && translate &&
               width && height;
    }
    // The GtkToolbar of the wx toolbar: its own widget or the one its box holds.
    void* ToolbarOf(void* widget) const {
        if (!widget) return nullptr;
        if (isA(widget, toolbarType())) return widget;
        if (!isA(widget, binType())) return nullptr;
        void* child = binChild(widget);
        return child && isA(child, toolbarType()) ? child : nullptr;
    }
};

const Gtk& GtkFunctions() {
    static const Gtk gtk;
    return gtk;
}
#endif

}  // namespace

const wxToolBarToolBase* ToolAtPoint(const wxToolBar& toolBar, const wxPoint& point) {
#ifdef __WXGTK__
    const Gtk& gtk = GtkFunctions();
    void* widget = toolBar.GetHandle();
    void* toolbar = gtk.IsComplete() ? gtk.ToolbarOf(widget) : nullptr;
    if (!toolbar) return nullptr;
    // The toolkit's items stand in the order of the wx tools, separators included.
    const int count = std::min(gtk.itemCount(toolbar), static_cast<int>(toolBar.GetToolsCount()));
    for (int index = 0; index < count; ++index) {
        void* item = gtk.nthItem(toolbar, index);
        int left = 0, top = 0;
        if (!item || !gtk.translate(item, widget, 0, 0, &left, &top)) continue;
        const wxRect box(left, top, gtk.width(item), gtk.height(item));
        if (!box.Contains(point)) continue;
        const wxToolBarToolBase* tool = toolBar.GetToolByPos(index);
        return tool && !tool->IsSeparator() ? tool : nullptr;
    }
    return nullptr;
#else
    return toolBar.FindToolForPosition(point.x, point.y);
#endif
}
