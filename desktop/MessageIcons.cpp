#include "desktop/MessageIcons.h"

#include <wx/msgdlg.h>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace {

#ifdef __WXGTK__
// Puts the picture into the running GTK dialog, through the GTK library wxWidgets has loaded
// (the program is not built against GTK's headers).
void AddPicture(wxMessageDialog& message, const wxArtID& art) {
    using SetImage = void (*)(void* dialog, void* image);
    using ImageFromPixbuf = void* (*)(void* pixbuf);
    using Show = void (*)(void* widget);
    static const auto setImage =
        reinterpret_cast<SetImage>(dlsym(RTLD_DEFAULT, "gtk_message_dialog_set_image"));
    static const auto imageFromPixbuf =
        reinterpret_cast<ImageFromPixbuf>(dlsym(RTLD_DEFAULT, "gtk_image_new_from_pixbuf"));
    static const auto show = reinterpret_cast<Show>(dlsym(RTLD_DEFAULT, "gtk_widget_show"));
    void* dialog = message.GetHandle();
    if (!dialog || !setImage || !imageFromPixbuf || !show) return;
    const wxBitmap picture = wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX);
    if (!picture.IsOk()) return;
    void* image = imageFromPixbuf(picture.GetPixbuf());
    show(image);
    setImage(dialog, image);
}
#endif

}  // namespace

wxArtID MessageIconArt(long style) {
    if (style & wxICON_NONE) return {};
    if (style & wxICON_ERROR) return wxART_ERROR;
    if (style & wxICON_QUESTION) return wxART_QUESTION;
    if (style & wxICON_WARNING) return wxART_WARNING;
    if (style & wxICON_INFORMATION) return wxART_INFORMATION;
    return {};
}

int MessageIcons::Enter(wxDialog* dialog) {
#ifdef __WXGTK__
    auto* message = dynamic_cast<wxMessageDialog*>(dialog);
    const wxArtID art = message ? MessageIconArt(message->GetMessageDialogStyle()) : wxArtID();
    // The GTK dialog is made inside ShowModal: the picture goes in once the dialog runs. Should
    // the box go first, its pending call goes with it.
    if (!art.empty()) message->CallAfter([message, art] { AddPicture(*message, art); });
#else
    wxUnusedVar(dialog);
#endif
    return wxID_NONE;  // the box is shown as always
}
